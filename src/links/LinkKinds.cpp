#include "LinkKinds.h"

Colorref colorOf(LinkClass linkClass)
{
    switch (linkClass) {
    case LinkClass::OkWeb:
        return LinkColor::OkWeb;
    case LinkClass::OkFile:
        return LinkColor::OkFile;
    case LinkClass::OkPage:
        return LinkColor::OkPage;
    case LinkClass::NgWeb:
        return LinkColor::NgWeb;
    case LinkClass::NgFile:
        return LinkColor::NgFile;
    case LinkClass::NgPage:
        return LinkColor::NgPage;
    case LinkClass::NotChecked:
        break;
    }
    return LinkColor::NotChecked;
}

std::optional<LinkClass> classOf(LinkResult result)
{
    switch (result) {
    case LinkResult::OkWeb:
        return LinkClass::OkWeb;
    case LinkResult::Unchecked:
    case LinkResult::NgWeb:
        return LinkClass::NgWeb;
    case LinkResult::OkFile:
        return LinkClass::OkFile;
    case LinkResult::OkPage:
        return LinkClass::OkPage;
    case LinkResult::NgFile:
        return LinkClass::NgFile;
    case LinkResult::NgPage:
        return LinkClass::NgPage;
    default:
        // Every number from 95 to 99 is "not checked", 96 included, though nothing produces it.
        if (toCode(result) >= 95 && toCode(result) <= 99)
            return LinkClass::NotChecked;
        return std::nullopt;
    }
}

std::optional<Colorref> colorForResult(LinkResult result)
{
    if (const auto linkClass = classOf(result))
        return colorOf(*linkClass);
    return std::nullopt;
}

bool isFailedResult(LinkResult result)
{
    return result == LinkResult::Unchecked || result == LinkResult::NgWeb || result == LinkResult::NgFile ||
           result == LinkResult::NgPage;
}
