#include "LinkNavigator.h"

#include "CheckProgress.h"
#include "LinkKinds.h"
#include "TagScan.h"
#include "common/Prompter.h"
#include "common/RichTextBox.h"
#include "common/RunState.h"
#include "common/SearchCopy.h"

#include <exception>

LinkNavigator::LinkNavigator(const RunState& run, RichTextBox& editor, CheckProgress& events, Prompter& prompter)
    : m_run(run), m_editor(editor), m_events(events), m_prompter(prompter)
{
}

int LinkNavigator::startPosition(bool forward, const QString& text)
{
    if (forward) {
        // After a move only the "<" is selected: step over the rest of that tag first.
        if (m_editor.selText() == QStringLiteral("<"))
            m_editor.extendSelectionUpTo(u'>');
        return m_editor.selStart() + m_editor.selLength() + 1;
    }
    // Walk back to where the selected text really stands in the text.
    const int length = m_editor.selLength();
    const QString selected = m_editor.selText();
    int k = m_editor.selStart();
    while (true) {
        if (QStringView(text).mid(k, length) == selected) {
            --k;
            break;
        }
        --k;
        if (k <= 0)
            break;
    }
    return k < 1 ? 0 : k;
}

bool LinkNavigator::accepts(std::optional<LinkClass> kind) const
{
    if (!kind)
        return true;
    return m_editor.selLinkMark() && m_editor.selColor() == colorOf(*kind);
}

bool LinkNavigator::moveToLink(bool forward, std::optional<LinkClass> kind)
{
    try {
        const int start0 = m_editor.selStart();
        const int length0 = m_editor.selLength();
        const QString text = m_editor.text();
        const QString upper = makeSearchCopy(text);
        NextOccurrence closing(upper, u">");
        NextAttribute href(upper, u" HREF");

        int pos = startPosition(forward, text);
        bool found = false;
        while (pos >= 1) {
            m_events.processEvents();
            if (m_run.abort.isRequested())
                break;
            // a: 0-based start of the candidate "<A ".
            // (lastIndexOf reads a negative start as counting from the end.)
            const qsizetype a =
                forward ? upper.indexOf(u"<A ", pos - 1) : (pos < 3 ? -1 : upper.lastIndexOf(u"<A ", pos - 3));
            if (a < 0)
                break;
            const qsizetype b = closing.at(a);
            if (b >= 0 && href.within(a, b)) {
                // The text was read from the editor, so the tag stands at a itself: only its "<" is
                // selected, without copying or searching the tag.
                m_editor.setSelection(int(a), 1);
                if (accepts(kind)) {
                    found = true;
                    break;
                }
            }
            pos = forward ? int(a) + 2 : int(a);
        }
        if (found)
            return true;
        m_editor.setSelection(start0, length0);
        m_prompter.ask({PromptId::LinkNotFound});
        return true;
    } catch (const std::exception&) {
        return false;
    }
}
