#pragma once

#include <QString>

// The code page documents are read and written in, from the INI file's "Settings" section, key
// "Encoding"; CP932 when the key is missing or blank.
struct DocumentEncoding {
    QString name;    // the code page to use: always one this system can convert
    QString warning; // for the user when the INI file names a code page this system does not know; else empty
};

DocumentEncoding readDocumentEncoding(const QString& iniPath);
