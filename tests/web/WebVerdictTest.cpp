#include "web/WebVerdict.h"

#include <gtest/gtest.h>

namespace {

WebAnswer okAnswer(const QString& page)
{
    WebAnswer answer;
    answer.page = page;
    answer.server = QStringLiteral("test");
    answer.status = 200;
    return answer;
}

TEST(DecodeEntities, DecodesEachKindInTurnAmpersandLast)
{
    EXPECT_EQ(decodeEntities(QStringLiteral("a?x=1&amp;y=2")), QStringLiteral("a?x=1&y=2"));
    EXPECT_EQ(decodeEntities(QStringLiteral("&amp;amp;")), QStringLiteral("&"));
    EXPECT_EQ(decodeEntities(QStringLiteral("&amp;lt;")), QStringLiteral("&lt;"));
    EXPECT_EQ(decodeEntities(QStringLiteral("&lt;&gt;&quot;&AMP;")), QStringLiteral("<>\"&AMP;"));
}

TEST(JudgeWebAnswer, AnswerLikeTheNotFoundPageIsMissing)
{
    const QString probe = QStringLiteral("http://h/dir/a.html......");
    EXPECT_FALSE(judgeWebAnswer(okAnswer(QStringLiteral("same")), QStringLiteral("same"), probe, false, false));
    EXPECT_TRUE(judgeWebAnswer(okAnswer(QStringLiteral("page")), QStringLiteral("other"), probe, false, false));
    EXPECT_TRUE(judgeWebAnswer(okAnswer(QStringLiteral("page")), QString(), probe, false, false));
}

TEST(JudgeWebAnswer, EchoedProbePathIsTakenOutOnlyWithoutFragment)
{
    const QString probe = QStringLiteral("http://h/dir/a.html......");
    const QString notFound = QStringLiteral("<p>/dir/a.html...... was not found</p>");
    const QString missing = QStringLiteral("<p>/dir/a.html was not found</p>");
    EXPECT_FALSE(judgeWebAnswer(okAnswer(missing), notFound, probe, false, false));
    EXPECT_TRUE(judgeWebAnswer(okAnswer(missing), notFound, probe, true, false));
    // A cached answer that echoes another link's path is compared unchanged.
    EXPECT_TRUE(judgeWebAnswer(okAnswer(QStringLiteral("<p>/dir/b.html was not found</p>")), notFound,
                               QStringLiteral("http://h/dir/b.html......"), false, false));
}

TEST(JudgeWebAnswer, NeedsOneOfTheThreeHeaders)
{
    WebAnswer answer = okAnswer(QStringLiteral("page"));
    answer.server.clear();
    EXPECT_FALSE(judgeWebAnswer(answer, QString(), QStringLiteral("u......"), false, false));
    answer.date = QStringLiteral("Mon, 07 Dec 2026 00:00:00 GMT");
    EXPECT_TRUE(judgeWebAnswer(answer, QString(), QStringLiteral("u......"), false, false));
    answer.date.clear();
    answer.lastModified = QStringLiteral("x");
    EXPECT_TRUE(judgeWebAnswer(answer, QString(), QStringLiteral("u......"), false, false));
}

TEST(JudgeWebAnswer, ErrorStatusIsMissingWhateverTheBodies)
{
    WebAnswer answer = okAnswer(QStringLiteral("page"));
    for (long status : {400L, 404L, 410L, 500L, 503L}) {
        answer.status = status;
        EXPECT_FALSE(judgeWebAnswer(answer, QStringLiteral("other"), QStringLiteral("u......"), false, false));
    }
    answer.status = 399;
    EXPECT_TRUE(judgeWebAnswer(answer, QStringLiteral("other"), QStringLiteral("u......"), false, false));
}

TEST(JudgeWebAnswer, CutKindWithEmptyAnswers)
{
    WebAnswer empty;
    EXPECT_TRUE(judgeWebAnswer(empty, QString(), QStringLiteral("ftp://h/f......"), false, true));
    EXPECT_FALSE(judgeWebAnswer(empty, QString(), QStringLiteral("http://h/f......"), false, false));
    // A small file that completed before the cut, where the probe brought a text back: missing.
    EXPECT_FALSE(judgeWebAnswer(empty, QStringLiteral("404"), QStringLiteral("ftp://h/f......"), false, true));
    // Cut while streaming: no body, the "Server" marker set.
    WebAnswer cut;
    cut.server = QStringLiteral("a");
    EXPECT_TRUE(judgeWebAnswer(cut, QStringLiteral("404"), QStringLiteral("http://h/s.exe......"), false, true));
}

} // namespace
