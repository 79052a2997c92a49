#include "WindowFixture.h"
#include "WithLoopbackServers.h"

#include <QMenu>
#include <QMenuBar>
#include <QTimer>

namespace {

using Answer = Prompter::Answer;

class EncodingMenuTest : public WindowFixture {
protected:
    QMenu* menu() { return control<QMenu>("encodingMenu"); }
    QLabel* label() { return control<QLabel>("encodingLabel"); }

    QStringList captions()
    {
        QStringList texts;
        for (QAction* action : menu()->actions())
            texts.append(action->text());
        return texts;
    }

    // The captions of the checked items.
    QStringList marked()
    {
        QStringList texts;
        for (QAction* action : menu()->actions()) {
            if (action->isChecked())
                texts.append(action->text());
        }
        return texts;
    }

    // Chooses an item and waits for the reopen it starts.
    void choose(const QString& caption)
    {
        for (QAction* action : menu()->actions()) {
            if (action->text() == caption) {
                action->trigger();
                waitUntilIdle();
                return;
            }
        }
        ADD_FAILURE() << "no item " << caption.toStdString();
    }

    void typeAtStart(const QString& text)
    {
        QTextCursor cursor = control<QPlainTextEdit>("documentEdit")->textCursor();
        cursor.movePosition(QTextCursor::Start);
        cursor.insertText(text);
    }

