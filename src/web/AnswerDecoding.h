#pragma once

#include "common/TextEncoding.h"

#include <QByteArray>
#include <QString>

// The text of a web answer that a check compares (WebCheck::Decoder): decoded in the encoding its own
// bytes name, a byte-order mark or a <meta> declaration in its first bytes, else in the encoding of the
// document being checked (UTF-8 for a UTF-16 document). The Content-Type header does not count: the
// answers for probe URLs reach the decoder without it, and a verdict compares a link's page with its
// host's probe answer, so the same bytes must always decode to the same text.
QString decodeWebAnswer(const QByteArray& body, const TextEncoding& documentEncoding);
