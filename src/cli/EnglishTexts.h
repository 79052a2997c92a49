#pragma once

#include "Report.h"
#include "common/Prompter.h"
#include "links/LinkKinds.h"
#include "links/ReasonDescription.h"

#include <QList>
#include <QString>

// Every text tarnwick-check shows, in English, in one place.

// A result's class: "OK-web", "NG-file", "not-checked" ...
QString resultName(LinkResult result);
// Why a link has its result: the phrases joined with "; ".
QString reasonText(const QList<ReasonPart>& parts);
QString promptText(const Prompt& prompt);
// "12 links: 9 OK, 2 NG, 1 not checked (3 documents, 0.42 s)".
QString summaryText(const RunSummary& summary);
