// The addresses a page loads in the window: the setting in 表示, kept in the INI file; each address a row
// of the link list naming its tag and attribute, painted on its value, a stop of ▲ / ▼, and checked again
// alone by the single check.

#include "WindowFixture.h"
#include "window/CheckSettingsFile.h"
#include "window/LinkListModel.h"

#include <QAction>
#include <QTableView>

namespace {

class Resources : public WindowFixture {
protected:
    void SetUp() override
    {
        writeDocument(QStringLiteral("here.png"), "");
        text = QStringLiteral("<html><a href=here.png>a</a> <img src=\"gone.png\" srcset=\"here.png 2x\">");
        load(writeDocument(QStringLiteral("page.html"), text.toUtf8()));
        ASSERT_EQ(shownResults().size(), 1); // off by default: the <A HREF> alone
        control<QAction>("resourcesAction")->trigger();
        clickAndWait("checkAllLinksButton");
    }

    QString text;
};

TEST_F(Resources, EachAddressIsALinkOfItsOwnKeptInTheSettings)
{
    EXPECT_TRUE(readCheckSettings(folder.filePath(QStringLiteral("tarnwick.INI"))).resources);
    EXPECT_EQ(shownResults(), (QList<LinkResult>{LinkResult::OkFile, LinkResult::NgFile, LinkResult::OkFile}));
    QAbstractItemModel* rows = control<QTableView>("linkTable")->model();
    EXPECT_EQ(rows->index(1, LinkListModel::TagColumn).data().toString(), QStringLiteral("IMG SRC"));
    EXPECT_EQ(rows->index(2, LinkListModel::TagColumn).data().toString(), QStringLiteral("IMG SRCSET"));

    // Painted on its value alone; the tag around it is not.
    const int gone = int(text.indexOf(QStringLiteral("gone.png")));
    EXPECT_EQ(settledPaintAt(gone), std::pair(LinkColor::NgFile, true));
    EXPECT_EQ(settledPaintAt(int(text.indexOf(QStringLiteral("<img")))), std::pair(Colorref(0), false));

    // ▼ stops at each value; the single check there checks that address again.
    window.editor().setSelection(0, 0);
    button("nextLinkButton")->click();
    button("nextLinkButton")->click();
    EXPECT_EQ(window.editor().selStart(), gone);
    writeDocument(QStringLiteral("gone.png"), "");
    window.editor().setSelection(gone + 2, 0);
    clickAndWait("checkOneLinkButton");
    EXPECT_EQ(shownResults(), (QList<LinkResult>{LinkResult::OkFile, LinkResult::OkFile, LinkResult::OkFile}));
    EXPECT_EQ(window.editor().selStart(), gone);
}

} // namespace
