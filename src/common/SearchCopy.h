#pragma once

#include <QString>

// Upper-cases one character (or surrogate pair) by the simple case mapping, which never changes
// the length, so positions in an upper-cased copy stay those of the original.
QString upperCaseKeepingLength(const QString& text);

// The copy every tag search runs on: upper-cased, then every CR, LF and tab made a blank, as HTML reads
// them between a tag's name and its attributes. Each replacement keeps the length, so a position in the
// copy is one in the text.
QString makeSearchCopy(const QString& text);

// Blanks (U+0020 only) removed from both ends.
QString trimBlanks(const QString& text);
QStringView trimBlanks(QStringView text);

