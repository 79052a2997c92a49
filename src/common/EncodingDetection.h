#pragma once

#include "TextEncoding.h"

#include <QByteArray>
#include <QString>

// Which rule decided a document's encoding, in the order they are tried.
enum class EncodingRule {
    Forced,          // the configuration names the code page of every document
    Bom,             // a UTF-8, UTF-16LE or UTF-16BE byte-order mark
    HttpCharset,     // the charset of the response's Content-Type
    MetaDeclaration, // a <meta> declaration in the first MetaScanBytes
    Utf8,            // valid UTF-8 with at least one character beyond ASCII
    Guess,           // the statistics of the bytes
    Fallback,        // the configured fallback code page (CP932)
};

struct DetectedEncoding {
    TextEncoding encoding;
    EncodingRule rule = EncodingRule::Fallback;
};

// The encoding of one document, by the first rule that applies:
// - `configured` names a code page (a label or iconv name; "auto" or empty detects): that one, always.
//   It is forced: a byte-order mark of another encoding is read as bytes of the forced one (a mark of
//   the forced encoding itself is recognised and kept). A name iconv does not know counts as "auto".
// - a byte-order mark;
// - the charset of `httpContentType`, the Content-Type of the response the document came with (empty
//   for files);
// - a <meta> declaration in the first MetaScanBytes;
// - valid UTF-8 with at least one character beyond ASCII;
// - ASCII markup in UTF-16 without a mark; otherwise the statistical guess: a Japanese encoding it names
//   that decodes the bytes cleanly, or UTF-8 when it names UTF-8 (bad bytes further on);
// - the fallback CP932 when it decodes the bytes cleanly; EUC-JP when it does; any other guess; CP932.
// A declaration naming an unknown encoding is passed over; one that does not decode the bytes cleanly
// loses to UTF-8 or to CP932 when one of them does.
DetectedEncoding detectEncoding(const QByteArray& bytes, const QString& httpContentType, const QString& configured);

struct DetectedDocument {
    DecodedDocument document;
    EncodingRule rule = EncodingRule::Fallback;
};
// detectEncoding and decodeDocument at once: bytes the detection already decoded are not decoded again.
DetectedDocument decodeDetected(const QByteArray& bytes, const QString& httpContentType, const QString& configured);
