#pragma once

#include <QString>

// The check of one web link ("HTTP:", "HTTPS:", "FTP:"): true when the target answered.
// The network implementation lives with the transfer layer; tests put their own in its place.
class WebLinkCheck {
public:
    virtual ~WebLinkCheck() = default;
    virtual bool Fnc_CheckWebLink(const QString& url) = 0;
};
