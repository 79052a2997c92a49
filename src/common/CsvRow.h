#pragma once

#include <QString>
#include <QStringList>

// One CSV row (RFC 4180) with its CR LF: a field holding a comma, a quote or a line break goes in quotes,
// its quotes doubled.
QString csvRow(const QStringList& fields);
