#include "TextEncoding.h"

namespace {

struct DisplayName {
    const char* name;
    const char* shown;
};

// Canonical names the user knows by another name; the rest are shown as they are.
constexpr DisplayName DisplayNames[] = {
    {"CP932", "Shift_JIS"},
    {"WINDOWS-874", "Windows-874"},
    {"WINDOWS-1250", "Windows-1250"},
    {"WINDOWS-1251", "Windows-1251"},
    {"WINDOWS-1252", "Windows-1252"},
    {"WINDOWS-1253", "Windows-1253"},
    {"WINDOWS-1254", "Windows-1254"},
    {"WINDOWS-1255", "Windows-1255"},
    {"WINDOWS-1256", "Windows-1256"},
    {"WINDOWS-1257", "Windows-1257"},
    {"WINDOWS-1258", "Windows-1258"},
    {"BIG5-HKSCS", "Big5"},
    {"CP949", "EUC-KR"},
    {"MACINTOSH", "Macintosh"},
};

} // namespace

QString TextEncoding::displayName() const
{
    QString shown = name;
    for (const DisplayName& entry : DisplayNames) {
        if (name.compare(QLatin1StringView(entry.name), Qt::CaseInsensitive) == 0)
            shown = QString::fromLatin1(entry.shown);
    }
    if (byteOrderMark && !markBytes().isEmpty())
        shown += QStringLiteral(" (BOM)");
    return shown;
}

QByteArray TextEncoding::markBytes() const
{
    return byteOrderMark ? byteOrderMarkOf(name) : QByteArray();
}

QByteArray byteOrderMarkOf(const QString& name)
{
    if (name.compare(u"UTF-8", Qt::CaseInsensitive) == 0)
        return QByteArrayLiteral("\xEF\xBB\xBF");
    if (name.compare(u"UTF-16LE", Qt::CaseInsensitive) == 0)
        return QByteArrayLiteral("\xFF\xFE");
    if (name.compare(u"UTF-16BE", Qt::CaseInsensitive) == 0)
        return QByteArrayLiteral("\xFE\xFF");
    return QByteArray();
}

DecodedDocument decodeDocument(const QByteArray& bytes, const QString& encodingName)
{
    const QByteArray mark = byteOrderMarkOf(encodingName);
    const bool marked = !mark.isEmpty() && bytes.startsWith(mark);
    const qsizetype skipped = marked ? mark.size() : 0;
    CodePage::Decoded decoded = CodePage(encodingName).decodeChecked(QByteArrayView(bytes).sliced(skipped));
    DecodedDocument document;
    document.text = std::move(decoded.text);
    document.encoding = {encodingName, marked};
    document.firstBadByte = decoded.firstBadByte < 0 ? -1 : decoded.firstBadByte + skipped;
    document.badByteCount = decoded.badByteCount;
    return document;
}

CodePage::Encoded encodeDocument(const QString& text, const TextEncoding& encoding)
{
    CodePage::Encoded encoded = CodePage(encoding.name).encode(text);
    if (encoded.ok())
        encoded.bytes.prepend(encoding.markBytes());
    return encoded;
}
