#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// Where the HREF value sits in a tag: [begin, end) in tag coordinates.
struct ValueSpan {
    qsizetype begin = 0;
    qsizetype end = 0;
    bool closed = true; // false for a quoted value without its closing quote (then empty)
};

// Finds the HREF value in an upper-cased, normalised tag (from "<" through ">"). The forms are tried
// in this order: HREF="...", HREF='...', HREF=... (up to the next blank, else the ">"), each preceded
// by a blank. A quoted value without its closing quote is empty. nullopt when no form is present.
std::optional<ValueSpan> findHrefValue(QStringView upperTag);

// The value by the first pass: cut from the upper-cased tag and trimmed of blanks.
QString firstPassValue(QStringView upperTag);

// The value by the second pass: found in the upper-cased tag, cut from the tag as written at the same
// positions, trimmed of blanks. nullopt when the tag holds no HREF form.
std::optional<QString> secondPassValue(QStringView tag, QStringView upperTag);
