// The one-pass searches against the obvious ones (each tag searched on its own, with regular
// expressions) on random texts built from the pieces tags are made of.

#include "links/TagScan.h"
#include "common/SearchCopy.h"
#include "links/AnchorIndex.h"
#include "links/TagValue.h"

#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

const char16_t* const Pieces[] = {u"<a ", u"<A\n", u"<h2 ", u"<",  u">",        u" href", u"HREF", u" name",
                                  u" id", u"=",    u" = ",  u"\"", u"'",        u" ",     u"\n",   u"\r\n",
                                  u"\t",  u"x",    u"Y",    u"#x", u"data-id=", u"ab",    u"</p "};

QString randomText(std::mt19937& random, int maxPieces)
{
    QString text;
    const int count = std::uniform_int_distribution<int>(0, maxPieces)(random);
    for (int i = 0; i < count; ++i)
        text += QString::fromUtf16(Pieces[std::uniform_int_distribution<int>(0, int(std::size(Pieces)) - 1)(random)]);
    return text;
}

// The value span of an attribute whose value starts at `begin` in a tag whose ">" is at `close`.
ValueSpan referenceValue(const QString& upper, qsizetype begin, qsizetype close)
{
    const QChar first = upper.at(begin);
    if (first == u'"' || first == u'\'') {
        const qsizetype quote = upper.indexOf(first, begin + 1);
        if (quote < 0 || quote > close)
            return {begin + 1, begin + 1, false};
        return {begin + 1, quote, true};
    }
    const qsizetype blank = upper.indexOf(u' ', begin);
    return {begin, blank >= 0 && blank < close ? blank : close, true};
}

// The first match of pattern in the tag [start, close]: where its value starts, or -1.
qsizetype firstInTag(const QString& upper, qsizetype start, qsizetype close, const QString& pattern)
{
    const QRegularExpressionMatch match = QRegularExpression(pattern).match(upper.mid(start, close - start + 1));
    return match.hasMatch() ? start + match.capturedEnd() : -1;
}

std::optional<ValueSpan> referenceHref(const QString& upper, qsizetype start, qsizetype close)
{
    for (const char* form : {" HREF *= *(?=\")", " HREF *= *(?=')", " HREF *= *"}) {
        const qsizetype begin = firstInTag(upper, start, close, QString::fromLatin1(form));
        if (begin >= 0)
            return referenceValue(upper, begin, close);
    }
    return std::nullopt;
}

QSet<QString> referenceAnchors(const QString& upper)
{
    QSet<QString> names;
    const auto add = [&](qsizetype start, const char* pattern) {
        const qsizetype close = upper.indexOf(u'>', start);
        if (close < 0)
            return false;
        const qsizetype begin = firstInTag(upper, start, close, QString::fromLatin1(pattern));
        if (begin >= 0) {
            const ValueSpan span = referenceValue(upper, begin, close);
            if (span.closed)
                names.insert(upper.mid(span.begin, span.end - span.begin));
        }
        return true;
    };
    for (qsizetype i = 0; i < upper.size(); ++i) {
        if (upper.mid(i, 3) == QStringLiteral("<A ") && !add(i, " NAME *= *"))
            break;
    }
    for (qsizetype i = 0; i + 1 < upper.size(); ++i) {
        if (upper.at(i) == u'<' && upper.at(i + 1) >= u'A' && upper.at(i + 1) <= u'Z' && !add(i, " ID *= *"))
            break;
    }
    return names;
}

TEST(TagScan, AttributeValuesOfAWholeTextAreThoseOfEachTagOnItsOwn)
{
    std::mt19937 random(11);
    for (int round = 0; round < 3000; ++round) {
        const QString upper = makeSearchCopy(randomText(random, 40));
        TagCandidates tags(upper);
        AttributeValues hrefs(upper, u" HREF");
        qsizetype expectedStart = upper.indexOf(QStringLiteral("<A "));
        while (tags.next()) {
            ASSERT_EQ(tags.start(), expectedStart) << upper.toStdString();
            ASSERT_EQ(tags.end(), upper.indexOf(u'>', tags.start()));
            if (tags.end() < 0)
                break;
            const auto span = hrefs.find(tags.start(), tags.end());
            const auto expected = referenceHref(upper, tags.start(), tags.end());
            ASSERT_EQ(span.has_value(), expected.has_value()) << upper.toStdString() << " @" << tags.start();
            if (span) {
                ASSERT_EQ(*span, *expected) << upper.toStdString() << " @" << tags.start();
            }
            expectedStart = upper.indexOf(QStringLiteral("<A "), tags.start() + 1);
        }
        if (tags.end() >= 0) {
            ASSERT_EQ(expectedStart, -1);
        }
    }
}

TEST(TagScan, AnchorIndexHoldsTheNamesOfLinkTagsAndTheIdsOfAnyTag)
{
    std::mt19937 random(12);
    for (int round = 0; round < 3000; ++round) {
        const QString upper = makeSearchCopy(randomText(random, 40));
        const QSet<QString> expected = referenceAnchors(upper);
        const AnchorIndex index(upper, upper);
        for (const QString& name : expected)
            ASSERT_TRUE(index.contains(name)) << upper.toStdString() << " / " << name.toStdString();
        // Every value the pieces can spell that the reference does not hold.
        for (const char* probe : {"", "X", "Y", "#X", "AB", "X X", "XY", " ", "X\"", "'X", "="}) {
            const QString name = QString::fromLatin1(probe);
            ASSERT_EQ(index.contains(name), expected.contains(name)) << upper.toStdString() << " / " << probe;
        }
    }
}

// Positions asked forward, backward and at random: each answer is the first match at or after it.
TEST(TagScan, NextMatchAnswersAsAFreshSearchWhateverTheOrderOfPositions)
{
    std::mt19937 random(13);
    for (int round = 0; round < 2000; ++round) {
        const QString upper = makeSearchCopy(randomText(random, 30));
        const qsizetype size = upper.size();
        std::vector<qsizetype> positions;
        for (qsizetype i = 0; i <= size; ++i)
            positions.push_back(i);
        switch (round % 3) {
        case 0:
            break;
        case 1:
            std::reverse(positions.begin(), positions.end());
            break;
        default:
            std::shuffle(positions.begin(), positions.end(), random);
        }
        NextOccurrence closing(upper, u">");
        NextAttribute href(upper, u" HREF");
        NextAttribute quotedId(upper, u" ID", u'\'');
        for (const qsizetype from : positions) {
            ASSERT_EQ(closing.at(from), upper.indexOf(u'>', from)) << upper.toStdString() << " @" << from;
            for (auto [next, pattern] : {std::pair{&href, " HREF *= *"}, std::pair{&quotedId, " ID *= *(?=')"}}) {
                const QRegularExpressionMatch match =
                    QRegularExpression(QString::fromLatin1(pattern)).match(upper, from);
                const auto found = next->within(from, size);
                ASSERT_EQ(found.has_value(), match.hasMatch()) << upper.toStdString() << " @" << from;
                if (found) {
                    EXPECT_EQ(found->at, match.capturedStart());
                    EXPECT_EQ(found->value, match.capturedEnd());
                }
            }
        }
    }
}

} // namespace
