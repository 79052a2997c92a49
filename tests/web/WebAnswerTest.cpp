#include "web/WebAnswer.h"

#include <gtest/gtest.h>

namespace {

WebAnswer okAnswer(const QString& page)
{
    WebAnswer answer;
    answer.page = PageFingerprint::of(page);
    answer.server = QStringLiteral("test");
    answer.status = 200;
    return answer;
}

bool exists(const WebAnswer& answer, const QString& notFound, const QString& probeUrl, bool hasFragment = false,
            bool cutKind = false)
{
    return judgeWebAnswer(answer, NotFoundAnswer(notFound), probeUrl, hasFragment, cutKind).exists;
}

TEST(DecodeEntities, DecodesEachKindInTurnAmpersandLast)
{
    EXPECT_EQ(decodeEntities(QStringLiteral("a?x=1&amp;y=2")), QStringLiteral("a?x=1&y=2"));
    EXPECT_EQ(decodeEntities(QStringLiteral("&amp;amp;")), QStringLiteral("&"));
    EXPECT_EQ(decodeEntities(QStringLiteral("&amp;lt;")), QStringLiteral("&lt;"));
    EXPECT_EQ(decodeEntities(QStringLiteral("&lt;&gt;&quot;&AMP;")), QStringLiteral("<>\"&AMP;"));
}

TEST(PageFingerprint, EqualExactlyForEqualText)
{
    EXPECT_EQ(PageFingerprint::of(u"page"), PageFingerprint::of(QStringLiteral("page")));
    EXPECT_NE(PageFingerprint::of(u"page"), PageFingerprint::of(u"Page"));
    EXPECT_TRUE(PageFingerprint::of(u"").isEmpty());
    EXPECT_FALSE(PageFingerprint::of(u" ").isEmpty());
}

TEST(JudgeWebAnswer, AnswerLikeTheNotFoundPageIsMissing)
{
    const QString probe = QStringLiteral("http://h/dir/a.html......");
    const WebVerdict same =
        judgeWebAnswer(okAnswer(QStringLiteral("same")), NotFoundAnswer(QStringLiteral("same")), probe, false, false);
    EXPECT_FALSE(same.exists);
    EXPECT_EQ(same.reason, WebReason::SameAsNotFound);
    EXPECT_TRUE(exists(okAnswer(QStringLiteral("page")), QStringLiteral("other"), probe));
    EXPECT_TRUE(exists(okAnswer(QStringLiteral("page")), QString(), probe));
}

TEST(JudgeWebAnswer, EchoedProbePathIsTakenOutOnlyWithoutFragment)
{
    const QString probe = QStringLiteral("http://h/dir/a.html......");
    const QString notFound = QStringLiteral("<p>/dir/a.html...... was not found</p>");
    const QString missing = QStringLiteral("<p>/dir/a.html was not found</p>");
    EXPECT_FALSE(exists(okAnswer(missing), notFound, probe));
    EXPECT_TRUE(exists(okAnswer(missing), notFound, probe, true));
    // A cached answer that echoes another link's path is compared unchanged.
    EXPECT_TRUE(exists(okAnswer(QStringLiteral("<p>/dir/b.html was not found</p>")), notFound,
                       QStringLiteral("http://h/dir/b.html......")));
}

// A probe that will not be cached keeps only what its own link compares, and judges it the same.
TEST(JudgeWebAnswer, AReducedNotFoundAnswerJudgesItsOwnLinkAlike)
{
    const QString probe = QStringLiteral("http://h/dir/a.html......");
    const NotFoundAnswer full(QStringLiteral("<p>/dir/a.html...... was not found</p>"));
    const NotFoundAnswer reduced = full.reducedFor(probe);
    EXPECT_TRUE(reduced.isReduced());
    for (const QString& page : {QStringLiteral("<p>/dir/a.html was not found</p>"),
                                QStringLiteral("<p>/dir/a.html...... was not found</p>"), QStringLiteral("fine")}) {
        const WebVerdict fromFull = judgeWebAnswer(okAnswer(page), full, probe, false, false);
        const WebVerdict fromReduced = judgeWebAnswer(okAnswer(page), reduced, probe, false, false);
        EXPECT_EQ(fromFull.exists, fromReduced.exists) << page.toStdString();
        EXPECT_EQ(fromFull.reason, fromReduced.reason) << page.toStdString();
    }
}

TEST(JudgeWebAnswer, NeedsOneOfTheThreeHeaders)
{
    WebAnswer answer = okAnswer(QStringLiteral("page"));
    answer.server.clear();
    EXPECT_EQ(judgeWebAnswer(answer, NotFoundAnswer(), QStringLiteral("u......"), false, false).reason,
              WebReason::MissingHeaders);
    answer.date = QStringLiteral("Mon, 07 Dec 2026 00:00:00 GMT");
    EXPECT_TRUE(exists(answer, QString(), QStringLiteral("u......")));
    answer.date.clear();
    answer.lastModified = QStringLiteral("x");
    EXPECT_TRUE(exists(answer, QString(), QStringLiteral("u......")));
}

TEST(JudgeWebAnswer, ErrorStatusIsMissingWhateverTheBodiesAndSaysSo)
{
    WebAnswer answer = okAnswer(QStringLiteral("page"));
    for (long status : {400L, 404L, 410L, 500L, 503L}) {
        answer.status = status;
        // Even an answer that equals the not-found page says why by its status.
        const WebVerdict verdict =
            judgeWebAnswer(answer, NotFoundAnswer(QStringLiteral("page")), QStringLiteral("u......"), false, false);
        EXPECT_FALSE(verdict.exists);
        EXPECT_EQ(verdict.reason, WebReason::HttpError);
        EXPECT_EQ(verdict.status, status);
    }
    answer.status = 399;
    EXPECT_TRUE(exists(answer, QStringLiteral("other"), QStringLiteral("u......")));
}

TEST(JudgeWebAnswer, CutKindWithEmptyAnswers)
{
    const WebAnswer empty;
    EXPECT_TRUE(exists(empty, QString(), QStringLiteral("ftp://h/f......"), false, true));
    EXPECT_FALSE(exists(empty, QString(), QStringLiteral("http://h/f......"), false, false));
    // A small file that completed before the cut, where the probe brought a text back: missing.
    EXPECT_FALSE(exists(empty, QStringLiteral("404"), QStringLiteral("ftp://h/f......"), false, true));
    // Cut while streaming: no body, and the cut counts as the answer.
    WebAnswer cut;
    cut.cut = true;
    const WebVerdict verdict =
        judgeWebAnswer(cut, NotFoundAnswer(QStringLiteral("404")), QStringLiteral("http://h/s.exe......"), false, true);
    EXPECT_TRUE(verdict.exists);
    EXPECT_EQ(verdict.reason, WebReason::CutWhileStreaming);
}

} // namespace
