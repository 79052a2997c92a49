#pragma once

#include "LinkClassifier.h"

#include <QString>

#include <optional>

class LinkRegistry;
class RichTextBox;
class WebLinkCheck;

// The tag a single check repainted: where it stands in the editor, and what its check gave.
struct CheckedTag {
    int start = 0; // 0-based offset of its "<"
    int length = 0;
    Classification classification;
};

// Checks the one link tag the user points at in the editor (the caret or a selection inside it, or a
// selection holding it), classifies its value as the full check does and repaints that tag alone,
// leaving only its "<" selected, its reason kept in registry. firstSelected: the selected text at the click;
// documentEncoding: what %XX escapes of file links that are no UTF-8 were written in.
// nullopt when no tag was identified, or its quoted value has no closing quote (then nothing is painted).
std::optional<CheckedTag> checkCurrentLink(RichTextBox& editor, const QString& firstSelected, const QString& docBase,
                                           bool docIsFile, WebLinkCheck& web, LinkRegistry& registry,
                                           const TextEncoding& documentEncoding = {});
