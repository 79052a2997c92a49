#include "DocumentFile.h"

#include "EncodingDetection.h"
#include "FileTest.h"
#include "SearchCopy.h"

#include <QFile>
#include <QFileInfo>

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

} // namespace

std::optional<QByteArray> readLocalFile(const QString& path)
{
    const QString trimmed = trimBlanks(path);
    if (trimmed.isEmpty() || !fileExists(trimmed))
        return std::nullopt;
    QFile file(trimmed);
    if (QFileInfo(file).isDir() || !file.open(QIODevice::ReadOnly) || file.size() > MaxLocalDocumentBytes)
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
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
    return upper.contains(QLatin1StringView("<HTML ")) || upper.contains(QLatin1StringView("<HTML>"));
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
