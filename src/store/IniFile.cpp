#include "IniFile.h"

#include "common/Utf8Scan.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

QByteArrayView stripBlanks(QByteArrayView text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

QString stripBlanks(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && (text.at(begin) == u' ' || text.at(begin) == u'\t'))
        ++begin;
    while (end > begin && (text.at(end - 1) == u' ' || text.at(end - 1) == u'\t'))
        --end;
    return text.sliced(begin, end - begin);
}

// The line without its line end.
QByteArrayView content(const QByteArray& line)
{
    QByteArrayView view(line);
    if (view.endsWith('\n'))
        view.chop(1);
    if (view.endsWith('\r'))
        view.chop(1);
    return view;
}

QString folded(QByteArrayView name)
{
    return utf8AsItStands(stripBlanks(name)).toCaseFolded();
}

// The name of a section header line ("[name]", blanks allowed around it); nullopt for other lines.
std::optional<QString> headerName(QByteArrayView line)
{
    line = stripBlanks(line);
    if (!line.startsWith('['))
        return std::nullopt;
    line = line.sliced(1);
    const qsizetype close = line.indexOf(']');
    return folded(close < 0 ? line : line.first(close));
}

// Cuts text to at most max bytes without splitting a UTF-8 sequence.
QByteArrayView cutUtf8(QByteArrayView text, qsizetype max)
{
    if (text.size() <= max)
        return text;
    qsizetype end = max;
    while (end > 0 && (uchar(text.at(end)) & 0xC0) == 0x80)
        --end;
    return text.first(end);
}

// Lines as the file is read: the last one counts whether or not a line end closes it.
qsizetype lineCount(const QByteArray& bytes)
{
    return bytes.count('\n') + (bytes.isEmpty() || bytes.endsWith('\n') ? 0 : 1);
}

// A line break would add lines of its own; an unpaired surrogate has no UTF-8 form to read back.
bool unfitForALine(const QString& text)
{
    return text.contains(u'\n') || text.contains(u'\r') || !text.isValidUtf16();
}

} // namespace

IniFile::IniFile(QString path) : m_path(std::move(path))
{
    const QFileInfo info(m_path);
    if (!info.exists())
        return;
    QFile file(m_path);
    if (!info.isFile() || info.size() > MaxFileBytes || !file.open(QIODevice::ReadOnly)) {
        m_readable = false;
        m_error = Error::Unreadable;
        return;
    }
    // Read no more than the limit allows even when the file grows meanwhile; one byte more tells.
    const QByteArray bytes = file.read(qMin(info.size(), MaxFileBytes) + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > MaxFileBytes || lineCount(bytes) > MaxLines) {
        m_readable = false;
        m_error = Error::Unreadable;
        return;
    }
    parse(bytes);
}

void IniFile::parse(const QByteArray& bytes)
{
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype newline = bytes.indexOf('\n', start);
        const qsizetype end = newline < 0 ? bytes.size() : newline + 1;
        QByteArray line = bytes.sliced(start, end - start);
        QByteArrayView text = content(line);
        if (start == 0) {
            if (line.endsWith("\r\n"))
                m_lineEnd = "\r\n";
            if (text.startsWith("\xEF\xBB\xBF")) // the byte order mark some editors put first
                text = text.sliced(3);
        }
        start = end;

        if (const std::optional<QString> name = headerName(text)) {
            if (!m_sectionIndex.contains(*name))
                m_sectionIndex.insert(*name, qsizetype(m_sections.size()));
            m_sections.emplace_back();
        } else if (const qsizetype equals = text.indexOf('='); equals >= 0) {
            Section& section = m_sections.back();
            const QString key = folded(text.first(equals));
            if (!section.keys.contains(key))
                section.keys.insert(key, qsizetype(section.lines.size()));
        }
        m_sections.back().lines.push_back(std::move(line));
    }
}

const IniFile::Section* IniFile::findSection(const QString& name) const
{
    const auto found = m_sectionIndex.constFind(stripBlanks(name).toCaseFolded());
    return found == m_sectionIndex.cend() ? nullptr : &m_sections[size_t(*found)];
}

