#pragma once

#include <QString>

class CheckProgress;
class Prompter;
class RichTextBox;
struct DocumentState;

// Moves the selection to the previous or next link tag of a kind, reading each tag's class back
// from the colour and link mark painted on its "<". The link table is not used.
class LinkNavigator {
public:
    LinkNavigator(DocumentState& state, RichTextBox& editor, CheckProgress& events, Prompter& prompter);

    // kind: the index in the link-kind list; 0 accepts any link. Leaves the found tag's "<" selected;
    // when none is found (or the move is stopped) restores the selection and says so.
    // False only when an error cut the move short.
    bool Fnc_MoveToLink(bool forward, int kind);

private:
    // 1-based position after which (forward) or before which (backward) the search starts; 0: none.
    int startPosition(bool forward, const QString& text);
    bool accepts(int kind) const;

    DocumentState& m_state;
    RichTextBox& m_editor;
    CheckProgress& m_events;
    Prompter& m_prompter;
};
