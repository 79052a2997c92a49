#pragma once

#include <QString>

// Upper-cases one character (or surrogate pair) by the simple case mapping, which never changes
// the length, so positions in an upper-cased copy stay those of the original.
QString upperCaseKeepingLength(const QString& text);

// The copy every tag search runs on: upper-cased, then CR LF -> two blanks, remaining CR -> blank,
// tab -> blank. Each replacement keeps the length, so a position in the copy is one in the text.
QString makeSearchCopy(const QString& text);

// Blanks (U+0020 only) removed from both ends.
QString trimBlanks(const QString& text);

