#include "web/TransferTypes.h"

QString findHeader(const HttpHeaders& headers, const QString& name)
{
    const QByteArray wanted = name.toLatin1();
    for (const auto& [headerName, value] : headers) {
        if (headerName.compare(wanted, Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(value.trimmed());
    }
    return {};
}
