#pragma once

#include "FileReplace.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <vector>

// A profile (INI) file in UTF-8: "[section]" lines and "key=value" lines. Sections and keys are matched
// without regard to case; where a name occurs twice, its first occurrence counts. Writing replaces an
// existing key's value in place, appends a new key to its section (after the section's last non-blank
// line) and a missing section to the end of the file; every other line keeps its bytes, line end included.
//
// A UTF-8 byte order mark before the first line is skipped, and stays when the file is written back.
//
// The file is read when the object is made; save() writes it back whole and replaces it atomically; a new
// file is readable by its owner only. A file larger than MaxFileBytes or with more than MaxLines lines
// (the last one counted whether or not a line end closes it) is neither read nor written: its values
// read as empty and save() fails, so a hostile file never fills memory and is never cut short, and
// nothing is written that could not be read back.
class IniFile {
public:
    static constexpr qint64 MaxFileBytes = 16 * 1024 * 1024;
    static constexpr qsizetype MaxLines = 256 * 1024;
    // A value is read through a buffer of this many bytes, its terminating NUL included.
    static constexpr qsizetype ValueBufferBytes = 32767;

    enum class Error {
        None,
        Unreadable,  // the file exists but could not be read: not a regular file, too large, unreadable
        TooLarge,    // save(): the file would exceed the limits
        WriteFailed, // save(): see writeResult()
    };

    explicit IniFile(QString path);

    const QString& path() const { return m_path; }
    // False when the file exists but could not be read: not a regular file, too large, unreadable.
    bool isReadable() const { return m_readable; }
    // Why reading or the last save failed.
    Error error() const { return m_error; }
    // The outcome of the last save that tried to write the file.
    const WriteResult& writeResult() const { return m_writeResult; }

    // The text after the first "=" of key's line in section, with blanks (spaces, tabs) around it removed
    // and one pair of enclosing quotation marks (" or ') dropped, cut to ValueBufferBytes - 1 bytes, and
    // with blanks around it removed again. Empty when the file, the section or the key is missing.
    QString value(const QString& section, const QString& key) const;
    // The same value as its bytes, as they stand in the file (not decoded: they need not be UTF-8).
    QByteArray valueBytes(const QString& section, const QString& key) const;
    // Sets key in section, in memory. False, with nothing changed, when the line would not read back as
    // that key: the key is blank, begins with "[" (a section header) or holds "=", the section holds "]",
    // or any of the three holds a line break or an unpaired surrogate.
    bool setValue(const QString& section, const QString& key, const QString& value);
    // The same with the value's bytes, written as they are; false when they hold a line break.
    bool setValueBytes(const QString& section, const QString& key, const QByteArray& value);
    // Writes the file back, creating it and its folder when missing. False (see error()) when the
    // file was not readable, the result would exceed the limits above, or the write failed.
    bool save();

private:
    struct Section {
        std::vector<QByteArray> lines;  // as read, each with its line end; a named section's header first
        QHash<QString, qsizetype> keys; // case-folded key -> index of its first line
    };

    void parse(const QByteArray& bytes);
    const Section* findSection(const QString& name) const;
    Section& sectionForWriting(const QString& name);
    void terminateLastLine();

    QString m_path;
    bool m_readable = true;
    Error m_error = Error::None;
    WriteResult m_writeResult;
    QByteArray m_lineEnd = "\n"; // for lines we add: the line end of the file's first line
    std::vector<Section> m_sections = std::vector<Section>(1); // [0]: the lines before the first header
    QHash<QString, qsizetype> m_sectionIndex;                  // case-folded name -> its first section
};

// One value, read from the file at path (see IniFile::value).
QString readIniString(const QString& file, const QString& section, const QString& key);
// Sets one key and writes the file back (see IniFile::setValue and IniFile::save).
bool writeIniString(const QString& file, const QString& section, const QString& key, const QString& value);
