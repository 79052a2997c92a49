#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The canonical iconv name of an encoding label, read as browsers read labels (the label table of the
// WHATWG Encoding Standard, for the encodings iconv converts): "Shift_JIS", "sjis", "windows-31j" ->
// "CP932"; "latin1", "us-ascii" -> "WINDOWS-1252". Letter case and surrounding blanks do not matter.
// Empty for a label browsers do not know, and for those they refuse to decode ("iso-2022-kr", ...).
QString encodingForLabel(QStringView label);

// The charset in a Content-Type value (a response header or the content of a <meta http-equiv>):
// "text/html; charset=Shift_JIS" -> "Shift_JIS". Quoted and unquoted values; empty when there is none.
QByteArray charsetParameter(QByteArrayView contentType);
