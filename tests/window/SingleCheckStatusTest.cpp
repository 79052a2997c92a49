#include "LoopbackServers.h"
#include "WindowFixture.h"
#include "links/LinkKinds.h"

#include <QTimer>

namespace {

// While the single check waits for a slow web answer, the status strip says a link is being checked, even
// when the caret moves meanwhile; once it is answered, it describes the link again.
TEST_F(WindowFixture, TheSingleCheckSaysItIsCheckingWhileItsRequestIsInFlight)
{
    if (const QString missing = LoopbackServers::missingPrerequisite(); !missing.isEmpty())
        GTEST_SKIP() << missing.toStdString();
    LoopbackServers servers;
    ASSERT_TRUE(servers.isReady()) << servers.errorText().toStdString();
    const QString slowPath = QStringLiteral("/delay/1500/ok/slow.html");
    const QString text = QStringLiteral("<html><a href=missing.html>m</a>\r\n<a href=\"%1\">slow</a>")
                             .arg(servers.url(QStringLiteral("127.0.0.1"), slowPath));
    load(writeDocument(QStringLiteral("slow.html"), text.toUtf8()));
    ASSERT_TRUE(window.document().docLoaded);
    window.show();
    auto* sentence = control<QLabel>("statusSentence");
    const int missingTag = int(text.indexOf(QStringLiteral("<a href=missing")));
    const int slowTag = int(text.indexOf(QStringLiteral("<a href=\"http")));
    window.editor().setSelection(slowTag + 12, 0);
    ASSERT_EQ(sentence->text(), linkClassSentence(LinkClass::OkWeb));
    const int requestsBefore = servers.requestCount(QStringLiteral("127.0.0.1"), QStringLiteral("GET ") + slowPath);

    struct Moment {
        QString sentence;
        bool visible = false;
        bool busy = false;
    };
    Moment early, afterCaretMoved;
    QTimer::singleShot(300, &window, [&] {
        early = {sentence->text(), sentence->isVisible(), window.runState().isBusy};
        // The user clicks into another link while waiting.
        QTextCursor cursor = control<QPlainTextEdit>("documentEdit")->textCursor();
        cursor.setPosition(missingTag + 3);
        control<QPlainTextEdit>("documentEdit")->setTextCursor(cursor);
    });
    QTimer::singleShot(700, &window, [&] {
        afterCaretMoved = {sentence->text(), sentence->isVisible(), window.runState().isBusy};
    });
    clickAndWait("checkOneLinkButton");

    const QString checking = QStringLiteral("調査中のリンク先");
    EXPECT_TRUE(early.busy) << "the check ended before the first look";
    EXPECT_EQ(early.sentence, checking);
    EXPECT_TRUE(early.visible);
    EXPECT_TRUE(afterCaretMoved.busy) << "the check ended before the second look";
    EXPECT_EQ(afterCaretMoved.sentence, checking);
    // The single check asked the server itself, and painted what it answered.
    EXPECT_GT(servers.requestCount(QStringLiteral("127.0.0.1"), QStringLiteral("GET ") + slowPath), requestsBefore);
    EXPECT_EQ(sentence->text(), linkClassSentence(LinkClass::OkWeb));
    expectUnlocked();
}

} // namespace