    QByteArray fileBytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(EncodingMenuTest, FollowsTheFileMenuAndWaitsForADocument)
{
    const QList<QAction*> menus = window.menuBar()->actions();
    ASSERT_EQ(menus.size(), 6);
    EXPECT_EQ(menus[1]->menu(), menu());
    EXPECT_EQ(menu()->title(), QStringLiteral("文字コード(&E)"));
    EXPECT_EQ(captions(),
              (QStringList{QStringLiteral("UTF-8"), QStringLiteral("Shift_JIS"), QStringLiteral("EUC-JP"),
                           QStringLiteral("ISO-2022-JP"), QStringLiteral("UTF-16"), QStringLiteral("Windows-1252")}));
    for (QAction* action : menu()->actions())
        EXPECT_TRUE(action->isCheckable());
    EXPECT_FALSE(menus[1]->isEnabled());
    EXPECT_TRUE(marked().isEmpty());
    EXPECT_TRUE(label()->text().isEmpty());

    // A failed load leaves nothing to reopen.
    load(folder.filePath(QStringLiteral("missing.html")));
    EXPECT_FALSE(menus[1]->isEnabled());
}

TEST_F(EncodingMenuTest, TheStatusStripNamesTheDetectedEncodingAtItsRightEnd)
{
    window.show();
    load(writeDocument(QStringLiteral("u.html"), "\xef\xbb\xbf<html>\xe6\x97\xa5"));
    EXPECT_EQ(label()->text(), QStringLiteral("UTF-8 (BOM)"));
    EXPECT_EQ(marked(), QStringList{QStringLiteral("UTF-8")});
    EXPECT_TRUE(menu()->menuAction()->isEnabled());
    QCoreApplication::processEvents();
    auto* strip = control<QWidget>("statusStrip");
    EXPECT_GT(label()->geometry().left(), strip->width() / 2);
    EXPECT_LE(label()->geometry().right(), strip->width());

    load(writeDocument(QStringLiteral("s.html"), QByteArray("\xff\xfe<\0h\0t\0m\0l\0>\0", 14)));
    EXPECT_EQ(label()->text(), QStringLiteral("UTF-16LE (BOM)"));
    EXPECT_EQ(marked(), QStringList{QStringLiteral("UTF-16")});
    load(writeDocument(QStringLiteral("a.html"), "<html>ascii"));
    EXPECT_EQ(label()->text(), QStringLiteral("Shift_JIS"));
    EXPECT_EQ(marked(), QStringList{QStringLiteral("Shift_JIS")});
    // An encoding the menu does not list is named but marks no item.
    load(writeDocument(QStringLiteral("k.html"), "<html><meta charset=koi8-r>\xf2\xd5\xd3"));
    EXPECT_EQ(label()->text(), QStringLiteral("KOI8-R"));
    EXPECT_TRUE(marked().isEmpty());
    expectUnlocked();
}

TEST_F(EncodingMenuTest, ReopensTheDocumentInTheChosenEncodingWhichTheWriteKeeps)
{
    const QString path = writeDocument(QStringLiteral("page.html"), "<html>\xe6\x97\xa5\xe6\x9c\xac");
    load(path);
    control<QPlainTextEdit>("pathEdit")->setPlainText(QStringLiteral("typed but not loaded"));
    choose(QStringLiteral("Windows-1252"));
    EXPECT_TRUE(prompter.asked.isEmpty()) << messages().join(u'|').toStdString();
    EXPECT_EQ(window.editor().text(), QStringLiteral("<html>æ—¥æœ¬"));
    EXPECT_EQ(control<QPlainTextEdit>("pathEdit")->toPlainText(), path);
    EXPECT_EQ(label()->text(), QStringLiteral("Windows-1252"));
    EXPECT_EQ(marked(), QStringList{QStringLiteral("Windows-1252")});
    expectUnlocked();

    typeAtStart(QStringLiteral("<!-- -->"));
    button("writeButton")->click();
    EXPECT_EQ(fileBytes(path), QByteArray("<!-- --><html>\xe6\x97\xa5\xe6\x9c\xac"));
    EXPECT_EQ(fileBytes(folder.filePath(QStringLiteral("page.001"))), QByteArray("<html>\xe6\x97\xa5\xe6\x9c\xac"));

    // Chosen again, the detected encoding comes back.
    choose(QStringLiteral("UTF-8"));
    EXPECT_EQ(window.editor().text(), QStringLiteral("<!-- --><html>日本"));
    EXPECT_EQ(marked(), QStringList{QStringLiteral("UTF-8")});
}

TEST_F(EncodingMenuTest, EditsAreDiscardedOnlyAfterTheQuestion)
{
    load(writeDocument(QStringLiteral("e.html"), "<html>\xe3\x81\x82"));
    typeAtStart(QStringLiteral("x"));
    prompter.answers = {Answer::No};
    choose(QStringLiteral("Shift_JIS"));
    EXPECT_EQ(prompter.ids(), QList{PromptId::DiscardEdits});
    EXPECT_EQ(window.editor().text(), QStringLiteral("x<html>あ"));
    EXPECT_EQ(label()->text(), QStringLiteral("UTF-8"));
    EXPECT_EQ(marked(), QStringList{QStringLiteral("UTF-8")});

    // In Shift_JIS the last byte begins a character that never ends: the load says so once, after it.
    prompter.asked.clear();
    prompter.answers = {Answer::Yes};
    choose(QStringLiteral("Shift_JIS"));
    EXPECT_EQ(messages(),
              (QStringList{
                  QStringLiteral("現在編集中のデータは変更されています。\r\nデータの読み込みを行いますか？"),
                  QStringLiteral("Shift_JISで読めないバイトが1バイトあります（最初は1行目）。"
                                 "読めないバイトは「\uFFFD」で表示しています。"),
              }));
    EXPECT_EQ(window.editor().text(), QStringLiteral("<html>縺\uFFFD"));
    EXPECT_EQ(marked(), QStringList{QStringLiteral("Shift_JIS")});
    expectUnlocked();
}

using EncodingMenuByUrl = WithLoopbackServers<EncodingMenuTest>;

TEST_F(EncodingMenuByUrl, AReopenFetchesThePageAgain)
{
    const QString path = QStringLiteral("/bytes/euc-jp/") + QString::fromLatin1(QByteArray("<html>\xa4\xa2").toHex());
    const QString url = servers->url(QStringLiteral("127.0.0.1"), path);
    load(url);
    EXPECT_EQ(window.editor().text(), QStringLiteral("<html>あ"));
    EXPECT_EQ(label()->text(), QStringLiteral("EUC-JP"));
    choose(QStringLiteral("Shift_JIS"));
    EXPECT_EQ(window.editor().text(), QStringLiteral("<html>､｢"));
    EXPECT_EQ(servers->requestCount(QStringLiteral("127.0.0.1"), QStringLiteral("GET ") + path), 2);
    EXPECT_EQ(window.document().docPath, url);
    EXPECT_FALSE(window.document().docIsFile);
}

TEST_F(EncodingMenuByUrl, IsDisabledWhileAnOperationRuns)
{
    const QString stalling = QStringLiteral("<html><a href=\"%1\">x</a>")
                                 .arg(servers->url(QStringLiteral("127.0.0.1"), QStringLiteral("/stall/x.html")));
    load(writeDocument(QStringLiteral("first.html"), "<html>first"));
    ASSERT_TRUE(menu()->menuAction()->isEnabled());
    window.show();
    bool enabledDuringLoad = true;
    QString labelDuringLoad = QStringLiteral("unset");
    QTimer::singleShot(300, &window, [&] {
        enabledDuringLoad = menu()->menuAction()->isEnabled();
        labelDuringLoad = label()->text();
        button("exitButton")->click();
    });
    load(writeDocument(QStringLiteral("stall.html"), stalling.toUtf8()));
    EXPECT_FALSE(enabledDuringLoad);
    // The new document's text is on screen while its links are checked, and so is its encoding.
    EXPECT_EQ(labelDuringLoad, QStringLiteral("Shift_JIS"));
    EXPECT_EQ(prompter.ids(), QList{PromptId::LoadStopped});
    // Afterwards it works again as far as there is a document to reopen.
    EXPECT_EQ(menu()->menuAction()->isEnabled(), window.document().docLoaded);
    expectUnlocked();
}

// The wording of the prompts about encodings and writes.
TEST(EncodingPromptTexts, NameTheCharactersBytesAndProblems)
{
    const auto text = [](PromptId id, const QStringList& args, WriteFailure problem = WriteFailure::None) {
        return promptText({id, args, problem});
    };
    EXPECT_EQ(text(PromptId::NearestCharacters, {"2", "¥", "00A5", "1", "Shift_JIS", "\\"}),
              QStringLiteral("2行目の文字「¥」(U+00A5)はShift_JISでそのまま書き込めません。\r\n"
                             "近い文字「\\」に置き換えて書き込みますか？"));
    EXPECT_EQ(text(PromptId::NearestCharacters, {"7", "〜", "301C", "3", "Shift_JIS", "～"}),
              QStringLiteral("7行目の文字「〜」(U+301C)など3文字はShift_JISでそのまま書き込めません。\r\n"
                             "近い文字（「〜」は「～」）に置き換えて書き込みますか？"));
    EXPECT_EQ(text(PromptId::UnreadBytes, {"UTF-8", "0", "0", "12"}),
              QStringLiteral("12行目にNUL文字があるため、その後ろは読み込んでいません。"));
    EXPECT_EQ(
        text(PromptId::WriteUnreadBytes, {"UTF-8", "3", "5", "9"}),
        QStringLiteral(
            "UTF-8で読めなかった3バイト（最初は5行目）は「\uFFFD」として書き込まれ、元のバイトには戻りません。\r\n"
            "9行目のNUL文字から後ろは読み込んでいないため、書き込むと失われます。\r\n"
            "書き込みますか？"));
    EXPECT_EQ(
        text(PromptId::UnknownEncodingSetting, {"NO-SUCH"}),
        QStringLiteral("INIファイルの文字コード「NO-SUCH」は使用できません。\r\n文字コードは文書ごとに判別します。"));
    const QString failed = QStringLiteral("書き込みに失敗しました。\r\n/d/a.html\r\n");
    const QStringList args{QStringLiteral("/d/a.html"), QStringLiteral("No space left on device")};
    EXPECT_EQ(text(PromptId::WriteFailed, args, WriteFailure::ReadOnly),
              failed + QStringLiteral("読み取り専用のファイルです。"));
    EXPECT_EQ(text(PromptId::WriteFailed, args, WriteFailure::IsFolder),
              failed + QStringLiteral("同じ名前のフォルダーがあります。"));
    EXPECT_EQ(text(PromptId::WriteFailed, args, WriteFailure::NotRegularFile),
              failed + QStringLiteral("通常のファイルではありません。"));
    EXPECT_EQ(text(PromptId::WriteFailed, args, WriteFailure::InvalidName),
              failed + QStringLiteral("ファイル名が正しくありません。"));
    EXPECT_EQ(text(PromptId::WriteFailed, args, WriteFailure::System), failed + args[1]);
}

} // namespace
