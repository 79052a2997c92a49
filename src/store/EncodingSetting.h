#pragma once

#include <QString>

// The code page documents are read and written in, from the INI file's "Settings" section, key
// "Encoding"; CP932 when the key is missing or blank.
struct EncodingSetting {
    QString name;        // the code page to use: always one this system can convert
    QString unknownName; // the name the INI file gives when this system does not know it; else empty
};

EncodingSetting readEncodingSetting(const QString& iniPath);
