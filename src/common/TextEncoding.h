#pragma once

#include "CodePage.h"

#include <QByteArray>
#include <QString>

// The encoding of one document: the code page it is read and written in, and whether its bytes begin
// with a byte-order mark that is written back.
struct TextEncoding {
    QString name;               // canonical iconv name: "UTF-8", "UTF-16LE", "CP932", "EUC-JP", "WINDOWS-1252", ...
    bool byteOrderMark = false; // only UTF-8, UTF-16LE and UTF-16BE have one

    // For the user: "Shift_JIS" for CP932, "UTF-8 (BOM)", "Windows-1252", ...
    QString displayName() const;
    // What precedes the text in the file: the mark, or nothing.
    QByteArray markBytes() const;

    friend bool operator==(const TextEncoding&, const TextEncoding&) = default;
};

// The byte-order mark of an encoding: EF BB BF, FF FE or FE FF; empty for the others.
QByteArray byteOrderMarkOf(const QString& name);

struct DecodedDocument {
    QString text;
    TextEncoding encoding;
    qsizetype firstBadByte = -1; // offset in the document's bytes (mark included)
    qsizetype badByteCount = 0;
    bool clean() const { return badByteCount == 0; }
};
// Decodes a whole document: a leading mark of that encoding is taken off the text and recorded.
DecodedDocument decodeDocument(const QByteArray& bytes, const QString& encodingName);
// The bytes of a whole document: the mark first when the encoding has one; indexes refer to `text`.
CodePage::Encoded encodeDocument(const QString& text, const TextEncoding& encoding);
