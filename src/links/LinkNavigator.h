#pragma once

#include "LinkKinds.h"

#include <QString>

#include <functional>
#include <optional>

// The class of the link whose tag begins at a 0-based text offset; nothing when no check has given it one.
using LinkClassAt = std::function<std::optional<LinkClass>(int offset)>;

// The move to the previous or next link tag of a kind (▲ / ▼): the 0-based offset of the "<" of the
// tag to select, or nothing when there is none before (after) the selection. Tags are found as the full
// check finds them (none in comments and the like), in the text as it stands, so a tag typed since the last check
// counts as a link of any kind. kind: the class of link to stop at; nullopt stops at any link tag.
//
// Forward, the search starts after the selection, or after the tag whose "<" alone is selected (where
// the last move left it); backward, it takes the tags that begin at least four characters before the
// selection.
std::optional<int> findLinkTag(const QString& text, int selectionStart, int selectionLength, bool forward,
                               std::optional<LinkClass> kind, const LinkClassAt& classAt);
