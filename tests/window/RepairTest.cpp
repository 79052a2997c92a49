#include "WindowFixture.h"
#include "WithLoopbackServers.h"
#include "links/LinkKinds.h"
#include "window/LinkListModel.h"

#include <QAction>
#include <QMenu>
#include <QTableView>

namespace {

// A document with a misspelt file link and web links moved for good (301, 308) and for now (302).
class Repairs : public WithLoopbackServers<WindowFixture> {
protected:
    void SetUp() override
    {
        WithLoopbackServers<WindowFixture>::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        writeDocument(QStringLiteral("there.html"), "<html>");
        text = QStringLiteral("<html>\r\n<a href=\"tehre.html\">1</a>\r\n<a href=\"%1\">2</a>\r\n<a href=%2>3</a>\r\n"
                              "<a href=\"%3\">4</a>")
                   .arg(url("/moved/301/ok/a.html"), url("/moved/308/ok/b.html"), url("/moved/302/ok/c.html"));
        load(writeDocument(QStringLiteral("repair.html"), text.toUtf8()));
        ASSERT_TRUE(window.document().docLoaded);
        window.show();
    }

    QString url(const char* path) const { return servers->url(QStringLiteral("127.0.0.1"), QString::fromLatin1(path)); }
    LinkListModel* model() { return window.findChild<LinkListModel*>(); }
    QStringList suggestionColumn()
    {
        QStringList column;
        for (int row = 0; row < model()->rowCount(); ++row)
            column.append(model()->index(row, LinkListModel::SuggestionColumn).data().toString());
        return column;
    }
    // The suggestion menu on screen; a stand-in (that fails the test) when none is.
    QMenu* shownMenu()
    {
        for (QMenu* menu : window.findChildren<QMenu*>(QStringLiteral("suggestionMenu"))) {
            if (menu->isVisible())
                return menu;
        }
        ADD_FAILURE() << "no suggestion menu is shown";
        return &standIn;
    }
    QStringList shownItems()
    {
        QStringList items;
        for (const QAction* item : shownMenu()->actions())
            items.append(item->text());
        return items;
    }
    // Chooses an item of the menu on screen, which closes as a click closes it.
    void chooseShown(int item)
    {
        QMenu* menu = shownMenu();
        menu->actions().at(item)->trigger();
        menu->close();
    }

    QString text;
    QMenu standIn;
};

// A suggestion chosen for the link at the caret, or in the link list, takes the value's place as an edit; the
// link is checked again at once and gets its new verdict.
TEST_F(Repairs, AChosenSuggestionRewritesTheLinkWhichIsCheckedAgain)
{
    EXPECT_EQ(suggestionColumn(), (QStringList{"there.html", url("/ok/a.html"), url("/ok/b.html"), ""}));

    window.editor().setSelection(int(text.indexOf(QStringLiteral("tehre"))), 0);
    window.findChild<QAction*>(QStringLiteral("suggestAction"))->trigger();
    ASSERT_EQ(shownItems(), QStringList{"there.html"});
    chooseShown(0);
    EXPECT_TRUE(window.editor().text().contains(QStringLiteral("<a href=\"there.html\">1</a>")));
    EXPECT_TRUE(window.linkSpans().isEdited(0));
    EXPECT_TRUE(window.runState().isBusy) << "the link is not checked again";
    waitUntilIdle();
    EXPECT_FALSE(window.linkSpans().isEdited(0));
    EXPECT_EQ(shownResults().first(), LinkResult::OkFile);

    auto* table = control<QTableView>("linkTable");
    const auto openRowMenu = [&](int row) {
        emit table->customContextMenuRequested(table->visualRect(table->model()->index(row, 0)).center());
    };
    openRowMenu(3); // moved for now: nothing to offer
    EXPECT_EQ(shownItems(), QStringList{"修正候補はありません"});
    shownMenu()->close();
    openRowMenu(2);
    ASSERT_EQ(shownItems(), QStringList{url("/ok/b.html")});
    chooseShown(0);
    waitUntilIdle();
    EXPECT_TRUE(window.editor().text().contains(QStringLiteral("<a href=%1>3</a>").arg(url("/ok/b.html"))));
    EXPECT_EQ(shownResults(), (QList{LinkResult::OkFile, LinkResult::OkWeb, LinkResult::OkWeb, LinkResult::OkWeb}));
    EXPECT_EQ(suggestionColumn(), (QStringList{"", url("/ok/a.html"), "", ""}));
    expectUnlocked();
}

// The update of the links moved for good changes both at once, one undo step, and leaves the one moved for now.
TEST_F(Repairs, UpdatingEveryPermanentRedirectIsOneUndoStep)
{
    window.findChild<QAction*>(QStringLiteral("updateRedirectsAction"))->trigger();
    QString updated = text;
    updated.replace(url("/moved/301/ok/a.html"), url("/ok/a.html"))
        .replace(url("/moved/308/ok/b.html"), url("/ok/b.html"));
    EXPECT_EQ(window.editor().text(), updated);
    EXPECT_EQ(control<QLabel>("statusSentence")->text(), QStringLiteral("恒久リダイレクト 2 件を更新しました"));
    for (const int span : {1, 2})
        EXPECT_TRUE(window.linkSpans().isEdited(span)) << span;
    window.editor().document()->undo();
    EXPECT_EQ(window.editor().text(), text);
    EXPECT_FALSE(window.linkSpans().isEdited(1));
}

} // namespace
