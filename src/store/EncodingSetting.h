#pragma once

#include <QString>

// The encoding documents are read in, from the INI file's "Settings" section, key "Encoding": "auto"
// (also when the key is missing or blank) detects each document's; a code page name reads every document
// in that one.
struct EncodingSetting {
    QString name;        // "auto", or a code page this system can convert
    QString unknownName; // the name the INI file gives when this system does not know it (then "auto"); else empty
};

EncodingSetting readEncodingSetting(const QString& iniPath);

// True for "auto" (in any letter case) and for an encoding label or code page name this system converts.
bool isUsableEncodingSetting(const QString& name);
