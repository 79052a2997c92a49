#include "MetaCharset.h"

#include "EncodingLabels.h"

#include <QByteArrayList>

#include <optional>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r';
}

bool isLetter(char c)
{
    const char lower = char(c | 0x20);
    return lower >= 'a' && lower <= 'z';
}

char toLower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c + 0x20) : c;
}

struct Attribute {
    QByteArray name;  // lower case
    QByteArray value; // lower case
};

// An attribute's value from `at` (past the '='). False when the bytes end first.
bool readValue(QByteArrayView s, qsizetype& at, QByteArray& value)
{
    while (at < s.size() && isBlank(s[at]))
        ++at;
    if (at >= s.size())
        return false;
    const char quote = s[at];
    if (quote == '"' || quote == '\'') {
        const qsizetype close = s.indexOf(quote, at + 1);
        if (close < 0)
            return false;
        for (qsizetype i = at + 1; i < close; ++i)
            value += toLower(s[i]);
        at = close + 1;
        return true;
    }
    while (at < s.size() && !isBlank(s[at]) && s[at] != '>')
        value += toLower(s[at++]);
    return at < s.size();
}

// The next attribute of a tag from `at`; none at the tag's end ('>', where `at` then stays) or the bytes' end.
std::optional<Attribute> nextAttribute(QByteArrayView s, qsizetype& at)
{
    while (at < s.size() && (isBlank(s[at]) || s[at] == '/'))
        ++at;
    if (at >= s.size() || s[at] == '>')
        return std::nullopt;
    Attribute attribute;
    while (at < s.size()) {
        const char c = s[at];
        if (c == '=' && !attribute.name.isEmpty()) {
            ++at;
            return readValue(s, at, attribute.value) ? std::optional(attribute) : std::nullopt;
        }
        if (isBlank(c)) {
            while (at < s.size() && isBlank(s[at]))
                ++at;
            if (at < s.size() && s[at] == '=') {
                ++at;
                return readValue(s, at, attribute.value) ? std::optional(attribute) : std::nullopt;
            }
            return at < s.size() ? std::optional(attribute) : std::nullopt;
        }
        if (c == '/' || c == '>')
            return attribute;
        attribute.name += toLower(c);
        ++at;
    }
    return std::nullopt;
}

// The encoding one <meta> element declares, its attributes read from `at` on; empty when it declares none
// that is known.
QString metaEncoding(QByteArrayView s, qsizetype& at)
{
    QByteArrayList seen;
    bool gotPragma = false;
    std::optional<bool> needPragma;
    QString encoding;
    while (const std::optional<Attribute> attribute = nextAttribute(s, at)) {
        if (seen.contains(attribute->name))
            continue;
        seen.append(attribute->name);
        if (attribute->name == "http-equiv") {
            gotPragma = gotPragma || attribute->value == "content-type";
        } else if (attribute->name == "content") {
            const QString declared = encodingForLabel(QString::fromLatin1(charsetParameter(attribute->value)));
            if (encoding.isEmpty() && !declared.isEmpty()) {
                encoding = declared;
                needPragma = true;
            }
        } else if (attribute->name == "charset") {
            encoding = encodingForLabel(QString::fromLatin1(attribute->value));
            needPragma = false;
        }
    }
    // A tag the scanned bytes cut off declares nothing.
    if (at >= s.size() || !needPragma || (*needPragma && !gotPragma))
        return QString();
    if (encoding == u"UTF-16LE" || encoding == u"UTF-16BE")
        return QStringLiteral("UTF-8");
    return encoding;
}

bool startsWithAt(QByteArrayView s, qsizetype at, QByteArrayView prefix)
{
    return s.size() - at >= prefix.size() && s.sliced(at, prefix.size()).compare(prefix, Qt::CaseInsensitive) == 0;
}

} // namespace

QString metaDeclaredEncoding(QByteArrayView bytes)
{
    const QByteArrayView s = bytes.first(qMin(bytes.size(), MetaScanBytes));
    qsizetype at = 0;
    while (at < s.size()) {
        const auto next = [&](qsizetype i) { return at + i < s.size() ? s[at + i] : '\0'; };
        if (startsWithAt(s, at, "<!--")) {
            const qsizetype close = s.indexOf("-->", at + 2);
            if (close < 0)
                break;
            at = close + 3;
        } else if (startsWithAt(s, at, "<meta") && (isBlank(next(5)) || next(5) == '/')) {
            at += 5;
            const QString encoding = metaEncoding(s, at);
            if (!encoding.isEmpty())
                return encoding;
        } else if (s[at] == '<' && (isLetter(next(1)) || (next(1) == '/' && isLetter(next(2))))) {
            while (at < s.size() && !isBlank(s[at]) && s[at] != '>')
                ++at;
            while (nextAttribute(s, at)) {
            }
        } else if (s[at] == '<' && (next(1) == '!' || next(1) == '/' || next(1) == '?')) {
            const qsizetype close = s.indexOf('>', at);
            if (close < 0)
                break;
            at = close + 1;
        } else {
            ++at;
        }
    }
    return QString();
}
