#pragma once

#include "ReasonDescription.h"
#include "common/Wording.h"

#include <QList>
#include <QString>

// Why a link has its result, in words: the phrases of describeReason joined, for people (translated) or
// for scripts (in English).
QString reasonText(const QList<ReasonPart>& parts, Wording wording = Wording::Translated);
