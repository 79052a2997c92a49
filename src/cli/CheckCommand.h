#pragma once

#include <QStringList>

// tarnwick-check: checks the links of the documents its command line names and reports them on standard
// output. Returns the exit status: 0 every link OK, 1 some link NG, 2 some document could not be read or
// the command line is wrong.
int runCheckCommand(const QStringList& arguments);
