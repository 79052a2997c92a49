#pragma once

#include <QString>

// The document named on the command line (`tarnwick [FILE|URL]`), as the path box takes it: an http, https
// or ftp URL as given; a file: URL (what a desktop passes for %u) as its local path; any other argument as a
// local path, made absolute against the current folder so that the history keeps a path that stays right.
// White space around the argument is dropped; empty for a blank argument.
QString startDocumentPath(const QString& argument);
