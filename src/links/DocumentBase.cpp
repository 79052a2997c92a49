#include "DocumentBase.h"

#include "LinkClassifier.h"
#include "TagScan.h"
#include "TagValue.h"
#include "TaglessRanges.h"
#include "common/DocumentFile.h"
#include "common/DocumentSource.h"

#include <QDir>
#include <QUrl>

std::optional<QString> baseHref(QStringView text, QStringView upper, const TaglessRanges& tagless)
{
    TagCandidates tags(upper, TagCandidates::Kind::Any, &tagless);
    while (tags.next() && tags.end() >= 0) {
        const QStringView tag = upper.sliced(tags.start(), tags.end() - tags.start() + 1);
        if (!tag.startsWith(u"<BASE ") && !tag.startsWith(u"<BASE/") && tag != u"<BASE>")
            continue;
        if (const auto span = findHrefValue(tag); span && span->closed) {
            const ValueSpan inText{tags.start() + span->begin, tags.start() + span->end, true};
            return secondPassValue(text, inText);
        }
    }
    return std::nullopt;
}

CheckContext withBaseHref(const CheckContext& context, const QString& href)
{
    if (href.isEmpty())
        return context;
    CheckContext based = context;
    if (isUrlPath(href)) {
        based.base = urlDocBase(href);
        based.docIsFile = false;
        return based;
    }
    const QString scheme = schemeOf(href);
    if (scheme == u"file") {
        const QString path = QUrl(href).toLocalFile();
        based.base = href.endsWith(u'/') ? QDir::cleanPath(path) : fileDocBase(path);
        based.docIsFile = true;
        return based;
    }
    if (!scheme.isEmpty())
        return context; // a base no link can lead from: browsers ignore it as well
    const QString folder = LinkClassifier::normaliseBase(context.base);
    if (context.docIsFile) {
        const QString joined = href.startsWith(u'/') ? href : folder + u'/' + href;
        based.base = href.endsWith(u'/') ? QDir::cleanPath(joined) : fileDocBase(joined);
        return based;
    }
    based.base = urlDocBase(QUrl(folder + u'/').resolved(QUrl(href, QUrl::TolerantMode)).toString());
    return based;
}
