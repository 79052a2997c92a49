#pragma once

#include <QString>

// What the path box names, read once: a local file with the folder its relative links start from,
// or a URL with its base. Blanks around the text are not part of the path.
struct DocumentSource {
    QString path; // trimmed of blanks, letter case as typed
    QString base; // the base of relative links (see fileDocBase / urlDocBase)
    bool isUrl = false;

    // A path is a URL when it begins with "HTTP:", "HTTPS:" or "FTP:" in any letter case.
    static DocumentSource fromPathBox(const QString& text);
    bool isEmpty() const { return path.isEmpty(); }
};

// True for a path that begins with "HTTP:", "HTTPS:" or "FTP:" in any letter case, blanks ignored.
bool isUrlPath(const QString& path);
