#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// The history of opened files: full paths, newest first, kept in the INI file's "History" section
// ("Count", "File0", "File1", ...; "MaxCount" is read, never written). Two paths are the same entry
// only when their texts are identical, letter case included. Entries are never tested for existence.
//
// The history knows no widgets: after a change it reports the new list of titles (titlesChanged),
// and the window's history list shows them.
class History : public QObject {
    Q_OBJECT
public:
    static constexpr int DefaultMaxCount = 50;
    static constexpr int MaxCountLimit = 30000;

    explicit History(QString iniPath, QObject* parent = nullptr);

    const QString& iniPath() const { return m_iniPath; }
    const QStringList& historyPaths() const { return m_paths; }
    int historyCount() const { return int(m_paths.size()); }
    int historyMaxCount() const { return m_maxCount; }
    // getFileTitle of every entry, in order.
    QStringList titles() const;

    // Reads the history and its maximum length from the INI file, once, at start-up. A missing or
    // invalid "MaxCount" gives 50; a "Count" that is not a number from 1 to 2^31 - 1 gives an empty
    // history; a missing "File" key gives an empty entry. "Count" is not limited by the maximum, but
    // no more than MaxCountLimit entries are read. False when the file exists and cannot be read.
    bool readHistoryData();
    // Writes every entry and the count into the INI file; other keys and lines stay as they are.
    bool writeHistoryData() const;
    // Makes the path the newest entry: an entry with the same text moves to the front, otherwise the
    // list grows up to the maximum, dropping its oldest entry when it cannot grow. Then reports the
    // titles and writes the INI file. Returns whether the INI file was written; the history in memory
    // changes either way.
    bool setHistoryData(const QString& fileName);

signals:
    void titlesChanged(const QStringList& titles);

private:
    QString m_iniPath;
    QStringList m_paths;
    int m_maxCount = DefaultMaxCount;
};

// The part of a path after its last "\"; when there is none, after its last "/"; when there is none,
// after its last ":"; otherwise the whole path.
QString getFileTitle(const QString& path);
