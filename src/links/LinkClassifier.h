#pragma once

#include "AnchorIndex.h"
#include "LinkKinds.h"
#include "LinkReason.h"
#include "common/TextEncoding.h"

#include <QString>
#include <QStringView>

#include <functional>
#include <optional>

// A value never checked, by its upper-cased, trimmed first-pass value: empty, mailto:, javascript:,
// vbscript:, or any other scheme but http, https, ftp and file (NoCheckOther); Unchecked otherwise.
LinkResult preClassify(QStringView upperValue);

// The scheme a value begins with, lower case, without its ":": a letter, then letters, digits, "+", "-" or
// ".", two characters or more (so that a drive letter stays part of a path); empty when there is none.
QString schemeOf(QStringView value);

// The file a relative link of a local document names: "\" counts as "/", the "#fragment" and
// "?query" parts are dropped and %XX escapes decoded (as UTF-8 where they form UTF-8, else in the
// document's encoding); the value is joined to the folder base with "/".
QString localLinkPath(const QString& base, const QString& value, const TextEncoding& documentEncoding = {});

// "/about.html" (or "\\about.html"), but not "//host/path": a link that starts from the site's root.
bool isRootRelative(const QString& value);

// A link's result and why.
struct Classification {
    LinkResult result = LinkResult::Unchecked;
    LinkReason reason;
};

// Where the file links of local documents lead: the folder root-relative links ("/about.html") start
// from, and the targets of other pages, for a link into a part of one ("guide.html#install").
struct LocalTargets {
    // How a fragment meets the targets of the page at a path; nothing when the page cannot be read.
    using FindInPage = std::function<std::optional<FragmentMatch>(const QString& path, const QString& fragment)>;

    QString siteRoot;      // empty: a root-relative link is looked up in the document's own folder
    FindInPage findInPage; // none: a file link counts by the file's existence alone
};

// Classifies and checks one link value (trimmed, letter case as written), as a browser resolves it.
class LinkClassifier {
public:
    // How a fragment meets the targets of the document (AnchorIndex::match).
    using FindFragment = std::function<FragmentMatch(const QString& fragment)>;

    // documentEncoding: what %XX escapes of file links that are no UTF-8 were written in.
    LinkClassifier(QString base, bool docIsFile, FindFragment findFragment, TextEncoding documentEncoding = {},
                   LocalTargets localTargets = {});

    // The URL a value is checked with on the web; nothing for a value checked without the network.
    std::optional<QString> webUrl(const QString& value) const;
    // The absolute address of a web or file link: its URL, or the file: URL of the path looked up with the
    // value's fragment; nothing for other links.
    std::optional<QString> absoluteAddress(const QString& value) const;
    // The result of a value checked without the network (webUrl gives nothing for it).
    Classification classify(const QString& value) const;
    // The result of a value checked on the web, given the web's verdict on its webUrl.
    Classification classify(const QString& value, const WebVerdict& verdict) const;

    // base: DocBase trimmed of blanks, without one trailing "/" or "\".
    static QString normaliseBase(const QString& docBase);

private:
    // How a value is checked, and on what: a result known at once, a fragment of this document, a URL or
    // a local path.
    enum class Check { Fixed, Fragment, ThisDocument, Web, WebThenFile, File };
    struct Plan {
        Check check = Check::Fixed;
        LinkResult result = LinkResult::Unchecked; // Fixed
        QString target;           // the fragment, the URL or the path; the scheme of a Fixed other scheme
        QString fragment{};       // File: what follows the "#"
        bool withoutRoot = false; // File: root-relative, looked up in the document's folder
    };
    Plan plan(const QString& value) const;
    Plan localPlan(const QString& value) const;
    Classification checkFile(const Plan& plan) const;
    Classification checkFragment(const QString& fragment) const;

    QString m_base;
    bool m_docIsFile;
    TextEncoding m_encoding;
    FindFragment m_findFragment;
    LocalTargets m_localTargets;
};
