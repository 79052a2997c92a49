#pragma once

#include "WebLinkCheck.h"

#include <QString>

// Why a link has its result, decided where the result is decided. The result code says which scheme
// a link not checked has; this says what was looked up, and what came of it.
struct LinkReason {
    enum class Kind {
        None,              // no value: the tag holds no HREF form
        NotChecked,        // an empty value, or a scheme never checked (the result code says which; for another
                           // scheme, target is the scheme)
        Anchor,            // an in-page link: target is the fragment looked up, as written
        AnchorInOtherCase, // an in-page link to a target that differs in letter case only: nearest names it
        TopOfPage,         // an in-page link to the top of the page (an empty fragment, or "top")
        ThisDocument,      // a link of a query alone, which is this document
        File,              // a file link: target is the path looked up
        Web,               // a web link: target is the URL requested, web the verdict
        WebThenFile,       // a root-relative link of a web document: web failed, then the file was looked up
        Excluded,          // left out by the user's patterns: target is the address, nearest the exclude pattern
                           // that matched (empty: the address matches no include pattern)
        Offline            // a web link left out of a check without the network: target is the URL
    };

    Kind kind = Kind::None;
    QString target;
    QString nearest;    // AnchorInOtherCase, and File with a fragment: the id or name as the page writes it;
                        // Excluded: the pattern
    WebVerdict web;     // for Web and WebThenFile
    QString fragment{}; // File: the fragment looked up in the target page; empty when none was
    // File: a root-relative link ("/about.html") of a document with no site root, looked up in its folder.
    bool rootRelativeWithoutRoot = false;
};
