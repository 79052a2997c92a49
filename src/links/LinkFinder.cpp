#include "LinkFinder.h"

#include "LinkClassifier.h"
#include "common/SearchCopy.h"

namespace {
// Tags looked at between two looks at the clock.
constexpr int TagsPerClockLook = 256;
} // namespace

LinkFinder::LinkFinder(const QString& text)
    : m_text(text), m_upper(makeSearchCopy(text)), m_tagless(m_upper),
      m_tags(m_upper, TagCandidates::Kind::Links, &m_tagless), m_hrefs(m_upper), m_positions(m_text)
{
}

bool LinkFinder::findMore(LinkTable& table, std::vector<int>& firstOfValue, const QDeadlineTimer& deadline)
{
    for (int looked = 1; !m_done; ++looked) {
        if (looked % TagsPerClockLook == 0 && deadline.hasExpired())
            return false;
        // Once no ">" follows a candidate, none follows any later one either.
        if (!m_tags.next() || m_tags.end() < 0) {
            m_done = true;
            break;
        }
        const auto span = m_hrefs.find(m_tags.start(), m_tags.end());
        if (!span)
            continue;
        const int index = table.count();
        LinkEntry entry;
        if (m_lastSpan == span) {
            const int first = firstOfValue.back();
            firstOfValue.push_back(first);
            entry.result = table.entries[size_t(first)].result;
            entry.value = table.entries[size_t(first)].value;
        } else {
            firstOfValue.push_back(index);
            entry.result = preClassify(firstPassValue(m_upper, *span));
            entry.value = secondPassValue(m_text, *span);
        }
        m_lastSpan = span;
        entry.start = int(m_tags.start()) + 1;
        entry.length = int(m_tags.end() - m_tags.start() + 1);
        const TextPositions::LineColumn at = m_positions.at(m_tags.start());
        entry.line = at.line;
        entry.column = at.column;
        if (entry.result != LinkResult::Unchecked) {
            entry.reason.kind = LinkReason::Kind::NotChecked;
            if (entry.result == LinkResult::NoCheckOther)
                entry.reason.target = schemeOf(entry.value);
            entry.decided = true;
        }
        table.entries.push_back(std::move(entry));
    }
    return true;
}
