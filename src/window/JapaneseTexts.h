#pragma once

#include "common/Prompter.h"
#include "links/LinkCheckJob.h"
#include "links/LinkKinds.h"
#include "links/ReasonDescription.h"

#include <QString>

// Every text the window shows the user for what the engine reports, in Japanese, in one place.

QString promptText(const Prompt& prompt);
// The filter of a file dialog: description and pattern pairs separated by "|".
QString fileDialogFilter(FileDialogKind kind);
QString phaseText(CheckPhase phase);

// A display class's name in the navigation list and the legend.
QString linkClassLabel(LinkClass linkClass);
// What the status strip says of a link of that class under the caret (and the legend beside its colour).
QString linkClassSentence(LinkClass linkClass);
// The first entry of the navigation list: stop at any link.
QString anyLinkLabel();
// Why a link has its result, as the status strip and the tooltip say it.
QString reasonText(const QList<ReasonPart>& parts);
