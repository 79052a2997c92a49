#include "DocumentFile.h"

#include "EncodingDetection.h"
#include "FileDescriptor.h"
#include "FileTest.h"
#include "NativeName.h"
#include "SearchCopy.h"

#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// "UTF-16" without a byte order: the one the bytes show, else little-endian.
QString withByteOrder(const QString& configured, const QByteArray& bytes)
{
    if (configured.trimmed().compare(u"UTF-16", Qt::CaseInsensitive) != 0)
        return configured;
    const QString detected = detectEncoding(bytes, QString(), QStringLiteral("auto")).encoding.name;
    return detected == u"UTF-16BE" ? detected : QStringLiteral("UTF-16LE");
}

// The text position of the U+FFFD that stands for the first undecodable byte: as many characters as
// the bytes before it decode to (they all decoded cleanly).
qsizetype firstUndecodablePosition(const QByteArray& bytes, const DecodedDocument& decoded)
{
    return decodeDocument(bytes.first(decoded.firstBadByte), decoded.encoding.name).text.size();
}

LocalFileRead failedRead(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return {{}, LocalReadError::NoSuchFile, {}, {}};
    case EACCES:
    case EPERM:
        return {{}, LocalReadError::PermissionDenied, {}, {}};
    case EISDIR:
        return {{}, LocalReadError::Folder, {}, {}};
    case EFBIG:
    case EOVERFLOW:
        return {{}, LocalReadError::TooLarge, {}, {}};
    default:
        return {{}, LocalReadError::ReadError, QString::fromLocal8Bit(std::strerror(error)), {}};
    }
}

} // namespace

LocalFileRead readLocalFile(const QString& path)
{
    const QString trimmed = trimBlanks(path);
    if (!expressibleAsFileName(trimmed))
        return {{}, LocalReadError::NoSuchFile, {}, {}};
    // Non-blocking, so that a FIFO without a writer cannot hold the open; it is refused below.
    const FileDescriptor file(::open(toNativeName(trimmed).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!file.isOpen())
        return failedRead(errno);
    struct stat info;
    if (::fstat(file.get(), &info) != 0)
        return failedRead(errno);
    if (S_ISDIR(info.st_mode))
        return {{}, LocalReadError::Folder, {}, {}};
    if (!S_ISREG(info.st_mode))
        return {{}, LocalReadError::NotRegularFile, {}, {}};
    if (info.st_size > MaxLocalDocumentBytes)
        return {{}, LocalReadError::TooLarge, {}, {}};
    // One byte more than allowed tells a file that grew past the limit while it was read.
    QByteArray bytes(qsizetype(info.st_size) + 1, Qt::Uninitialized);
    qsizetype filled = 0;
    while (true) {
        if (filled == bytes.size()) {
            if (filled > MaxLocalDocumentBytes)
                return {{}, LocalReadError::TooLarge, {}, {}};
            bytes.resize(std::min(bytes.size() * 2, MaxLocalDocumentBytes + 1));
        }
        const ssize_t got = ::read(file.get(), bytes.data() + filled, size_t(bytes.size() - filled));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return failedRead(errno);
        if (got == 0)
            break;
        filled += got;
    }
    bytes.truncate(filled);
    return {std::move(bytes), LocalReadError::None, {}, FileStamp::of(info)};
}

DocumentText decodeDocumentText(const QByteArray& bytes, const QString& httpContentType, const QString& configured)
{
    DetectedDocument detected = decodeDetected(bytes, httpContentType, withByteOrder(configured, bytes));
    DecodedDocument& decoded = detected.document;
    DocumentText result{std::move(decoded.text), decoded.encoding, {}};
    const qsizetype nul = result.text.indexOf(QChar(u'\0'));
    const qsizetype firstBad = decoded.clean() ? -1 : firstUndecodablePosition(bytes, decoded);
    // Undecodable bytes after the NUL are in the part that is not read at all.
    if (firstBad >= 0 && (nul < 0 || firstBad < nul)) {
        result.loss.undecodableBytes = decoded.badByteCount;
        result.loss.firstUndecodableLine = lineOfPosition(result.text, firstBad);
    }
    if (nul >= 0) {
        result.loss.nulLine = lineOfPosition(result.text, nul);
        result.text.truncate(nul);
    }
    return result;
}

int lineOfPosition(QStringView text, qsizetype position)
{
    int line = 1;
    for (qsizetype i = 0; i < position; ++i) {
        const QChar c = text[i];
        if (c == u'\n' || (c == u'\r' && (i + 1 >= text.size() || text[i + 1] != u'\n')))
            ++line;
    }
    return line;
}

bool checkHtmlTag(const QString& htmlData)
{
    const QString upper = upperCaseKeepingLength(htmlData);
    const QLatin1StringView tagName("<HTML");
    for (qsizetype at = upper.indexOf(tagName); at >= 0; at = upper.indexOf(tagName, at + 1)) {
        const qsizetype after = at + tagName.size();
        // Any white space ends the tag name, as after "<A": generated pages break the line there.
        if (after < upper.size() && (upper[after] == u'>' || QStringView(u" \t\r\n\f").contains(upper[after])))
            return true;
    }
    return false;
}

std::array<QString, 3> splitFilePath(const QString& path)
{
    const QFileInfo info(trimBlanks(path));
    QString folder = info.absolutePath();
    if (!folder.endsWith(u'/'))
        folder += u'/';
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    return {folder, name, dot < 0 ? name : name.left(dot)};
}

QString fileDocBase(const QString& path)
{
    QString folder = splitFilePath(path)[0];
    folder.chop(1);
    return folder;
}

QString urlDocBase(const QString& url)
{
    if (url.endsWith(u'/'))
        return url;
    if (!url.contains(u'.'))
        return trimBlanks(url) + u'/';
    const qsizetype last = url.lastIndexOf(u'/');
    if (last < 0)
        return url;
    if (last > 0 && url.at(last - 1) == u'/')
        return url;
    return url.left(last);
}
