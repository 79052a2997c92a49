#include "SearchCopy.h"

#include <utility>

QString upperCaseKeepingLength(const QString& text)
{
    QString upper = text;
    QChar* out = upper.data();
    const qsizetype n = upper.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = out[i];
        if (c.unicode() < 0x80) {
            if (c >= u'a' && c <= u'z')
                out[i] = QChar(c.unicode() - 0x20);
            continue;
        }
        if (c.isHighSurrogate() && i + 1 < n && out[i + 1].isLowSurrogate()) {
            const char32_t code = QChar::surrogateToUcs4(c, out[i + 1]);
            const char32_t mapped = QChar::toUpper(code);
            if (QChar::requiresSurrogates(mapped)) {
                out[i] = QChar(QChar::highSurrogate(mapped));
                out[i + 1] = QChar(QChar::lowSurrogate(mapped));
            }
            ++i;
            continue;
        }
        const char32_t mapped = QChar::toUpper(char32_t(c.unicode()));
        if (!QChar::requiresSurrogates(mapped))
            out[i] = QChar(char16_t(mapped));
    }
    return upper;
}

QString makeSearchCopy(const QString& text)
{
    QString copy = upperCaseKeepingLength(text);
    QChar* out = copy.data();
    const qsizetype n = copy.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (out[i] == u'\r' || out[i] == u'\n' || out[i] == u'\t')
            out[i] = u' ';
    }
    return copy;
}

namespace {

// [begin, end) of text without its leading and trailing blanks.
std::pair<qsizetype, qsizetype> blankFreeRange(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == u' ')
        ++begin;
    while (end > begin && text.at(end - 1) == u' ')
        --end;
    return {begin, end};
}

} // namespace

QString trimBlanks(const QString& text)
{
    const auto [begin, end] = blankFreeRange(text);
    return text.mid(begin, end - begin);
}

QStringView trimBlanks(QStringView text)
{
    const auto [begin, end] = blankFreeRange(text);
    return text.sliced(begin, end - begin);
}
