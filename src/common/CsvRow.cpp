#include "CsvRow.h"

QString csvRow(const QStringList& fields)
{
    QStringList quoted;
    for (QString field : fields) {
        if (field.contains(u',') || field.contains(u'"') || field.contains(u'\n') || field.contains(u'\r'))
            field = u'"' + field.replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
        quoted.append(field);
    }
    return quoted.join(u',') + QStringLiteral("\r\n");
}
