#pragma once

#include <QString>

#include <array>

class CodePage;

// Local documents larger than this are refused rather than held whole in memory.
constexpr qint64 MaxLocalDocumentBytes = 256 * 1024 * 1024;

// Reads a local file whole into htmlData, decoded from the code page and cut before the first NUL.
// False, with htmlData untouched, when the path is empty, missing, a folder, unreadable or too large.
bool readLocalFile(const QString& path, const CodePage& codePage, QString& htmlData);

// True when the text holds an HTML start tag: "<HTML " or "<HTML>" in any letter case.
bool checkHtmlTag(const QString& htmlData);

// [0] the folder part with its trailing "/" (of the absolute path, so a relative path resolves from
// the working folder), [1] the file name, [2] the name without its extension (cut at the last ".").
std::array<QString, 3> splitFilePath(const QString& path);

// The base of a local document's relative links: its folder without a trailing separator.
QString fileDocBase(const QString& path);

// The base of a web document's relative links.
QString urlDocBase(const QString& url);
