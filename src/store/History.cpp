#include "History.h"

#include "IniFile.h"
#include "IniLock.h"
#include "NumberLiteral.h"
#include "common/NativeName.h"

#include <QSet>

#include <algorithm>
#include <limits>

namespace {

const QString SectionName = QStringLiteral("History");
const QString MaxCountKey = QStringLiteral("MaxCount");
const QString CountKey = QStringLiteral("Count");

QString fileKey(qsizetype index)
{
    return QStringLiteral("File") + QString::number(index);
}

QStringList readPaths(const IniFile& ini)
{
    // Memory stays bounded whatever the file claims: no more entries than the largest maximum.
    const qint64 count =
        roundedNumber(ini.value(SectionName, CountKey), 1, std::numeric_limits<qint32>::max()).value_or(0);
    const qsizetype kept = qsizetype(qMin<qint64>(count, History::MaxCountLimit));
    QStringList paths;
    paths.reserve(kept);
    // A path is the bytes of a file name, which need not be UTF-8: held so that it names the file again.
    for (qsizetype i = 0; i < kept; ++i)
        paths.append(fromNativeName(ini.valueBytes(SectionName, fileKey(i))));
    return paths;
}

} // namespace

History::History(QString iniPath, QObject* parent) : QObject(parent), m_iniPath(std::move(iniPath)) {}

QStringList History::titles() const
{
    QStringList titles;
    titles.reserve(m_paths.size());
    for (const QString& path : m_paths)
        titles.append(getFileTitle(shownName(path)));
    return titles;
}

bool History::readHistoryData()
{
    const IniFile ini(m_iniPath);
    m_maxCount = int(roundedNumber(ini.value(SectionName, MaxCountKey), 1, MaxCountLimit).value_or(DefaultMaxCount));
    m_paths = readPaths(ini);
    return ini.isReadable();
}

bool History::writeHistoryData() const
{
    // One save for all keys: the file ends as the key-by-key writes would leave it, and is
    // replaced once rather than once per entry.
    IniFile ini(m_iniPath);
    for (qsizetype i = 0; i < m_paths.size(); ++i) {
        if (!ini.setValueBytes(SectionName, fileKey(i), toNativeName(m_paths.at(i))))
            return false;
    }
    return ini.setValue(SectionName, CountKey, QString::number(m_paths.size())) && ini.save();
}

bool History::setHistoryData(const QString& fileName)
{
    // Another window may have written the list since this one read it: under the lock, its entries are
    // merged in after the new one, ahead of this window's own, so that neither loses the other's.
    const IniLock lock(m_iniPath);
    const QStringList written = readPaths(IniFile(m_iniPath));
    // A list read longer than the maximum keeps its length; a full list loses its oldest entry.
    const qsizetype count = std::max<qsizetype>(m_paths.size(), m_maxCount);
    QStringList merged{fileName};
    QSet<QString> listed{fileName};
    for (const QStringList* paths : {&written, static_cast<const QStringList*>(&m_paths)}) {
        for (const QString& path : *paths) {
            if (merged.size() < count && !listed.contains(path)) {
                listed.insert(path);
                merged.append(path);
            }
        }
    }
    m_paths = merged;
    emit titlesChanged(titles());
    return writeHistoryData();
}

QString getFileTitle(const QString& path)
{
    for (const QChar separator : {u'\\', u'/', u':'}) {
        const qsizetype at = path.lastIndexOf(separator);
        if (at >= 0)
            return path.mid(at + 1);
    }
    return path;
}
