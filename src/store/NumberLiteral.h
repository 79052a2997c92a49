#pragma once

#include <QString>

#include <optional>

// True when text, blanks (spaces, tabs) around it ignored, is one complete number literal: decimal
// digits with an optional leading sign, thousands separators (",") in the integer part, an optional
// decimal point and an optional exponent ("E" or "D", an optional sign, digits). "001", "12", "1e3",
// "-2.5" and "1,000" are numbers; "", "htm", "1a", "0x10" and "1.2.3" are not.
bool isNumberLiteral(const QString& text);

// The value of a number literal rounded to the nearest integer, halves to even (2.5 gives 2, 3.5
// gives 4). nullopt when text is not a number literal or the rounded value lies outside
// [minimum, maximum]; a literal too large for any integer counts as outside, however large. The bounds
// must lie within ±2^53, where every integer is exact as a double.
std::optional<qint64> roundedNumber(const QString& text, qint64 minimum, qint64 maximum);
