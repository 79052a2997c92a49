#include "store/FileReplace.h"
#include "StoreTestSupport.h"
#include "store/TempSibling.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

const QByteArray Old = "<html>old</html>";
const QByteArray New = "<html>new, longer than the old</html>";

struct stat fileStatus(const QString& path)
{
    struct stat info {};
    EXPECT_EQ(::lstat(QFile::encodeName(path).constData(), &info), 0) << path.toStdString();
    return info;
}

mode_t modeOf(const QString& path)
{
    return fileStatus(path).st_mode & 07777;
}

void setMode(const QString& path, mode_t mode)
{
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0);
}

void makeLink(const QString& target, const QString& link)
{
    ASSERT_EQ(::symlink(QFile::encodeName(target).constData(), QFile::encodeName(link).constData()), 0);
}

class FileReplaceTest : public ::testing::Test {
protected:
    QString file(const QString& name) const { return dir.filePath(name); }
    QString document() const { return file(QStringLiteral("index.html")); }

    QTemporaryDir dir;
    WriteSteps steps;
};

// A write killed between two of its steps leaves a complete file at the document's name and a complete
// backup, and the next write removes the temporary file it left.
struct KillCase {
    const char* name;
    WriteStep step;
    bool keepBackup;
    QByteArray documentAfter;
    QStringList namesAfter; // besides index.html; "temp" for the temporary file
    friend void PrintTo(const KillCase& c, std::ostream* out) { *out << c.name; }
};

class KilledWrite : public FileReplaceTest, public ::testing::WithParamInterface<KillCase> {};

