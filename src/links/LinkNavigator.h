#pragma once

#include "LinkKinds.h"

#include <QString>

#include <optional>

class CheckProgress;
class Prompter;
class RichTextBox;
struct RunState;

// Moves the selection to the previous or next link tag of a kind, reading each tag's class back
// from the colour and link mark painted on its "<". The link table is not used.
class LinkNavigator {
public:
    LinkNavigator(const RunState& run, RichTextBox& editor, CheckProgress& events, Prompter& prompter);

    // kind: the class of link to stop at; nullopt stops at any link. Leaves the found tag's "<" selected;
    // when none is found (or the move is stopped) restores the selection and says so.
    // False only when an error cut the move short.
    bool moveToLink(bool forward, std::optional<LinkClass> kind);

private:
    // 1-based position after which (forward) or before which (backward) the search starts; 0: none.
    int startPosition(bool forward, const QString& text);
    bool accepts(std::optional<LinkClass> kind) const;

    const RunState& m_run;
    RichTextBox& m_editor;
    CheckProgress& m_events;
    Prompter& m_prompter;
};
