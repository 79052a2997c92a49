#include "Utf8Scan.h"

#include <QStringDecoder>

#include <cstdint>
#include <cstring>

namespace {

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// Offset of the first byte at or after `from` that is not ASCII, eight bytes at a time.
qsizetype skipAscii(QByteArrayView bytes, qsizetype from)
{
    const char* data = bytes.data();
    const qsizetype size = bytes.size();
    qsizetype at = from;
    for (; at + 8 <= size; at += 8) {
        std::uint64_t word;
        std::memcpy(&word, data + at, sizeof word);
        if (word & 0x8080808080808080ULL)
            break;
    }
    while (at < size && static_cast<unsigned char>(data[at]) < 0x80)
        ++at;
    return at;
}

// Length of the valid sequence starting at bytes[at] (1 for ASCII), or 0 when the byte there starts none.
qsizetype utf8SequenceLength(QByteArrayView bytes, qsizetype at)
{
    const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80)
        return 1;
    qsizetype length = 0;
    unsigned char low = 0x80; // the range of the second byte excludes overlong forms and surrogates
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (at + length > bytes.size())
        return 0;
    if (byte(at + 1) < low || byte(at + 1) > high)
        return 0;
    for (qsizetype i = 2; i < length; ++i) {
        if (!isContinuation(byte(at + i)))
            return 0;
    }
    return length;
}

} // namespace

Utf8Scan scanUtf8(QByteArrayView bytes)
{
    Utf8Scan scan;
    qsizetype at = 0;
    while ((at = skipAscii(bytes, at)) < bytes.size()) {
        const qsizetype length = utf8SequenceLength(bytes, at);
        if (length == 0) {
            scan.firstInvalid = at;
            break;
        }
        scan.multiByte = true;
        at += length;
    }
    return scan;
}

QString utf8AsItStands(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}
