#pragma once

#include "LinkKinds.h"
#include "LinkReason.h"
#include "common/TextEncoding.h"

#include <QString>
#include <QStringView>

#include <functional>
#include <optional>

// A value never checked, by its upper-cased, trimmed first-pass value: empty, mailto:, javascript: or
// vbscript:; Unchecked otherwise.
LinkResult preClassify(QStringView upperValue);

// The file a relative link of a local document names: "\" counts as "/", the "#fragment" and
// "?query" parts are dropped and %XX escapes decoded (as UTF-8 where they form UTF-8, else in the
// document's encoding); the value is joined to the folder base with "/".
QString localLinkPath(const QString& base, const QString& value, const TextEncoding& documentEncoding = {});

// A link's result and why.
struct Classification {
    LinkResult result = LinkResult::Unchecked;
    LinkReason reason;
};

// Classifies and checks one link value (trimmed, letter case as written).
class LinkClassifier {
public:
    // hasAnchor answers whether the document has a NAME anchor of the given upper-case name.
    // documentEncoding: what %XX escapes of file links that are no UTF-8 were written in.
    LinkClassifier(QString base, bool docIsFile, std::function<bool(const QString&)> hasAnchor,
                   TextEncoding documentEncoding = {});

    // The URL a value is checked with on the web; nothing for a value checked without the network.
    std::optional<QString> webUrl(const QString& value) const;
    // The result of a value checked without the network (webUrl gives nothing for it).
    Classification classify(const QString& value) const;
    // The result of a value checked on the web, given the web's verdict on its webUrl.
    Classification classify(const QString& value, const WebVerdict& verdict) const;

    // base: DocBase trimmed of blanks, without one trailing "/" or "\".
    static QString normaliseBase(const QString& docBase);

private:
    // How a value is checked, and on what: a code known at once, a NAME anchor, a URL or a local path.
    enum class Check { Fixed, Anchor, Web, WebThenFile, File };
    struct Plan {
        Check check = Check::Fixed;
        LinkResult result = LinkResult::Unchecked; // Fixed
        QString target;                            // the anchor name (upper case), the URL, or the path
    };
    Plan plan(const QString& value) const;
    Classification checkFile(const QString& path) const;

    QString m_base;
    bool m_docIsFile;
    TextEncoding m_encoding;
    std::function<bool(const QString&)> m_hasAnchor;
};