TEST_P(KilledWrite, LeavesACompleteDocumentAndTheNextWriteTidiesUp)
{
    const KillCase& c = GetParam();
    // The child must be a fork, sharing this test's folder.
    GTEST_FLAG_SET(death_test_style, "fast");
    writeBytes(document(), Old);
    setMode(document(), 0600);
    steps.reached = [&c](WriteStep step, const QString&) {
        if (step == c.step)
            ::raise(SIGKILL);
    };
    EXPECT_EXIT(writeDocumentFile(document(), New, c.keepBackup, &steps), ::testing::KilledBySignal(SIGKILL), "");

    EXPECT_EQ(readBytes(document()), c.documentAfter);
    EXPECT_EQ(modeOf(document()), mode_t(0600));
    QStringList expected{QStringLiteral("index.html")};
    for (const QString& name : c.namesAfter) {
        if (name == QStringLiteral("temp")) {
            const QStringList temps =
                QDir(dir.path()).entryList({tempNamePrefix(document()) + u'*'}, QDir::Hidden | QDir::Files);
            ASSERT_EQ(temps.size(), 1);
            EXPECT_EQ(readBytes(file(temps[0])), New);
            expected.append(temps[0]);
        } else {
            EXPECT_EQ(readBytes(file(name)), Old);
            expected.append(name);
        }
    }
    expected.sort();
    EXPECT_EQ(folderNames(dir), expected);

    const WriteResult next = writeDocumentFile(document(), "third", true);
    ASSERT_TRUE(next.ok());
    EXPECT_EQ(readBytes(document()), QByteArray("third"));
    EXPECT_EQ(readBytes(next.backupName), c.documentAfter);
    expected.removeIf([](const QString& name) { return name.startsWith(u'.'); });
    expected.append(QFileInfo(next.backupName).fileName());
    expected.sort();
    EXPECT_EQ(folderNames(dir), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, KilledWrite,
    ::testing::Values(KillCase{"AfterBackup", WriteStep::BackupMade, true, Old, {"index.001"}},
                      KillCase{"AfterTempWithBackup", WriteStep::TempWritten, true, Old, {"index.001", "temp"}},
                      KillCase{"AfterTempWithoutBackup", WriteStep::TempWritten, false, Old, {"temp"}},
                      KillCase{"AfterRename", WriteStep::Renamed, true, New, {"index.001"}}),
    [](const ::testing::TestParamInfo<KillCase>& info) { return std::string(info.param.name); });

// What is refused touches nothing, even with a backup asked for.
struct RefusalCase {
    const char* name;
    void (*prepare)(const QTemporaryDir& dir); // makes what stands at "index.html"
    bool inFolder;                             // path is a name in the folder
    QString path;
    WriteFailure failure;
    friend void PrintTo(const RefusalCase& c, std::ostream* out) { *out << c.name; }
};

class Refusal : public FileReplaceTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(Refusal, TouchesNothingEvenWithBackup)
{
    const RefusalCase& c = GetParam();
    c.prepare(dir);
    const QStringList before = folderNames(dir);
    const QString path = c.inFolder ? file(c.path) : c.path;

    const WriteResult result = writeDocumentFile(path, New, true);
    EXPECT_EQ(result.failure, c.failure);
    EXPECT_TRUE(result.backupName.isEmpty());
    EXPECT_EQ(folderNames(dir), before);
    if (QFileInfo(document()).isFile()) {
        EXPECT_EQ(readBytes(document()), Old);
    }
}

void readOnlyFile(const QTemporaryDir& dir)
{
    writeBytes(dir.filePath(QStringLiteral("index.html")), Old);
    setMode(dir.filePath(QStringLiteral("index.html")), 0444);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Refusal,
    ::testing::Values(
        RefusalCase{"ReadOnly", readOnlyFile, true, QStringLiteral("index.html"), WriteFailure::ReadOnly},
        RefusalCase{"ReadOnlyBehindALink",
                    [](const QTemporaryDir& dir) {
                        readOnlyFile(dir);
                        makeLink(QStringLiteral("index.html"), dir.filePath(QStringLiteral("link.html")));
                    },
                    true, QStringLiteral("link.html"), WriteFailure::ReadOnly},
        RefusalCase{"Folder", [](const QTemporaryDir& dir) { QDir(dir.path()).mkdir(QStringLiteral("index.html")); },
                    true, QStringLiteral("index.html"), WriteFailure::IsFolder},
        RefusalCase{"Pipe",
                    [](const QTemporaryDir& dir) {
                        ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("index.html"))), 0644), 0);
                    },
                    true, QStringLiteral("index.html"), WriteFailure::NotRegularFile},
        RefusalCase{"Empty", [](const QTemporaryDir&) {}, false, QString(), WriteFailure::InvalidName},
        RefusalCase{"Nul", [](const QTemporaryDir&) {}, false, QStringLiteral("a") + QChar(u'\0') + QStringLiteral("b"),
                    WriteFailure::InvalidName},
        RefusalCase{"LoneSurrogate", [](const QTemporaryDir&) {}, false, QString(QChar(0xD800)),
                    WriteFailure::InvalidName}),
    [](const ::testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

// The backup keeps the previous file whether it is a hard link or, where none can be made, a copy.
class BackupKind : public FileReplaceTest, public ::testing::WithParamInterface<int> {};

TEST_P(BackupKind, KeepsThePreviousFileAndTheDocumentKeepsItsMode)
{
    steps.linkError = GetParam();
    writeBytes(document(), Old);
    setMode(document(), 0640);
    const timespec past[2] = {{1'000'000'000, 0}, {1'000'000'000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(document()).constData(), past, 0), 0);
    const ino_t previous = fileStatus(document()).st_ino;

    const WriteResult result = writeDocumentFile(document(), New, true, &steps);
    ASSERT_TRUE(result.ok()) << result.systemError.toStdString();
    EXPECT_EQ(result.backupName, file(QStringLiteral("index.001")));
    EXPECT_EQ(readBytes(document()), New);
    EXPECT_EQ(modeOf(document()), mode_t(0640));
    EXPECT_EQ(readBytes(result.backupName), Old);
    const struct stat backup = fileStatus(result.backupName);
    EXPECT_EQ(backup.st_mode & 07777, mode_t(0640));
    EXPECT_EQ(backup.st_mtim.tv_sec, past[1].tv_sec);
    EXPECT_EQ(backup.st_ino == previous, GetParam() == 0); // a link is the previous file itself
    EXPECT_EQ(folderNames(dir), (QStringList{QStringLiteral("index.001"), QStringLiteral("index.html")}));
}

INSTANTIATE_TEST_SUITE_P(Links, BackupKind, ::testing::Values(0, EXDEV, EPERM, EMLINK),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return info.param == 0 ? std::string("HardLink")
                                                    : "CopyAfter" + std::to_string(info.param);
                         });

