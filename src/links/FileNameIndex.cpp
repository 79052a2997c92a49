#include "FileNameIndex.h"

#include "common/NativeName.h"
#include "common/PageListing.h"

#include <QDir>

FileNameIndex::FileNameIndex(const QString& root) : m_root(QDir::cleanPath(root))
{
    int files = 0;
    QHash<QString, int> folderIndex;
    visitFilesBelow(m_root, [&](const QString& path) {
        if (holdsUndecodableBytes(path))
            return true;
        const qsizetype slash = path.lastIndexOf(u'/');
        const QString folder = path.left(slash);
        auto known = folderIndex.constFind(folder);
        if (known == folderIndex.cend()) {
            known = folderIndex.insert(folder, int(m_folders.size()));
            m_folders.append(folder);
        }
        const QString name = path.mid(slash + 1);
        const QString folded = name.toCaseFolded();
        m_byFoldedName[folded].push_back({*known, name});
        m_names.add(folded);
        return ++files < MaxFiles;
    });
}

std::vector<FileNameIndex::Candidate> FileNameIndex::near(const QString& name) const
{
    std::vector<Candidate> candidates;
    // The slips a name may have are counted on what stands before its extension: "a.html" is no misspelling
    // of "b.html".
    const qsizetype dot = name.lastIndexOf(u'.');
    const int slips = allowedSlips(dot > 0 ? dot : name.size());
    for (const NearNames::Near& near : m_names.near(name.toCaseFolded(), slips)) {
        for (const File& file : *m_byFoldedName.constFind(near.folded))
            candidates.push_back({m_folders[file.folder] + u'/' + file.name, near.slips,
                                  slipsBetween(file.name, name, near.slips) > near.slips});
    }
    return candidates;
}

const FileNameIndex& FileTrees::below(const QString& root)
{
    if (!m_last || m_last->root() != QDir::cleanPath(root))
        m_last = std::make_unique<FileNameIndex>(root);
    return *m_last;
}
