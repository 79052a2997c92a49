#pragma once

#include "TagScan.h"

#include <QString>
#include <QStringView>

#include <optional>

// Finds the values of one attribute (HREF, SRC ...) of the tags of one search copy (upper-cased,
// normalised), for tags taken in text order: every search goes on from where the last one stopped, so a
// whole text costs about one pass even when thousands of tags share one ">". The forms are tried in this
// order: NAME="...", NAME='...', NAME=... (up to the next blank, else the ">"), each preceded by a blank,
// with blanks allowed around the "=". The first occurrence of a form anywhere in the tag counts. A quoted
// value without its closing quote is empty.
class AttributeValues {
public:
    // blankAndName: a blank and the upper-case name, " HREF".
    AttributeValues(QStringView upper, QStringView blankAndName);

    // The value of the tag from start through close (its ">"; the text's end when it has none), in
    // positions of the copy; nullopt when the tag holds no form.
    std::optional<ValueSpan> find(qsizetype start, qsizetype close);

private:
    NextAttribute m_doubleQuoted;
    NextAttribute m_singleQuoted;
    NextAttribute m_any;
    ValueEnds m_ends;
};

// The HREF value of one upper-cased, normalised tag (from "<" through ">"), in tag positions.
std::optional<ValueSpan> findHrefValue(QStringView upperTag);

// The value by the first pass: cut from the search copy and trimmed of blanks.
QStringView firstPassValue(QStringView upper, const ValueSpan& span);
// The value by the second pass: cut from the text as written at the same positions, trimmed of blanks.
QString secondPassValue(QStringView text, const ValueSpan& span);
// The second-pass value of one tag; nullopt when it holds no HREF form.
std::optional<QString> secondPassValue(QStringView tag, QStringView upperTag);
