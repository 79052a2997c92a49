// The main window's repairs: the values that could repair a link, offered for the link at the caret and in the
// link list, and the update of every link moved for good.

#include "MainWindow.h"

#include "LinkListModel.h"
#include "SuggestionMenu.h"
#include "TextEditBox.h"
#include "editor/LinkSpans.h"
#include "links/RepairSuggestions.h"

#include <QLabel>
#include <QPlainTextEdit>

#include <algorithm>

void MainWindow::onSuggestionsTriggered()
{
    if (m_run.isBusy)
        return;
    // The link the caret description names: under the selection's first character, or before a bare caret.
    const int start = m_editor->selStart();
    const std::optional<int> span = m_spans->spanAt(m_editor->selLength() > 0 ? start : start - 1);
    const QStringList suggestions = span ? m_linkListModel->suggestionsOf(*span) : QStringList();
    const QPoint caret = m_documentEdit->viewport()->mapToGlobal(m_documentEdit->cursorRect().bottomLeft());
    popUpSuggestions(suggestions, caret, this, [this, span](const QString& value) { applySuggestion(*span, value); });
}

void MainWindow::applySuggestion(int span, const QString& value)
{
    // The menu stayed open while anything could happen: the value must still be one offered for that link.
    if (m_run.isBusy || span < 0 || span >= m_spans->count() || !m_linkListModel->suggestionsOf(span).contains(value))
        return;
    const auto [offset, length] = m_spans->valueRange(span);
    m_editor->replaceRanges({{offset, length, value}});
    // The tag is edited now; it is checked again at once, as "check one" checks the link at the selection.
    m_editor->setSelection(m_spans->offsetOf(span), 1);
    onCheckOneLinkTriggered();
}

void MainWindow::onUpdateRedirectsTriggered()
{
    if (m_run.isBusy)
        return;
    std::vector<RichTextBox::Replacement> replacements;
    for (int span = 0; span < m_spans->count(); ++span) {
        if (m_spans->isEdited(span))
            continue;
        if (const std::optional<QString> moved = RepairSuggestions::movedTo(m_spans->at(span).link)) {
            const auto [offset, length] = m_spans->valueRange(span);
            replacements.push_back({offset, length, *moved});
        }
    }
    std::sort(replacements.begin(), replacements.end(),
              [](const auto& a, const auto& b) { return a.offset < b.offset; });
    if (!replacements.empty())
        m_editor->replaceRanges(replacements);
    m_statusSentence->setText(replacements.empty() ? tr("No permanent redirect to update")
                                                   : tr("%1 permanent redirects updated").arg(replacements.size()));
    m_linkReason->clear();
}
