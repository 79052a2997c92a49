#pragma once

#include "store/FileReplace.h"
#include "web/CheckSettings.h"

#include <QString>

// The settings of checks that the INI file keeps in its "Check" section, for the window; the encoding is
// EncodingSetting's. "Resources" (1 or 0), "RootDir" (where root-relative links of a single document start;
// a site opened as a folder starts from that folder), "Exclude" and "Include" (a regular expression each, on
// links' absolute addresses), "Offline" (1: web links are left out), "Timeout" (seconds of a web link's whole
// request), "UserAgent", "Header1", "Header2" ... ("HOST=Name: value", sent to that host only) and "Accept"
// (HTTP statuses counted OK: "403,999"). A key missing or unreadable keeps its default.
CheckSettings readCheckSettings(const QString& iniPath);

// Keeps in the INI file whether the addresses tags load are checked too ("Resources", 1 or 0).
WriteResult writeResourcesSetting(const QString& iniPath, bool on);
