#include "web/WebAnswer.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// The rule as written: for each entity in turn, its first occurrence replaced, searching again from
// the start, until none is left.
QString decodeOneAtATime(QString url)
{
    const std::pair<const char*, const char*> entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}};
    for (const auto& [entity, character] : entities) {
        const QString from = QString::fromLatin1(entity);
        for (qsizetype at = url.indexOf(from); at >= 0; at = url.indexOf(from))
            url.replace(at, from.size(), QString::fromLatin1(character));
    }
    return url;
}

TEST(DecodeEntities, GivesWhatReplacingOneOccurrenceAtATimeGives)
{
    const char* const pieces[] = {"&lt;", "&gt;", "&quot;", "&amp;", "&",  "amp;", "lt;", "gt;", "quot;",
                                  "a",    ";",    "&AMP;",  "&amp",  "am", "p;",   "&&",  "x"};
    std::mt19937 random(5);
    for (int round = 0; round < 20000; ++round) {
        QString url;
        const int count = std::uniform_int_distribution<int>(0, 12)(random);
        for (int i = 0; i < count; ++i)
            url +=
                QString::fromLatin1(pieces[std::uniform_int_distribution<int>(0, int(std::size(pieces)) - 1)(random)]);
        ASSERT_EQ(decodeEntities(url), decodeOneAtATime(url)) << url.toStdString();
    }
}

TEST(DecodeEntities, LongValuesInOnePass)
{
    // A million characters of nested "&amp;" end as one "&"; one at a time this takes seconds.
    EXPECT_EQ(decodeEntities(u'&' + QStringLiteral("amp;").repeated(250000)), QStringLiteral("&"));
    EXPECT_EQ(decodeEntities(QStringLiteral("&amp;lt;").repeated(125000)), QStringLiteral("&lt;").repeated(125000));
    EXPECT_EQ(decodeEntities(QStringLiteral("x&amp;amp;y").repeated(100000)), QStringLiteral("x&y").repeated(100000));
}

} // namespace
