#pragma once

#include <QByteArrayView>
#include <QString>

// How far into a document a <meta> declaration of its encoding counts.
constexpr qsizetype MetaScanBytes = 4096;

// The canonical iconv name of the encoding the first <meta charset> or <meta http-equiv="Content-Type"
// content="...; charset=..."> in the first MetaScanBytes declares, the bytes read as ASCII the way a
// browser's prescan reads them: comments and other tags' attribute values are skipped; any letter case,
// quoting and attribute order. A <meta> tag must end within those bytes. A declaration naming an
// unknown encoding is passed over; one naming UTF-16 means UTF-8 (a page whose declaration reads as
// ASCII is no UTF-16). Empty when there is none.
QString metaDeclaredEncoding(QByteArrayView bytes);
