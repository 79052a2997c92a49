#include "History.h"

#include "IniFile.h"
#include "NumberLiteral.h"

#include <limits>

namespace {

const QString SectionName = QStringLiteral("History");
const QString MaxCountKey = QStringLiteral("MaxCount");
const QString CountKey = QStringLiteral("Count");

QString fileKey(qsizetype index)
{
    return QStringLiteral("File") + QString::number(index);
}

} // namespace

History::History(QString iniPath, QObject* parent) : QObject(parent), m_iniPath(std::move(iniPath)) {}

QStringList History::titles() const
{
    QStringList titles;
    titles.reserve(m_paths.size());
    for (const QString& path : m_paths)
        titles.append(getFileTitle(path));
    return titles;
}

bool History::readHistoryData()
{
    m_paths.clear();
    const IniFile ini(m_iniPath);
    m_maxCount = int(roundedNumber(ini.value(SectionName, MaxCountKey), 1, MaxCountLimit).value_or(DefaultMaxCount));
    // Memory stays bounded whatever the file claims: no more entries than the largest maximum.
    const qint64 count =
        roundedNumber(ini.value(SectionName, CountKey), 1, std::numeric_limits<qint32>::max()).value_or(0);
    const qsizetype kept = qsizetype(qMin<qint64>(count, MaxCountLimit));
    m_paths.reserve(kept);
    for (qsizetype i = 0; i < kept; ++i)
        m_paths.append(ini.value(SectionName, fileKey(i)));
    return ini.isReadable();
}

bool History::writeHistoryData() const
{
    // One save for all keys: the file ends as the key-by-key writes would leave it, and is
    // replaced once rather than once per entry.
    IniFile ini(m_iniPath);
    for (qsizetype i = 0; i < m_paths.size(); ++i) {
        if (!ini.setValue(SectionName, fileKey(i), m_paths.at(i)))
            return false;
    }
    return ini.setValue(SectionName, CountKey, QString::number(m_paths.size())) && ini.save();
}

bool History::setHistoryData(const QString& fileName)
{
    const qsizetype found = m_paths.indexOf(fileName);
    if (found >= 0) {
        m_paths.move(found, 0);
    } else {
        // A list read longer than the maximum keeps its length; a full list loses its oldest entry.
        const qsizetype count = m_paths.size() < m_maxCount ? m_paths.size() + 1 : m_paths.size();
        m_paths.prepend(fileName);
        m_paths.resize(count);
    }
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
