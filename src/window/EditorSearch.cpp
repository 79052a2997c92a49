#include "EditorSearch.h"

#include "FindBar.h"
#include "common/Prompter.h"
#include "editor/RichTextBox.h"
#include "web/CheckSettings.h"

#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

EditorSearch::EditorSearch(RichTextBox& editor, FindBar& bar, Prompter& prompter, const CheckSettings& settings,
                           QObject* parent)
    : QObject(parent), m_editor(editor), m_bar(bar), m_prompter(prompter), m_settings(settings)
{
}

void EditorSearch::openBar(bool withReplaceRow)
{
    const QString selected = m_editor.selText();
    const bool oneLine = !selected.contains(u'\r') && !selected.contains(u'\n');
    m_bar.open(withReplaceRow, oneLine ? selected : QString());
}

std::optional<TextSearch> EditorSearch::currentSearch()
{
    const SearchQuery query = m_bar.query();
    if (query.pattern.isEmpty()) {
        m_bar.focusPattern();
        return std::nullopt;
    }
    TextSearch search(query, m_settings.resources);
    if (!search.isValid()) {
        m_bar.showOutcome(tr("The regular expression is not valid"));
        return std::nullopt;
    }
    return search;
}

void EditorSearch::find(bool forward)
{
    if (const std::optional<TextSearch> search = currentSearch()) {
        select(stepToMatch(search->matchesIn(m_editor.text()), m_editor.selStart(), m_editor.selLength(), forward),
               forward);
    }
}

void EditorSearch::select(const std::optional<FoundMatch>& found, bool forward)
{
    if (!found) {
        m_bar.showOutcome(tr("Not found"));
        return;
    }
    m_editor.setSelection(found->match.start, found->match.length);
    if (!found->wrapped)
        m_bar.showOutcome(QString());
    else
        m_bar.showOutcome(forward ? tr("Continued from the beginning") : tr("Continued from the end"));
}

void EditorSearch::replaceOne()
{
    const std::optional<TextSearch> search = currentSearch();
    if (!search)
        return;
    const QList<TextMatch> matches = search->matchesIn(m_editor.text());
    const int start = m_editor.selStart();
    const int length = m_editor.selLength();
    const auto selected = std::find_if(matches.begin(), matches.end(), [&](const TextMatch& match) {
        return match.start == start && match.length == length;
    });
    // A selection that is no match is not replaced: the first press shows what the next one replaces.
    if (selected != matches.end()) {
        const int end =
            m_editor.replaceRanges({{start, length, search->replacementFor(*selected, m_bar.replacement())}});
        m_editor.setSelection(end, 0);
    }
    find(true);
}

void EditorSearch::replaceAll()
{
    const std::optional<TextSearch> search = currentSearch();
    if (!search)
        return;
    const QList<TextMatch> matches = search->matchesIn(m_editor.text());
    if (matches.isEmpty()) {
        m_bar.showOutcome(tr("Not found"));
        return;
    }
    std::vector<RichTextBox::Replacement> replacements;
    replacements.reserve(size_t(matches.size()));
    for (const TextMatch& match : matches)
        replacements.push_back({match.start, match.length, search->replacementFor(match, m_bar.replacement())});
    m_editor.replaceRanges(replacements);
    m_bar.showOutcome(tr("%1 replaced").arg(matches.size()));
}

void EditorSearch::goToLine()
{
    const QTextDocument* document = m_editor.document();
    const int current = document->findBlock(m_editor.toDocumentPosition(m_editor.selStart())).blockNumber() + 1;
    const std::optional<int> line = m_prompter.askLineNumber(current, document->blockCount());
    if (!line)
        return;
    const QTextBlock block = document->findBlockByNumber(std::clamp(*line, 1, document->blockCount()) - 1);
    m_editor.setSelection(m_editor.toTextOffset(block.position()), 0);
}
