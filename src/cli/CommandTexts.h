#pragma once

#include "Report.h"
#include "common/Prompter.h"
#include "common/Wording.h"
#include "links/LinkKinds.h"

#include <QString>

// The texts tarnwick-check shows besides the reasons (ReasonText.h), in the language of the locale.

// A result's class, the same in every language: "OK-web", "NG-file", "not-checked" ...
QString resultName(LinkResult result);
// What the command says on stderr of a prompt the engine puts, naming no document; empty for the prompts
// that never reach it (the command neither navigates nor writes).
QString noticeText(const Prompt& prompt);
// "12 links: 9 OK, 2 NG, 1 not checked (3 documents, 0.42 s)".
QString summaryText(const RunSummary& summary);
// Why a document could not be checked: "could not be read: no such file: a.html".
QString documentErrorText(const DocumentRecord& record, Wording wording);
