#pragma once

#include "WebLinkCheck.h"

#include <QString>

// Why a link has its result, decided where the result is decided. The result code says which scheme
// a link not checked has; this says what was looked up, and what came of it.
struct LinkReason {
    enum class Kind {
        None,       // no value: the tag holds no HREF form
        NotChecked, // an empty value, or a scheme never checked (the result code says which)
        Anchor,     // an in-page link: target is the anchor name looked up
        File,       // a file link: target is the path looked up
        Web,        // a web link: target is the URL requested, web the verdict
        WebThenFile // a root-relative link of a web document: web failed, then the file was looked up
    };

    Kind kind = Kind::None;
    QString target;
    WebVerdict web; // for Web and WebThenFile
};
