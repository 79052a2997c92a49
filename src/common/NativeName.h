#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// File names on Linux are bytes, and not every name is valid UTF-8. Such a name is held as a QString with
// each byte that does not decode standing as a lone surrogate U+DC80..U+DCFF, so that the string names the
// same file again (toNativeName) where a decoding with U+FFFD would lose it.
QString fromNativeName(QByteArrayView bytes);
// The bytes of a name held so; other characters in UTF-8.
QByteArray toNativeName(QStringView name);
// The name as a UTF-8 terminal shows it: U+FFFD for each byte that does not decode.
QString shownName(QString name);
// True when the name holds a byte that does not decode (see fromNativeName).
bool holdsUndecodableBytes(QStringView name);
