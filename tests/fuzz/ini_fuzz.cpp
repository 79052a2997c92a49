// Any profile file, then one key set and the file written back and read again: what the object reads
// in memory is what the written file reads, a key that cannot be written leaves everything as it was,
// and a plain value reads back as set.

#include "FuzzCheck.h"
#include "FuzzText.h"
#include "store/IniFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

struct Name {
    QString section;
    QString key;
};

// A name as the file matches it: without blanks around it, without regard to case.
Name folded(const Name& name)
{
    const auto fold = [](const QString& text) {
        qsizetype begin = 0;
        qsizetype end = text.size();
        while (begin < end && (text.at(begin) == u' ' || text.at(begin) == u'\t'))
            ++begin;
        while (end > begin && (text.at(end - 1) == u' ' || text.at(end - 1) == u'\t'))
            --end;
        return text.sliced(begin, end - begin).toCaseFolded();
    };
    return {fold(name.section), fold(name.key)};
}

// What `file` reads for each name.
QStringList valuesOf(const IniFile& file, const std::vector<Name>& names)
{
    QStringList values;
    for (const Name& name : names)
        values.append(file.value(name.section, name.key));
    return values;
}

// A value that reads back exactly as it was set: no blanks around it, no enclosing quotes, short enough.
bool isPlain(const QString& value)
{
    const auto isBlank = [](QChar c) { return c == u' ' || c == u'\t'; };
    if (value.isEmpty())
        return true;
    if (isBlank(value.front()) || isBlank(value.back()) || value.toUtf8().size() >= IniFile::ValueBufferBytes)
        return false;
    return !(value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front());
}

QString iniPath()
{
    // On a memory file system when there is one: every save ends with fsync.
    static QTemporaryDir folder(QDir(QStringLiteral("/dev/shm")).exists()
                                    ? QStringLiteral("/dev/shm/ini_fuzz-XXXXXX")
                                    : QDir::tempPath() + QStringLiteral("/ini_fuzz-XXXXXX"));
    FUZZ_CHECK(folder.isValid());
    return folder.filePath(QStringLiteral("profile.ini"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    std::vector<Name> names;
    for (int i = 0; i < 3; ++i)
        names.push_back({shortText(input, 24), shortText(input, 24)});
    const QString value = shortText(input, 64);
    const std::string bytes = input.ConsumeRemainingBytesAsString();

    const QString path = iniPath();
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size()));
    }
    IniFile ini(path);
    FUZZ_CHECK(ini.isReadable());
    const QStringList before = valuesOf(ini, names);

    const Name& target = names.front();
    if (!ini.setValue(target.section, target.key, value)) {
        FUZZ_CHECK(valuesOf(ini, names) == before);
        return 0;
    }
    if (isPlain(value))
        FUZZ_CHECK(ini.value(target.section, target.key) == value);
    const QStringList inMemory = valuesOf(ini, names);
    const Name targetName = folded(target);
    for (size_t i = 1; i < names.size(); ++i) {
        const Name other = folded(names[i]);
        if (other.section != targetName.section || other.key != targetName.key)
            FUZZ_CHECK(inMemory[qsizetype(i)] == before[qsizetype(i)]);
    }
    FUZZ_CHECK(ini.save());
    FUZZ_CHECK(valuesOf(IniFile(path), names) == inMemory);
    return 0;
}
