#pragma once

#include "common/Colorref.h"

#include <QString>

#include <array>
#include <optional>

// Result codes of a link, as stored in the link table.
enum LinkResultCode : int {
    LR_OK_WEB = -1,
    LR_UNCHECKED = 0,
    LR_OK_FILE = 1,
    LR_OK_PAGE = 2,
    LR_NOCHECK_VBSCRIPT = 95,
    LR_NOCHECK_EMPTY = 97,
    LR_NOCHECK_JAVASCRIPT = 98,
    LR_NOCHECK_MAILTO = 99,
    LR_NG_WEB = 100,
    LR_NG_FILE = 101,
    LR_NG_PAGE = 102,
};

// The colour of each display class (0x00BBGGRR).
constexpr Colorref CLR_OK_WEB = 0xFF0000;
constexpr Colorref CLR_OK_FILE = 0x808000;
constexpr Colorref CLR_OK_PAGE = 0x004000;
constexpr Colorref CLR_NG_WEB = 0x0000FF;
constexpr Colorref CLR_NG_FILE = 0xFF00FF;
constexpr Colorref CLR_NG_PAGE = 0x0040C0;
constexpr Colorref CLR_NOCHECK = 0x888888;

// One entry of the link-kind list: index 0 is "any link", 1 to 7 the seven display classes.
struct LinkKind {
    const char16_t* label;     // in the navigation list and the legend
    Colorref color;            // unused for index 0
    const char16_t* sentence;  // shown for the link at the caret; empty for index 0
};

constexpr int LinkKindCount = 8;
constexpr int AnyLinkKind = 0;
extern const std::array<LinkKind, LinkKindCount> LinkKinds;

// The colour a link of this code is painted in; nullopt for a code of no class (left unpainted).
std::optional<Colorref> colorForResult(int code);

// The caret sentence for a colour; empty for black and every colour of no class.
QString sentenceForColor(Colorref color);

// True for the codes counted as a failed link (NG web, file or page, and the unclassified 0).
bool isFailedResult(int code);
