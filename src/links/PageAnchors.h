#pragma once

#include "AnchorIndex.h"

#include <QHash>
#include <QString>

#include <optional>

// The ids and names of the pages that file links lead into ("guide.html#install"). Each page is read once,
// in the encoding its bytes declare or show (or the one the settings force), and kept as its AnchorIndex
// alone, so a run over a whole site holds a few names per page. One is shared by every document of a run.
class PageAnchors {
public:
    // encoding: "auto" detects each page's; a code page name reads every page in that one.
    explicit PageAnchors(QString encoding = QStringLiteral("auto"));

    // How a fragment meets the targets of the page at path; nothing when the page cannot be read.
    std::optional<FragmentMatch> match(const QString& path, const QString& fragment);
    // The ids and names of the page at path; null when the page cannot be read.
    const AnchorIndex* anchorsOf(const QString& path);
    // Forgets a page, so that the next look reads it again (it was written, or is being edited).
    void forget(const QString& path);

private:
    QString m_encoding;
    QHash<QString, std::optional<AnchorIndex>> m_pages; // by clean path; nothing: unreadable
};
