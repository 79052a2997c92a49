#include "Fragment.h"

#include <QByteArray>
#include <QStringDecoder>
#include <QStringList>

namespace {

struct NamedReference {
    QStringView name;
    char16_t character;
};

constexpr NamedReference NamedReferences[] = {
    {u"amp", u'&'}, {u"lt", u'<'}, {u"gt", u'>'}, {u"quot", u'"'}, {u"apos", u'\''}, {u"nbsp", u'\u00A0'},
};

// The character a reference starting with "&" at `at` stands for, and the reference's length.
std::optional<std::pair<QString, qsizetype>> referenceAt(QStringView value, qsizetype at)
{
    const qsizetype semicolon = value.indexOf(u';', at);
    if (semicolon < 0 || semicolon - at > 12)
        return std::nullopt;
    const QStringView body = value.sliced(at + 1, semicolon - at - 1);
    const qsizetype length = semicolon - at + 1;
    if (body.startsWith(u'#')) {
        const bool hex = body.size() > 1 && (body[1] == u'x' || body[1] == u'X');
        bool ok = false;
        const uint code = body.sliced(hex ? 2 : 1).toUInt(&ok, hex ? 16 : 10);
        // NUL, surrogates and numbers past Unicode are no characters.
        if (!ok || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return std::nullopt;
        const char32_t character = code;
        return std::pair(QString::fromUcs4(&character, 1), length);
    }
    for (const NamedReference& named : NamedReferences) {
        if (body == named.name)
            return std::pair(QString(QChar(named.character)), length);
    }
    return std::nullopt;
}

} // namespace

QString decodeCharacterReferences(QStringView value)
{
    if (!value.contains(u'&'))
        return value.toString();
    QString decoded;
    decoded.reserve(value.size());
    for (qsizetype i = 0; i < value.size();) {
        if (value[i] == u'&') {
            if (const auto reference = referenceAt(value, i)) {
                decoded += reference->first;
                i += reference->second;
                continue;
            }
        }
        decoded += value[i++];
    }
    return decoded;
}

QStringList fragmentCandidates(const QString& fragment)
{
    const QString asWritten = decodeCharacterReferences(fragment);
    QStringList candidates{asWritten};
    if (!asWritten.contains(u'%'))
        return candidates;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8(QByteArray::fromPercentEncoding(asWritten.toUtf8()));
    if (!utf8.hasError() && decoded != asWritten)
        candidates.append(decoded);
    return candidates;
}
