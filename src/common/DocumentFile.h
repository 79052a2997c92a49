#pragma once

#include "Document.h"
#include "FileStamp.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <array>

// Local documents larger than this are refused rather than held whole in memory.
constexpr qint64 MaxLocalDocumentBytes = 256 * 1024 * 1024;

// Why a local document could not be read.
enum class LocalReadError {
    None,
    NoSuchFile, // also an empty path
    PermissionDenied,
    Folder,
    NotRegularFile, // a FIFO, a device, a socket
    TooLarge,       // over MaxLocalDocumentBytes
    ReadError,      // the system's words say why
};

struct LocalFileRead {
    QByteArray bytes;
    LocalReadError error = LocalReadError::None;
    QString systemError; // for ReadError
    FileStamp stamp;     // of the file read
};

// Reads a local file whole (the path's blanks trimmed). It never waits on the file: only a regular file is
// read, opened without blocking, and no more than MaxLocalDocumentBytes of it, even if it grows meanwhile.
LocalFileRead readLocalFile(const QString& path);

// A document's bytes as the program holds them: decoded in the encoding detected for them, the text cut
// before the first NUL, and what the text does not hold of the bytes.
struct DocumentText {
    QString text;
    TextEncoding encoding;
    ReadLoss loss;
};
// httpContentType and configured as decodeDetected (EncodingDetection.h) takes them; besides, a configured
// "UTF-16" reads the byte order from the document's mark or, without one, from its bytes.
DocumentText decodeDocumentText(const QByteArray& bytes, const QString& httpContentType, const QString& configured);

// The 1-based line of a text position; CR LF, a lone CR and a lone LF each end a line.
int lineOfPosition(QStringView text, qsizetype position);

// True when the text holds an HTML start tag: "<HTML" in any letter case followed by ">" or white space.
bool checkHtmlTag(const QString& htmlData);

// [0] the folder part with its trailing "/" (of the absolute path, so a relative path resolves from
// the working folder), [1] the file name, [2] the name without its extension (cut at the last ".").
std::array<QString, 3> splitFilePath(const QString& path);

// The base of a local document's relative links: its folder without a trailing separator.
QString fileDocBase(const QString& path);

// The base of a web document's relative links.
QString urlDocBase(const QString& url);
