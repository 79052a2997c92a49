#pragma once

#include "NearNames.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// The files below a folder by name, read once, for the files a link to a missing one may have meant. The tree
// is walked as the pages of a site are (hidden entries passed over, links to folders not followed); names that
// do not decode are left out, since no link could be written for them. Bounded: past MaxFiles files the rest of
// the tree is left out.
class FileNameIndex {
public:
    static constexpr int MaxFiles = 200000;

    explicit FileNameIndex(const QString& root);

    const QString& root() const { return m_root; }

    // A file whose name is near a missing one's: its path, and how far its name is from that one.
    struct Candidate {
        QString path;
        int slips = 0;          // typing slips between the names, letter case aside
        bool otherCase = false; // the names differ in letter case as well
    };
    // Every file whose name is name but for letter case, or a few slips away from it (as many as allowedSlips
    // gives the part before its extension), in no particular order.
    std::vector<Candidate> near(const QString& name) const;

private:
    struct File {
        int folder = 0; // in m_folders
        QString name;
    };

    QString m_root;
    QStringList m_folders;
    QHash<QString, std::vector<File>> m_byFoldedName;
    NearNames m_names;
};

// The trees of the documents of a run: the last one read is kept, so that the documents of one folder or site
// walk it once.
class FileTrees {
public:
    const FileNameIndex& below(const QString& root);

private:
    std::unique_ptr<FileNameIndex> m_last;
};
