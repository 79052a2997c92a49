#pragma once

#include "TextEncoding.h"

#include <QString>

// Decodes the %XX escapes of a file link's path. A run of escapes whose bytes are valid UTF-8 decodes
// as UTF-8 (file names on disk are UTF-8); any other run in the document's encoding. A run that decodes
// in neither, an invalid escape ("%G1", a lone "%") and %00 (no file name holds it) stay as written.
QString decodePercentInPath(const QString& value, const TextEncoding& documentEncoding);
