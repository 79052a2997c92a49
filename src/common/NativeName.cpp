#include "NativeName.h"

#include "Utf8Scan.h"

#include <algorithm>

namespace {

constexpr char16_t EscapeBase = 0xDC00; // byte b (0x80..0xFF) stands as U+DC00 + b

bool isEscapedByte(QChar c)
{
    return c.unicode() >= EscapeBase + 0x80 && c.unicode() <= EscapeBase + 0xFF;
}

} // namespace

QString fromNativeName(QByteArrayView bytes)
{
    QString name;
    for (qsizetype at = 0; at < bytes.size();) {
        const Utf8Scan scan = scanUtf8(bytes.sliced(at));
        const qsizetype validLength = scan.valid() ? bytes.size() - at : scan.firstInvalid;
        name += utf8AsItStands(bytes.sliced(at, validLength));
        at += validLength;
        if (at < bytes.size())
            name += QChar(char16_t(EscapeBase + static_cast<unsigned char>(bytes[at++])));
    }
    return name;
}

QByteArray toNativeName(QStringView name)
{
    if (!holdsUndecodableBytes(name))
        return name.toUtf8();
    QByteArray bytes;
    qsizetype runStart = 0;
    for (qsizetype at = 0; at <= name.size(); ++at) {
        if (at < name.size() && !isEscapedByte(name[at]))
            continue;
        bytes += name.sliced(runStart, at - runStart).toUtf8();
        if (at < name.size())
            bytes += char(name[at].unicode() - EscapeBase);
        runStart = at + 1;
    }
    return bytes;
}

QString shownName(QString name)
{
    for (QChar& c : name) {
        if (isEscapedByte(c))
            c = QChar::ReplacementCharacter;
    }
    return name;
}

bool holdsUndecodableBytes(QStringView name)
{
    return std::any_of(name.begin(), name.end(), isEscapedByte);
}
