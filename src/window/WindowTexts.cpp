#include "WindowTexts.h"

#include <QCoreApplication>

namespace {

QString translated(const char* source)
{
    return QCoreApplication::translate("Window", source);
}

} // namespace

QString fileDialogFilter(FileDialogKind kind)
{
    switch (kind) {
    case FileDialogKind::OpenDocument:
        return translated(QT_TRANSLATE_NOOP("Window", "HTML files (*.HTM;*.HTML)|*.HTM;*HTML|All files|*.*"));
    case FileDialogKind::SaveLinkList:
        return translated(QT_TRANSLATE_NOOP("Window", "CSV files (*.csv)|*.csv|All files|*.*"));
    case FileDialogKind::WriteDocument:
    case FileDialogKind::OpenFolder:
        break;
    }
    return translated(QT_TRANSLATE_NOOP("Window", "All files|*.*"));
}

QString phaseText(CheckPhase phase)
{
    return phase == CheckPhase::Counting ? translated(QT_TRANSLATE_NOOP("Window", "Counting the links..."))
                                         : translated(QT_TRANSLATE_NOOP("Window", "Checking the link"));
}

QString linkClassLabel(LinkClass linkClass)
{
    switch (linkClass) {
    case LinkClass::OkWeb:
        return translated(QT_TRANSLATE_NOOP("Window", "OK: web link"));
    case LinkClass::OkFile:
        return translated(QT_TRANSLATE_NOOP("Window", "OK: file link"));
    case LinkClass::OkPage:
        return translated(QT_TRANSLATE_NOOP("Window", "OK: in-page link"));
    case LinkClass::NgWeb:
        return translated(QT_TRANSLATE_NOOP("Window", "NG: web link"));
    case LinkClass::NgFile:
        return translated(QT_TRANSLATE_NOOP("Window", "NG: file link"));
    case LinkClass::NgPage:
        return translated(QT_TRANSLATE_NOOP("Window", "NG: in-page link"));
    case LinkClass::NotChecked:
        break;
    }
    return translated(QT_TRANSLATE_NOOP("Window", "Link not checked"));
}

QString linkClassSentence(LinkClass linkClass)
{
    switch (linkClass) {
    case LinkClass::OkWeb:
        return translated(QT_TRANSLATE_NOOP("Window", "Links to the web."));
    case LinkClass::OkFile:
        return translated(QT_TRANSLATE_NOOP("Window", "Links to a file."));
    case LinkClass::OkPage:
        return translated(QT_TRANSLATE_NOOP("Window", "Links within the page."));
    case LinkClass::NgWeb:
        return translated(QT_TRANSLATE_NOOP("Window", "The link target was not found on the web."));
    case LinkClass::NgFile:
        return translated(QT_TRANSLATE_NOOP("Window", "The file was not found."));
    case LinkClass::NgPage:
        return translated(QT_TRANSLATE_NOOP("Window", "The link target was not found in the page."));
    case LinkClass::NotChecked:
        break;
    }
    return translated(QT_TRANSLATE_NOOP("Window", "The link is not checked."));
}

QString anyLinkLabel()
{
    return translated(QT_TRANSLATE_NOOP("Window", "Next link"));
}

QString failedLinksLabel()
{
    return translated(QT_TRANSLATE_NOOP("Window", "All NG"));
}

QString linkCountsText(int failed, int all)
{
    return translated(QT_TRANSLATE_NOOP("Window", "NG %1 / all %2")).arg(failed).arg(all);
}

QString lineNumberLabel(int lines)
{
    return translated(QT_TRANSLATE_NOOP("Window", "Line number (1 - %1):")).arg(lines);
}
