#pragma once

#include "common/Prompter.h"
#include "links/LinkCheckJob.h"
#include "links/LinkKinds.h"

#include <QString>

// The window's words for what the engine reports, in the language of the translation installed.

// The filter of a file dialog: description and pattern pairs separated by "|".
QString fileDialogFilter(FileDialogKind kind);
QString phaseText(CheckPhase phase);

// A display class's name in the navigation list and the legend.
QString linkClassLabel(LinkClass linkClass);
// What the status strip says of a link of that class under the caret (and the legend beside its colour).
QString linkClassSentence(LinkClass linkClass);
// The first entry of the navigation list: stop at any link.
QString anyLinkLabel();
// The entry after it in the navigation list and the link list's class filter: every NG class.
QString failedLinksLabel();
// The status strip after a check of all links: how many failed of how many links.
QString linkCountsText(int failed, int all);
// What the go-to-line question asks for: a line from 1 to lines.
QString lineNumberLabel(int lines);
