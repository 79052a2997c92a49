#include "Wording.h"

#include <QCoreApplication>

QString worded(const char* context, const char* source, Wording wording)
{
    return wording == Wording::Translated ? QCoreApplication::translate(context, source) : QString::fromUtf8(source);
}

QString withArgs(const QString& text, const QStringList& args)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar next = i + 1 < text.size() ? text.at(i + 1) : QChar();
        if (text.at(i) == u'%' && next >= u'1' && next <= u'9') {
            result += args.value(next.unicode() - u'1');
            ++i;
        } else {
            result += text.at(i);
        }
    }
    return result;
}
