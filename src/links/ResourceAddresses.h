#pragma once

#include "TagValue.h"

#include <QString>
#include <QStringView>

#include <vector>

// One address a tag loads: the element and attribute it stands in, where its value stands in the text,
// and the value as written.
struct ResourceAddress {
    QString element;     // upper case: "IMG"
    QString attribute;   // upper case: "SRC"
    qsizetype begin = 0; // of the value, in the text; an empty value begins where its attribute's would
    qsizetype end = 0;
    QString value;
};

// Finds the addresses a page loads besides its <A HREF> links: images (IMG SRC and each candidate of SRCSET),
// stylesheets and other LINK HREF, SCRIPT SRC, IFRAME and FRAME SRC, SOURCE SRC and SRCSET, VIDEO SRC and
// POSTER, AUDIO and TRACK SRC, EMBED SRC, OBJECT DATA, INPUT SRC of an image button, AREA HREF, and the URL
// of <META HTTP-EQUIV="refresh" CONTENT="N; url=...">. Values are read as HREF values are (TagValue.h).
// Tags must be taken in text order: the searches go on from where the last one stopped.
class ResourceAddresses {
public:
    // upper: the search copy of text.
    ResourceAddresses(QStringView text, QStringView upper);

    // The addresses of the tag from start ("<") through close (its ">"), in text order; none for a tag
    // that loads nothing.
    std::vector<ResourceAddress> of(qsizetype start, qsizetype close);

private:
    QStringView m_text;
    QStringView m_upper;
    AttributeValues m_src;
    AttributeValues m_srcset;
    AttributeValues m_href;
    AttributeValues m_poster;
    AttributeValues m_data;
    AttributeValues m_content;
    AttributeValues m_type;
    AttributeValues m_httpEquiv;
};
