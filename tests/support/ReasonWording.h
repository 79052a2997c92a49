#pragma once

#include "links/ReasonDescription.h"

#include <QSet>

#include <gtest/gtest.h>

#include <functional>

// Checks that a front end words every reason phrase: none left empty, no two alike, and the values a
// phrase mentions shown in its words.
inline void expectEveryReasonPhraseWorded(const std::function<QString(const QList<ReasonPart>&)>& reasonText)
{
    const QSet<ReasonPhrase> withValues{
        ReasonPhrase::NotCheckedScheme, ReasonPhrase::OtherScheme,       ReasonPhrase::AnchorFound,
        ReasonPhrase::AnchorMissing,    ReasonPhrase::AnchorInOtherCase, ReasonPhrase::FileFound,
        ReasonPhrase::FileMissing,      ReasonPhrase::HttpStatus,        ReasonPhrase::ConnectTimeout,
        ReasonPhrase::Stalled,          ReasonPhrase::TlsFailed,         ReasonPhrase::TooManyRedirects,
        ReasonPhrase::OtherFailure,     ReasonPhrase::FragmentFound,     ReasonPhrase::FragmentMissing,
        ReasonPhrase::RedirectedTo};
    QSet<QString> seen;
    // RedirectedTo is the last phrase.
    for (int number = 0; number <= int(ReasonPhrase::RedirectedTo); ++number) {
        const auto phrase = ReasonPhrase(number);
        const QString text = reasonText({{phrase, {QStringLiteral("VALUE"), QStringLiteral("Phrase")}}});
        EXPECT_FALSE(text.trimmed().isEmpty()) << number;
        EXPECT_FALSE(seen.contains(text)) << number << ": " << text.toStdString();
        seen.insert(text);
        if (withValues.contains(phrase)) {
            EXPECT_TRUE(text.contains(QStringLiteral("VALUE"))) << number << ": " << text.toStdString();
        }
    }
}
