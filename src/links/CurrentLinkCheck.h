#pragma once

#include <QString>

class RichTextBox;
class WebLinkCheck;

// Checks the one link tag the user points at in the editor (the caret or a selection inside it, or a
// selection holding it), classifies its value as the full check does and repaints that tag alone,
// leaving only its "<" selected. firstSelected: the selected text at the click.
// True when it ran to its end, also when no tag was identified; false when an error cut it short.
bool checkCurrentLink(RichTextBox& editor, const QString& firstSelected, const QString& docBase, bool docIsFile,
                      WebLinkCheck& web);
