#include "LinkFinder.h"

#include "LinkClassifier.h"
#include "common/SearchCopy.h"

namespace {
// Tags looked at between two looks at the clock.
constexpr int TagsPerClockLook = 256;
} // namespace

namespace {

// A value's result when it is known at once (empty, or never checked), with the reason that says so.
void preDecide(LinkEntry& entry)
{
    if (entry.result == LinkResult::Unchecked)
        return;
    entry.reason.kind = LinkReason::Kind::NotChecked;
    if (entry.result == LinkResult::NoCheckOther)
        entry.reason.target = schemeOf(entry.value);
    entry.decided = true;
}

} // namespace

LinkFinder::LinkFinder(const QString& text, bool resources)
    : m_text(text), m_upper(makeSearchCopy(text)), m_tagless(m_upper),
      m_tags(m_upper, resources ? TagCandidates::Kind::Any : TagCandidates::Kind::Links, &m_tagless),
      m_hrefs(m_upper, u" HREF"), m_positions(m_text)
{
    if (resources)
        m_resources.emplace(m_text, m_upper);
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
        if (QStringView(m_upper).sliced(m_tags.start()).startsWith(u"<A "))
            addLink(table, firstOfValue);
        else
            addResources(table, firstOfValue);
    }
    return true;
}

void LinkFinder::addLink(LinkTable& table, std::vector<int>& firstOfValue)
{
    const auto span = m_hrefs.find(m_tags.start(), m_tags.end());
    if (!span)
        return;
    const int index = table.count();
    LinkEntry entry;
    if (m_lastSpan == span) {
        firstOfValue.push_back(m_lastFirstOfValue);
        entry.result = table.entries[size_t(m_lastFirstOfValue)].result;
        entry.value = table.entries[size_t(m_lastFirstOfValue)].value;
    } else {
        firstOfValue.push_back(index);
        m_lastFirstOfValue = index;
        entry.result = preClassify(firstPassValue(m_upper, *span));
        entry.value = secondPassValue(m_text, *span);
    }
    m_lastSpan = span;
    entry.start = int(m_tags.start()) + 1;
    entry.length = int(m_tags.end() - m_tags.start() + 1);
    entry.valueStart = int(span->begin) + 1;
    entry.valueLength = int(span->end - span->begin);
    const TextPositions::LineColumn at = m_positions.at(m_tags.start());
    entry.line = at.line;
    entry.column = at.column;
    preDecide(entry);
    table.entries.push_back(std::move(entry));
}

void LinkFinder::addResources(LinkTable& table, std::vector<int>& firstOfValue)
{
    for (ResourceAddress& address : m_resources->of(m_tags.start(), m_tags.end())) {
        LinkEntry entry;
        entry.element = std::move(address.element);
        entry.attribute = std::move(address.attribute);
        entry.value = std::move(address.value);
        entry.result = preClassify(upperCaseKeepingLength(entry.value));
        entry.start = int(m_tags.start()) + 1;
        entry.length = int(m_tags.end() - m_tags.start() + 1);
        entry.valueStart = int(address.begin) + 1;
        entry.valueLength = int(address.end - address.begin);
        const TextPositions::LineColumn at = m_positions.at(m_tags.start());
        entry.line = at.line;
        entry.column = at.column;
        preDecide(entry);
        firstOfValue.push_back(table.count());
        table.entries.push_back(std::move(entry));
    }
}