// Another writer takes the free generation between the look-up and the link or copy: its file stays and
// the next generation is used.
TEST_P(BackupKind, AGenerationTakenMeanwhileIsNeverOverwritten)
{
    steps.linkError = GetParam();
    writeBytes(document(), Old);
    int chosen = 0;
    steps.reached = [&](WriteStep step, const QString& name) {
        if (step == WriteStep::BackupNameChosen && chosen++ == 0)
            writeBytes(name, "the other writer's backup");
    };
    const WriteResult result = writeDocumentFile(document(), New, true, &steps);
    ASSERT_TRUE(result.ok()) << result.systemError.toStdString();
    EXPECT_EQ(chosen, 2);
    EXPECT_EQ(result.backupName, file(QStringLiteral("index.002")));
    EXPECT_EQ(readBytes(file(QStringLiteral("index.001"))), QByteArray("the other writer's backup"));
    EXPECT_EQ(readBytes(file(QStringLiteral("index.002"))), Old);
    EXPECT_EQ(readBytes(document()), New);
}

TEST_F(FileReplaceTest, WritersRacingForGenerationsEachGetTheirOwn)
{
    writeBytes(document(), Old);
    constexpr int Writes = 20;
    std::vector<WriteResult> results[2];
    const auto writer = [this](std::vector<WriteResult>& out, char name) {
        for (int i = 0; i < Writes; ++i)
            out.push_back(writeDocumentFile(document(), QByteArray(1000, name) + QByteArray::number(i), true));
    };
    std::thread first(writer, std::ref(results[0]), 'a');
    std::thread second(writer, std::ref(results[1]), 'b');
    first.join();
    second.join();

    QStringList backups;
    for (const auto& list : results) {
        for (const WriteResult& result : list) {
            ASSERT_TRUE(result.ok()) << result.systemError.toStdString();
            const QByteArray kept = readBytes(result.backupName);
            EXPECT_TRUE(kept == Old || kept.size() > 1000) << result.backupName.toStdString();
            backups.append(QFileInfo(result.backupName).fileName());
        }
    }
    backups.append(QStringLiteral("index.html"));
    backups.sort();
    EXPECT_EQ(backups.size(), 2 * Writes + 1);
    EXPECT_EQ(backups.removeDuplicates(), 0);
    EXPECT_EQ(folderNames(dir), backups);
}

// A replacement that fails once the backup is made leaves the document as it was, and no backup of it.
TEST_F(FileReplaceTest, AFailedReplacementRemovesTheBackupItMade)
{
    writeBytes(document(), Old);
    steps.reached = [](WriteStep step, const QString& name) {
        if (step == WriteStep::TempWritten)
            QFile::remove(name);
    };
    const WriteResult result = writeDocumentFile(document(), New, true, &steps);
    EXPECT_EQ(result.failure, WriteFailure::System);
    EXPECT_EQ(result.errorNumber, ENOENT);
    EXPECT_FALSE(result.systemError.isEmpty());
    EXPECT_TRUE(result.backupName.isEmpty());
    EXPECT_EQ(folderNames(dir), QStringList{QStringLiteral("index.html")});
    EXPECT_EQ(readBytes(document()), Old);
}

