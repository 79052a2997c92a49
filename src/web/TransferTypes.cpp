#include "web/TransferTypes.h"

#include <algorithm>

QByteArray takeFront(QByteArray& bytes, qint64 maxBytes)
{
    const qsizetype count = qsizetype(std::clamp<qint64>(maxBytes, 0, bytes.size()));
    QByteArray taken = bytes.left(count);
    bytes.remove(0, count);
    return taken;
}

QString findHeader(const HttpHeaders& headers, const QString& name)
{
    const QByteArray wanted = name.toLatin1();
    for (const auto& [headerName, value] : headers) {
        if (headerName.compare(wanted, Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(value.trimmed());
    }
    return {};
}