QString IniFile::value(const QString& section, const QString& key) const
{
    return stripBlanks(utf8AsItStands(valueBytes(section, key)));
}

QByteArray IniFile::valueBytes(const QString& section, const QString& key) const
{
    const Section* found = findSection(section);
    if (!found)
        return QByteArray();
    const auto line = found->keys.constFind(stripBlanks(key).toCaseFolded());
    if (line == found->keys.cend())
        return QByteArray();
    const QByteArrayView text = content(found->lines[size_t(*line)]);
    QByteArrayView value = stripBlanks(text.sliced(text.indexOf('=') + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.sliced(1, value.size() - 2);
    return cutUtf8(value, ValueBufferBytes - 1).toByteArray();
}

bool IniFile::setValue(const QString& section, const QString& key, const QString& value)
{
    return !unfitForALine(value) && setValueBytes(section, key, value.toUtf8());
}

bool IniFile::setValueBytes(const QString& section, const QString& key, const QByteArray& bytes)
{
    const QString keyName = stripBlanks(key);
    if (keyName.isEmpty() || keyName.startsWith(u'[') || keyName.contains(u'=') || section.contains(u']') ||
        unfitForALine(keyName) || unfitForALine(section) || bytes.contains('\n') || bytes.contains('\r'))
        return false;

    Section& target = sectionForWriting(section);
    const auto existing = target.keys.constFind(keyName.toCaseFolded());
    if (existing != target.keys.cend()) {
        QByteArray& line = target.lines[size_t(*existing)];
        const qsizetype contentEnd = content(line).size();
        line = line.first(line.indexOf('=') + 1) + bytes + line.sliced(contentEnd);
        return true;
    }
    // After the section's last non-blank line, so that blank lines before the next section stay there.
    size_t at = target.lines.size();
    while (at > 1 && stripBlanks(content(target.lines[at - 1])).isEmpty())
        --at;
    if (!target.lines[at - 1].endsWith('\n'))
        target.lines[at - 1] += m_lineEnd;
    target.lines.insert(target.lines.begin() + qsizetype(at), keyName.toUtf8() + '=' + bytes + m_lineEnd);
    target.keys.insert(keyName.toCaseFolded(), qsizetype(at));
    return true;
}

IniFile::Section& IniFile::sectionForWriting(const QString& name)
{
    const QString sectionName = stripBlanks(name);
    const auto found = m_sectionIndex.constFind(sectionName.toCaseFolded());
    if (found != m_sectionIndex.cend())
        return m_sections[size_t(*found)];
    terminateLastLine();
    m_sectionIndex.insert(sectionName.toCaseFolded(), qsizetype(m_sections.size()));
    Section& added = m_sections.emplace_back();
    added.lines.push_back('[' + sectionName.toUtf8() + ']' + m_lineEnd);
    return added;
}

void IniFile::terminateLastLine()
{
    for (auto section = m_sections.rbegin(); section != m_sections.rend(); ++section) {
        if (section->lines.empty())
            continue;
        if (!section->lines.back().endsWith('\n'))
            section->lines.back() += m_lineEnd;
        return;
    }
}

bool IniFile::save()
{
    if (!m_readable)
        return false;
    QByteArray bytes;
    for (const Section& section : m_sections) {
        for (const QByteArray& line : section.lines)
            bytes += line;
    }
    // The next start must be able to read what is written now: the same limits, counted the same way.
    if (bytes.size() > MaxFileBytes || lineCount(bytes) > MaxLines) {
        m_error = Error::TooLarge;
        return false;
    }
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    WriteOptions options;
    options.ownerOnly = true;
    m_writeResult = writeFileAtomically(m_path, bytes, options);
    m_error = m_writeResult.ok() ? Error::None : Error::WriteFailed;
    return m_writeResult.ok();
}

QString readIniString(const QString& file, const QString& section, const QString& key)
{
    return IniFile(file).value(section, key);
}

bool writeIniString(const QString& file, const QString& section, const QString& key, const QString& value)
{
    IniFile ini(file);
    return ini.setValue(section, key, value) && ini.save();
}
