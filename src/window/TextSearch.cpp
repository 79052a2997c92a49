#include "TextSearch.h"

#include "links/LinkFinder.h"

#include <algorithm>

namespace {

// Offsets between the CR and LF of a break have no place in the editor, which holds the pair as one character.
bool splitsBreak(const QString& text, qsizetype offset)
{
    return offset > 0 && offset < text.size() && text.at(offset - 1) == u'\r' && text.at(offset) == u'\n';
}

QRegularExpression expressionFor(const SearchQuery& query)
{
    // PCRE reads only LF as a line end unless told otherwise.
    const QString pattern = query.regularExpression ? QStringLiteral("(*ANYCRLF)") + query.pattern
                                                    : QRegularExpression::escape(query.pattern);
    QRegularExpression::PatternOptions options = QRegularExpression::MultilineOption;
    if (!query.matchCase)
        options |= QRegularExpression::CaseInsensitiveOption;
    return QRegularExpression(pattern, options);
}

// Where the values of the text's link tags stand, [start, end), as the check finds them, in text order.
QList<std::pair<qsizetype, qsizetype>> linkValueRanges(const QString& text, bool resources)
{
    LinkFinder finder(text, resources);
    LinkTable table{text, {}};
    std::vector<int> firstOfValue;
    finder.findMore(table, firstOfValue, QDeadlineTimer(QDeadlineTimer::Forever));
    QList<std::pair<qsizetype, qsizetype>> ranges;
    for (const LinkEntry& entry : table.entries) {
        const qsizetype start = entry.valueStart - 1;
        // Nested candidates share one value ("<a <a href=x>"): it is searched once.
        if (ranges.isEmpty() || start >= ranges.last().second)
            ranges.append({start, start + entry.valueLength});
    }
    return ranges;
}

} // namespace

TextSearch::TextSearch(const SearchQuery& query, bool resources)
    : m_expression(expressionFor(query)), m_regularExpression(query.regularExpression),
      m_linkValuesOnly(query.linkValuesOnly), m_resources(resources)
{
    if (query.pattern.isEmpty())
        m_expression = QRegularExpression();
}

bool TextSearch::isValid() const
{
    return !m_expression.pattern().isEmpty() && m_expression.isValid();
}

QList<TextMatch> TextSearch::matchesIn(const QString& text) const
{
    QList<TextMatch> matches;
    if (!isValid())
        return matches;
    if (!m_linkValuesOnly) {
        collect(text, 0, text.size(), matches);
        return matches;
    }
    for (const auto& [start, end] : linkValueRanges(text, m_resources))
        collect(text, start, end - start, matches);
    return matches;
}

void TextSearch::collect(const QString& text, qsizetype from, qsizetype length, QList<TextMatch>& matches) const
{
    QRegularExpressionMatchIterator found = m_expression.globalMatch(QStringView(text).sliced(from, length));
    while (found.hasNext()) {
        const QRegularExpressionMatch match = found.next();
        const qsizetype start = from + match.capturedStart();
        const qsizetype end = from + match.capturedEnd();
        if (start == end || splitsBreak(text, start) || splitsBreak(text, end))
            continue;
        TextMatch textMatch{int(start), int(end - start), {}};
        if (m_regularExpression) {
            for (int group = 0; group <= match.lastCapturedIndex(); ++group)
                textMatch.captured.append(match.captured(group));
        }
        matches.append(std::move(textMatch));
    }
}

QString TextSearch::replacementFor(const TextMatch& match, const QString& replacement) const
{
    if (!m_regularExpression)
        return replacement;
    QString result;
    for (qsizetype i = 0; i < replacement.size(); ++i) {
        const QChar next = i + 1 < replacement.size() ? replacement.at(i + 1) : QChar();
        if (replacement.at(i) == u'\\' && next >= u'0' && next <= u'9') {
            result += match.captured.value(next.unicode() - u'0');
            ++i;
        } else if (replacement.at(i) == u'\\' && next == u'\\') {
            result += u'\\';
            ++i;
        } else {
            result += replacement.at(i);
        }
    }
    return result;
}

std::optional<FoundMatch> stepToMatch(const QList<TextMatch>& matches, int selectionStart, int selectionLength,
                                      bool forward)
{
    if (matches.isEmpty())
        return std::nullopt;
    const int from = forward ? selectionStart + selectionLength : selectionStart;
    // The first match beginning at or after `from`.
    const auto after = std::lower_bound(matches.begin(), matches.end(), from,
                                        [](const TextMatch& match, int offset) { return match.start < offset; });
    if (forward)
        return after != matches.end() ? FoundMatch{*after, false} : FoundMatch{matches.first(), true};
    return after != matches.begin() ? FoundMatch{*std::prev(after), false} : FoundMatch{matches.last(), true};
}
