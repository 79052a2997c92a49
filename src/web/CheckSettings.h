#pragma once

#include "TransferScheduler.h"

#include <QString>

// How documents are read and links checked, for the window and tarnwick-check alike.
struct CheckSettings {
    // "auto": each document's encoding is detected; a code page name: every document is read in that one.
    QString encoding = QStringLiteral("auto");
    TransferScheduler::Limits limits;
    // The addresses tags load (images, stylesheets, scripts ...) are checked as links too.
    bool resources = false;
};
