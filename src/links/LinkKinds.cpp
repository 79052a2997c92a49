#include "LinkKinds.h"

const std::array<LinkKind, LinkKindCount> LinkKinds = {{
    {u"次のリンク", 0, u""},
    {u"OK：Webリンク", CLR_OK_WEB, u"Webにリンクしています。"},
    {u"OK：Fileリンク", CLR_OK_FILE, u"Fileにリンクしています。"},
    {u"OK：ページリンク", CLR_OK_PAGE, u"ページ内でリンクしています。"},
    {u"NG：Webリンク", CLR_NG_WEB, u"Webでリンク先が見つかりません。"},
    {u"NG：Fileリンク", CLR_NG_FILE, u"Fileが見つかりません。"},
    {u"NG：ページリンク", CLR_NG_PAGE, u"ページ内でリンク先が見つかりません。"},
    {u"未調査リンク", CLR_NOCHECK, u"リンク確認を行いません。"},
}};

std::optional<Colorref> colorForResult(int code)
{
    switch (code) {
    case LR_OK_WEB:
        return CLR_OK_WEB;
    case LR_UNCHECKED:
    case LR_NG_WEB:
        return CLR_NG_WEB;
    case LR_OK_FILE:
        return CLR_OK_FILE;
    case LR_OK_PAGE:
        return CLR_OK_PAGE;
    case LR_NG_FILE:
        return CLR_NG_FILE;
    case LR_NG_PAGE:
        return CLR_NG_PAGE;
    default:
        if (code >= 95 && code <= 99)
            return CLR_NOCHECK;
        return std::nullopt;
    }
}

QString sentenceForColor(Colorref color)
{
    for (int i = 1; i < LinkKindCount; ++i) {
        if (LinkKinds[i].color == color)
            return QString::fromUtf16(LinkKinds[i].sentence);
    }
    return QString();
}

bool isFailedResult(int code)
{
    return code == LR_UNCHECKED || code == LR_NG_WEB || code == LR_NG_FILE || code == LR_NG_PAGE;
}
