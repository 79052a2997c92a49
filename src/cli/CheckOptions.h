#pragma once

#include "web/CheckSettings.h"

#include <QString>
#include <QStringList>

enum class ReportFormat { Text, Tsv, Json, Csv, Github };

// What one run of tarnwick-check is asked to do.
struct CheckOptions {
    ReportFormat format = ReportFormat::Text;
    bool brokenOnly = false;
    bool quiet = false;
    bool recursive = false;
    bool suggest = false;   // text, json and csv add the values that could repair each link
    CheckSettings settings; // the encoding, the limits, what counts as a link
    QStringList documents;  // as given: paths, folders, URLs
};

struct ParsedCommand {
    enum class Action { Check, ShowText, Fail };
    Action action = Action::Fail;
    CheckOptions options;
    QString text; // the help or version text to print, or why the command line is wrong
};

// Reads tarnwick-check's command line (arguments[0] is the program).
ParsedCommand parseCheckCommand(const QStringList& arguments);
