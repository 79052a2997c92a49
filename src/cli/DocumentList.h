#pragma once

#include "Report.h"

#include <QList>
#include <QString>
#include <QStringList>

// One document of a run: what to load, or why it cannot be.
struct DocumentItem {
    QString path;                              // a local path or a URL, as the loader takes it
    DocumentError error = DocumentError::None; // a folder without -r
    QString folder{};                          // a page of a folder given with -r: that folder
};

// The documents named on the command line, in their order. A folder stands for every *.htm and *.html
// file below it (any letter case), sorted by path, when recursive; otherwise it is an error item. URLs and
// paths that name no folder are taken as they are (the loader says when one cannot be read).
QList<DocumentItem> expandDocuments(const QStringList& arguments, bool recursive);
