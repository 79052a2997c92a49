#pragma once

#include <QString>

#include <QByteArrayView>

// One linear pass over bytes as UTF-8 (shortest forms only, no surrogates, nothing above U+10FFFF).
struct Utf8Scan {
    qsizetype firstInvalid = -1; // offset of the first byte that starts no valid sequence
    bool multiByte = false;      // a valid sequence of two or more bytes comes before firstInvalid
    bool valid() const { return firstInvalid < 0; }
};
Utf8Scan scanUtf8(QByteArrayView bytes);

// Valid UTF-8 as it stands: EF BB BF at the start is the character U+FEFF like anywhere else
// (QString::fromUtf8 drops it, and with it a character of the text).
QString utf8AsItStands(QByteArrayView bytes);
