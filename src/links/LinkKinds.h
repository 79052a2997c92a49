#pragma once

#include "common/Colorref.h"

#include <array>
#include <optional>

// The result of checking one link. The numbers are part of tarnwick-check's output: they never change.
enum class LinkResult : int {
    OkWeb = -1,
    Unchecked = 0, // created, not classified: painted as a failed web link
    OkFile = 1,
    OkPage = 2,
    NoCheckVbscript = 95,
    NoCheckOther = 96, // another scheme (tel:, data: ...), or left out on purpose; the reason says which
    NoCheckEmpty = 97,
    NoCheckJavascript = 98,
    NoCheckMailto = 99,
    NgWeb = 100,
    NgFile = 101,
    NgPage = 102,
};

constexpr int toCode(LinkResult result)
{
    return static_cast<int>(result);
}

// The display classes links are painted in, in the order of the navigation list and the legend.
enum class LinkClass { OkWeb, OkFile, OkPage, NgWeb, NgFile, NgPage, NotChecked };

constexpr std::array<LinkClass, 7> AllLinkClasses = {LinkClass::OkWeb,     LinkClass::OkFile, LinkClass::OkPage,
                                                     LinkClass::NgWeb,     LinkClass::NgFile, LinkClass::NgPage,
                                                     LinkClass::NotChecked};

// The colour of each class (0x00BBGGRR).
namespace LinkColor {
constexpr Colorref OkWeb = 0xFF0000;      // blue
constexpr Colorref OkFile = 0x808000;     // teal
constexpr Colorref OkPage = 0x004000;     // dark green
constexpr Colorref NgWeb = 0x0000FF;      // red
constexpr Colorref NgFile = 0xFF00FF;     // magenta
constexpr Colorref NgPage = 0x0040C0;     // brown
constexpr Colorref NotChecked = 0x888888; // grey
} // namespace LinkColor

Colorref colorOf(LinkClass linkClass);

// The class of a result; nullopt for a number of no class (such a link is left unpainted).
std::optional<LinkClass> classOf(LinkResult result);
// The colour a link of this result is painted in; nullopt for a number of no class.
std::optional<Colorref> colorForResult(LinkResult result);

// True for the results counted as a failed link (NG web, file or page, and the unclassified 0).
bool isFailedResult(LinkResult result);
