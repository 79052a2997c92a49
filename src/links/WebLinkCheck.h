#pragma once

#include <QString>
#include <QStringList>

// The check of one web link ("HTTP:", "HTTPS:", "FTP:"): true when the target answered.
// The network implementation lives with the transfer layer; tests put their own in its place.
class WebLinkCheck {
public:
    virtual ~WebLinkCheck() = default;
    virtual bool checkWebLink(const QString& url) = 0;

    // A full check announces, before it checks them, the URLs it will pass to checkWebLink, in the
    // order it will pass them, so that an implementation may make their requests ahead; the verdicts must
    // stay those of checking one URL after the other. cancelPrefetch ends what was announced and not
    // checked yet (a stop, the end of the run). A check made one request at a time ignores both.
    virtual void prefetch(const QStringList& urls) { Q_UNUSED(urls); }
    virtual void cancelPrefetch() {}
};
