#include "PercentDecoding.h"

#include "Utf8Scan.h"

namespace {

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

// The byte of the escape at `at`, or -1 when there is no decodable escape there.
int escapedByte(const QString& value, qsizetype at)
{
    if (at + 3 > value.size() || value.at(at) != u'%')
        return -1;
    const int high = hexValue(value.at(at + 1));
    const int low = hexValue(value.at(at + 2));
    if (high < 0 || low < 0 || (high == 0 && low == 0))
        return -1;
    return high * 16 + low;
}

} // namespace

QString decodePercentInPath(const QString& value, const TextEncoding& documentEncoding)
{
    if (!value.contains(u'%'))
        return value;
    const CodePage codePage(documentEncoding.name);
    QString result;
    result.reserve(value.size());
    qsizetype at = 0;
    while (at < value.size()) {
        QByteArray run;
        qsizetype end = at;
        for (int byte; (byte = escapedByte(value, end)) >= 0; end += 3)
            run.append(char(byte));
        if (run.isEmpty()) {
            result += value.at(at++);
            continue;
        }
        std::optional<QString> decoded;
        if (scanUtf8(run).valid())
            decoded = utf8AsItStands(run);
        else
            decoded = codePage.decodeClean(run);
        result += decoded ? *decoded : value.mid(at, end - at);
        at = end;
    }
    return result;
}
