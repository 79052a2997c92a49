#pragma once

#include <QByteArray>
#include <QString>

// Converts between the documents' code page and Unicode with iconv. The code page is one setting
// (CP932 by default); the INI file may name another.
class CodePage {
public:
    static constexpr const char* DefaultName = "CP932";

    explicit CodePage(QString name = QString::fromLatin1(DefaultName));

    const QString& name() const { return m_name; }
    // False when iconv does not know the name (conversions then fail safe: see below).
    bool isKnown() const;

    // Never fails: undecodable bytes become U+FFFD. An unknown code page decodes as UTF-8.
    QString decode(const QByteArray& bytes) const;

    struct Encoded {
        QByteArray bytes;
        qsizetype failedAt = -1;  // index of the first character the code page cannot express
        bool ok() const { return failedAt < 0; }
    };
    // Nothing is replaced silently: a character the code page lacks stops the conversion.
    Encoded encode(const QString& text) const;

private:
    QString m_name;
};
