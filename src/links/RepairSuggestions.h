#pragma once

#include "AnchorIndex.h"
#include "LinkCheckJob.h"
#include "LinkTable.h"
#include "NearNames.h"
#include "PageAnchors.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class FileTrees;

// The values that could repair a link, each a value to write in its place, best first, at most MaxCount:
// - a file link to a file that does not exist: the files of the site (the site's root and below, else the
//   document's folder and below) whose name is that one but for letter case or a few typing slips, or that
//   one in another folder; fewest slips first, then the nearest folder. Written relative to where the link
//   leads from (root-relative for a root-relative link), keeping its "?query" and "#fragment";
// - a link to a part of this page, or of another page, that the page does not have: the page's ids and names
//   nearest to the fragment;
// - a web link whose every redirect was permanent (301, 308) and that ends on a page that answers: where it
//   moved to.
// Asked about the links of one check of a text: the tree of files, the text's targets and those of other
// pages are each read once, on the first link that needs them, so a thousand broken links cost one walk.
class RepairSuggestions {
public:
    static constexpr int MaxCount = 5;

    // text, context: those of the check the links come from. pageEncoding: what the pages file links lead into
    // are read in ("auto" detects). trees: the file trees a run shares between its documents; none: this object
    // reads its own.
    RepairSuggestions(QString text, CheckContext context, QString pageEncoding = QStringLiteral("auto"),
                      FileTrees* trees = nullptr);
    ~RepairSuggestions();

    // Empty for a link that is fine as it is, undecided, or that nothing near repairs.
    QStringList of(const LinkEntry& link);
    // Where a web link moved to for good, as a value to write in its place (its fragment kept); nothing for a
    // link not moved so.
    static std::optional<QString> movedTo(const LinkEntry& link);

private:
    // Names near each other, and how each folded name is written.
    struct Targets {
        NearNames near;
        QHash<QString, QStringList> spellings;
    };

    QStringList repairsOf(const LinkEntry& link);
    QStringList forMissingFile(const LinkEntry& link);
    QStringList forFragment(const QString& value, const QString& fragment, const Targets& targets) const;
    const Targets& targetsOf(const QString& pagePath);
    const CheckContext& based();
    // The value that leads from this document to the file at path, written as value was.
    QString valueLeadingTo(const QString& path, const QString& value);

    QString m_text;
    CheckContext m_context;
    std::optional<CheckContext> m_based; // with the text's <BASE HREF>, once asked for
    std::unique_ptr<FileTrees> m_ownTrees;
    FileTrees* m_trees;
    PageAnchors m_pages;
    QHash<QString, Targets> m_targets;     // by page path; empty for this text
    QHash<QString, QStringList> m_byValue; // what a result and a value were given already
};
