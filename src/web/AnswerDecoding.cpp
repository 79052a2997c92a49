#include "AnswerDecoding.h"

#include "common/MetaCharset.h"

namespace {

QString markedEncoding(const QByteArray& body)
{
    for (const QString& name : {QStringLiteral("UTF-8"), QStringLiteral("UTF-16LE"), QStringLiteral("UTF-16BE")}) {
        if (body.startsWith(byteOrderMarkOf(name)))
            return name;
    }
    return QString();
}

} // namespace

QString decodeWebAnswer(const QByteArray& body, const TextEncoding& documentEncoding)
{
    QString name = markedEncoding(body);
    if (name.isEmpty())
        name = metaDeclaredEncoding(body);
    // Without a mark, a page is no UTF-16 even when the document is: its markup would not read as ASCII.
    if (name.isEmpty())
        name = documentEncoding.name.startsWith(u"UTF-16") ? QStringLiteral("UTF-8") : documentEncoding.name;
    return decodeDocument(body, name).text;
}
