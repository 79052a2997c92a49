#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The pages of a folder tree: every *.htm and *.html file (any letter case) below folder, sorted by path.
// Names are read as the bytes they are (NativeName.h), so a name that is not UTF-8 is listed too. Hidden
// files and folders (a name starting with ".") are passed over, and a symbolic link to a folder is not
// followed, so a link back up the tree cannot make the listing endless.
QStringList pagesBelow(const QString& folder);

// Every file below folder, as pagesBelow walks the tree (hidden entries passed over, links to folders not
// followed), in the order the folders list them. The walk stops once visit returns false.
void visitFilesBelow(const QString& folder, const std::function<bool(const QString& path)>& visit);

// True when the file name ends in .htm or .html, in any letter case.
bool isPageName(const QString& name);