// A link stays a link, and the file it ends in gets the text, with its backup beside that file.
TEST_F(FileReplaceTest, SymbolicLinksAreWrittenThrough)
{
    QDir(dir.path()).mkpath(QStringLiteral("real/sub"));
    writeBytes(file(QStringLiteral("real/page.html")), Old);
    setMode(file(QStringLiteral("real/page.html")), 0600);
    makeLink(QStringLiteral("real/page.html"), file(QStringLiteral("link.html")));
    makeLink(QStringLiteral("link.html"), file(QStringLiteral("chain.html")));
    // Through a linked folder: ".." is the real folder's parent, not the link's.
    makeLink(QStringLiteral("real/sub"), file(QStringLiteral("sub")));
    makeLink(QStringLiteral("../page.html"), file(QStringLiteral("real/sub/up.html")));

    WriteResult result = writeDocumentFile(file(QStringLiteral("chain.html")), New, true);
    ASSERT_TRUE(result.ok()) << result.systemError.toStdString();
    EXPECT_EQ(result.backupName, file(QStringLiteral("real/page.001")));
    EXPECT_EQ(readBytes(file(QStringLiteral("real/page.001"))), Old);
    EXPECT_EQ(readBytes(file(QStringLiteral("real/page.html"))), New);
    EXPECT_EQ(modeOf(file(QStringLiteral("real/page.html"))), mode_t(0600));
    EXPECT_TRUE(S_ISLNK(fileStatus(file(QStringLiteral("chain.html"))).st_mode));
    EXPECT_TRUE(S_ISLNK(fileStatus(file(QStringLiteral("link.html"))).st_mode));

    result = writeDocumentFile(file(QStringLiteral("sub/up.html")), "third", true);
    ASSERT_TRUE(result.ok()) << result.systemError.toStdString();
    EXPECT_EQ(readBytes(file(QStringLiteral("real/page.html"))), QByteArray("third"));
    EXPECT_EQ(readBytes(file(QStringLiteral("real/page.002"))), New);
    EXPECT_EQ(folderNames(dir), (QStringList{"chain.html", "link.html", "real", "sub"}));

    // A dangling link gets its target made; there is nothing to back up.
    makeLink(QStringLiteral("real/new.html"), file(QStringLiteral("new.html")));
    result = writeDocumentFile(file(QStringLiteral("new.html")), New, true);
    ASSERT_TRUE(result.ok()) << result.systemError.toStdString();
    EXPECT_TRUE(result.backupName.isEmpty());
    EXPECT_EQ(readBytes(file(QStringLiteral("real/new.html"))), New);
    EXPECT_TRUE(S_ISLNK(fileStatus(file(QStringLiteral("new.html"))).st_mode));
}

// Only the document's own temporary files are removed, and only those no writer holds locked.
TEST_F(FileReplaceTest, StaleTemporaryFilesGoButOnesInUseStay)
{
    writeBytes(document(), Old);
    const QString inUse = file(tempNamePrefix(document()) + QStringLiteral("0000beef.tmp"));
    const QString stale = file(tempNamePrefix(document()) + QStringLiteral("0000dead.tmp"));
    const QString otherDocument =
        file(tempNamePrefix(file(QStringLiteral("other.html"))) + QStringLiteral("0000dead.tmp"));
    for (const QString& name : {inUse, stale, otherDocument})
        writeBytes(name, "partial");
    const int held = ::open(QFile::encodeName(inUse).constData(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);

    ASSERT_TRUE(writeDocumentFile(document(), New, false).ok());
    EXPECT_FALSE(QFile::exists(stale));
    EXPECT_TRUE(QFile::exists(inUse));
    EXPECT_TRUE(QFile::exists(otherDocument));

    ::close(held);
    ASSERT_TRUE(writeDocumentFile(document(), "third", false).ok());
    EXPECT_FALSE(QFile::exists(inUse));
    EXPECT_TRUE(QFile::exists(otherDocument));
    EXPECT_EQ(readBytes(document()), QByteArray("third"));
}

TEST_F(FileReplaceTest, TemporaryNamesStayShortWhateverTheDocumentsName)
{
    const QString longest = file(QString(255, u'x'));
    writeBytes(longest, Old);
    const WriteResult result = writeDocumentFile(longest, New, false);
    ASSERT_TRUE(result.ok()) << result.systemError.toStdString();
    EXPECT_EQ(readBytes(longest), New);
}

TEST_F(FileReplaceTest, ANewFileGetsTheUmasksModeOrTheOwnersOnly)
{
    const mode_t mask = ::umask(022);
    ASSERT_TRUE(writeDocumentFile(document(), New, true).ok());
    WriteOptions ownerOnly;
    ownerOnly.ownerOnly = true;
    ASSERT_TRUE(writeFileAtomically(file(QStringLiteral("private.ini")), New, ownerOnly).ok());
    ::umask(mask);
    EXPECT_EQ(modeOf(document()), mode_t(0644));
    EXPECT_EQ(modeOf(file(QStringLiteral("private.ini"))), mode_t(0600));
    EXPECT_EQ(folderNames(dir), (QStringList{QStringLiteral("index.html"), QStringLiteral("private.ini")}));
}

} // namespace
