#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// Converts between the documents' code page and Unicode with iconv. The code page is one setting
// (CP932 by default); the INI file may name another.
class CodePage {
public:
    static constexpr const char* DefaultName = "CP932";

    explicit CodePage(QString name = QString::fromLatin1(DefaultName));

    const QString& name() const { return m_name; }
    // False when iconv does not know the name (conversions then fail safe: see below).
    bool isKnown() const;

    struct Decoded {
        QString text;
        qsizetype firstBadByte = -1; // offset of the first byte that did not decode
        qsizetype badByteCount = 0;  // bytes replaced by U+FFFD here; a U+FFFD the bytes spell is no bad byte
        bool clean() const { return badByteCount == 0; }
    };
    // Never fails: every undecodable byte becomes one U+FFFD (in UTF-16 and UTF-32, every undecodable code
    // unit), and a truncated sequence at the end is undecodable. An unknown code page decodes as UTF-8.
    Decoded decodeChecked(QByteArrayView bytes) const;
    QString decode(const QByteArray& bytes) const { return decodeChecked(bytes).text; }
    // The text when every byte decodes; nothing, without decoding the rest, at the first byte that does not.
    std::optional<QString> decodeClean(QByteArrayView bytes) const;

    struct Encoded {
        // Empty when a character cannot be encoded; otherwise what would be written, characters that
        // read back as another written as that nearest character. A stateful code page ends in its
        // initial shift state.
        QByteArray bytes;
        qsizetype failedAt = -1;    // index of the first character the code page cannot express
        qsizetype changedAt = -1;   // index of the first character that would read back as another
        qsizetype changedCount = 0; // how many characters would read back as another
        bool ok() const { return failedAt < 0; }
        bool exact() const { return ok() && changedCount == 0; }
    };
    // Nothing is replaced silently: a character the code page lacks stops the conversion, and
    // characters written as their nearest character are counted (only when the conversion went through).
    Encoded encode(const QString& text) const;

private:
    QString m_name;
};
