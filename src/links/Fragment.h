#pragma once

#include <QString>
#include <QStringView>

// The character references of an attribute value (&amp;, &#38;, &#x26; and the named ones of the HTML
// syntax, &lt; &gt; &quot; &apos; &nbsp;) replaced by the characters they stand for, as a browser reads
// the value; anything else stays as written.
QString decodeCharacterReferences(QStringView value);

// What a fragment (the part of a link after its "#", as written) is looked up as, in order: the fragment
// with its character references decoded, then also percent-decoded as UTF-8 (when that is UTF-8 at all).
QStringList fragmentCandidates(const QString& fragment);
