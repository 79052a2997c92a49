#pragma once

#include "LinkCheckJob.h"

#include <QString>

#include <optional>

class TaglessRanges;

// The value of the first <BASE HREF> of a text, as written and trimmed of blanks, outside comments and the
// like; nothing when the text has none. upper: its search copy.
std::optional<QString> baseHref(QStringView text, QStringView upper, const TaglessRanges& tagless);

// Where the relative links of a document lead from once its <BASE HREF> is taken, as a browser takes the
// first one: a web base makes them web links under it, a relative one is resolved against the document.
CheckContext withBaseHref(const CheckContext& context, const QString& href);
