#pragma once

#include "TextSearch.h"

#include <QObject>

#include <optional>

class FindBar;
class Prompter;
class RichTextBox;
struct CheckSettings;

// The commands of the search menu on the editor's text: finding and replacing what the find bar asks for, and the
// move to a line. A replacement is an edit as typing is, one undo step, so link tags it changes count as edited.
class EditorSearch : public QObject {
    Q_OBJECT
public:
    // settings: whether the addresses tags load are links too, for finds in link values.
    EditorSearch(RichTextBox& editor, FindBar& bar, Prompter& prompter, const CheckSettings& settings,
                 QObject* parent = nullptr);

    // Opens the bar, with its replace row or without; a selection within one line becomes what to find.
    void openBar(bool withReplaceRow);
    // Selects the next (previous) match, going on from the other end of the text when there is none that way.
    void find(bool forward);
    // Replaces the selection when it is a match, and selects the next match.
    void replaceOne();
    void replaceAll();
    // Puts the caret at the start of the line the user asks for; lines end with CR LF, CR or LF.
    void goToLine();

private:
    // The search the bar asks for; nothing when there is none to run, the bar saying why.
    std::optional<TextSearch> currentSearch();
    void select(const std::optional<FoundMatch>& found, bool forward);

    RichTextBox& m_editor;
    FindBar& m_bar;
    Prompter& m_prompter;
    const CheckSettings& m_settings;
};
