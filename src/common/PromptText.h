#pragma once

#include "Prompter.h"

#include <QString>

// What a prompt says, with the values it names, in the language of the translation installed.
QString promptText(const Prompt& prompt);
