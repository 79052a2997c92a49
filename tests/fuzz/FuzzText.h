#pragma once

#include <QString>

#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <string>

// Bytes taken as UTF-16 code units as they are, lone surrogates included (an odd last byte dropped).
inline QString utf16Text(const std::string& bytes)
{
    QString text(qsizetype(bytes.size() / 2), Qt::Uninitialized);
    std::memcpy(text.data(), bytes.data(), size_t(text.size()) * sizeof(char16_t));
    return text;
}

// The rest of the input as text: decoded as UTF-8, or as UTF-16 code units.
inline QString remainingText(FuzzedDataProvider& input, bool asUtf16)
{
    const std::string bytes = input.ConsumeRemainingBytesAsString();
    return asUtf16 ? utf16Text(bytes) : QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
}

// A short piece of the input as UTF-8 text.
inline QString shortText(FuzzedDataProvider& input, size_t maxBytes)
{
    const std::string bytes = input.ConsumeRandomLengthString(maxBytes);
    return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
}
