#pragma once

#include "TaglessRanges.h"

#include <QStringView>

#include <optional>
#include <utility>

// The first match of something at or after a position. Successive positions reuse what the last search
// found, so walking a text forward, or backward, costs about one pass in all, whatever its tags look
// like. Search::first(from, before) gives the first match starting in [from, before), or -1, and
// Search::size() the length of the text.
template <typename Search> class NextMatch {
public:
    explicit NextMatch(Search search) : m_search(std::move(search)) {}

    // -1 when there is none.
    qsizetype at(qsizetype from)
    {
        if (m_from < 0 || (from > m_from && m_found >= 0 && m_found < from)) {
            m_found = m_search.first(from, m_search.size());
        } else if (from < m_from) {
            // Only the stretch before the last position is new.
            const qsizetype inGap = m_search.first(from, m_from);
            if (inGap >= 0)
                m_found = inGap;
        }
        m_from = from;
        return m_found;
    }

protected:
    Search m_search;

private:
    qsizetype m_from = -1;
    qsizetype m_found = -1;
};

// Where a needle occurs in a text.
class NeedleSearch {
public:
    NeedleSearch(QStringView text, QStringView needle) : m_text(text), m_needle(needle) {}

    qsizetype size() const { return m_text.size(); }
    qsizetype first(qsizetype from, qsizetype before) const;

private:
    QStringView m_text;
    QStringView m_needle;
};

class NextOccurrence : public NextMatch<NeedleSearch> {
public:
    NextOccurrence(QStringView text, QStringView needle) : NextMatch(NeedleSearch(text, needle)) {}
};

// An attribute as a search copy holds it: a blank, the attribute's name, "=" with blanks allowed on
// either side, then the value.
struct Attribute {
    qsizetype at = -1;    // the blank before the name
    qsizetype value = -1; // the value's first character: the first one after the "=" that is no blank
};

// Where the attributes of one name occur in a search copy; given a quote, only those whose value
// starts with it.
class AttributeSearch {
public:
    // blankAndName: a blank and the upper-case name, " HREF".
    AttributeSearch(QStringView upper, QStringView blankAndName, std::optional<QChar> quote = std::nullopt)
        : m_upper(upper), m_name(upper, blankAndName), m_nameSize(blankAndName.size()), m_quote(quote)
    {
    }

    qsizetype size() const { return m_upper.size(); }
    qsizetype first(qsizetype from, qsizetype before) const;
    // The value's first character of an attribute whose name stands at `at`; -1 when no "=" follows it.
    qsizetype valueStart(qsizetype at) const;

private:
    QStringView m_upper;
    NeedleSearch m_name;
    qsizetype m_nameSize;
    std::optional<QChar> m_quote;
};

// The first attribute of one name at or after a position, with the same reuse as NextOccurrence.
class NextAttribute : public NextMatch<AttributeSearch> {
public:
    NextAttribute(QStringView upper, QStringView blankAndName, std::optional<QChar> quote = std::nullopt)
        : NextMatch(AttributeSearch(upper, blankAndName, quote))
    {
    }

    // The first attribute starting in [from, before); in a tag from `from` to its ">" at `before`, that
    // is one inside the tag, since no attribute holds a ">".
    std::optional<Attribute> within(qsizetype from, qsizetype before);

private:
    Attribute m_last; // the one found last, so that tags sharing it do not read it again
};

// Where a value stands: [begin, end) in the search copy and in the text.
struct ValueSpan {
    qsizetype begin = 0;
    qsizetype end = 0;
    bool closed = true; // false for a quoted value without its closing quote (then empty)

    friend bool operator==(const ValueSpan&, const ValueSpan&) = default;
};

// Where the values of attributes end, for attributes taken in text order.
class ValueEnds {
public:
    explicit ValueEnds(QStringView upper)
        : m_upper(upper), m_doubleQuote(upper, u"\""), m_singleQuote(upper, u"'"), m_blank(upper, u" ")
    {
    }

    // The value of an attribute of the tag whose ">" stands at close (the text's end when it has none):
    // a quoted value runs to the next same quote before close, and is empty and not closed without one;
    // any other value runs to the next blank, else to close.
    ValueSpan span(const Attribute& attribute, qsizetype close);

private:
    QStringView m_upper;
    NextOccurrence m_doubleQuote;
    NextOccurrence m_singleQuote;
    NextOccurrence m_blank;
};

// Steps through the tags of a search copy, each with the first ">" at or after it (-1 when the text has
// none): the link tags, each "<A " one character after the previous one, or every tag, "<" and a letter.
// Given the text's tagless ranges, no tag is taken from within them.
class TagCandidates {
public:
    enum class Kind { Links, Any };

    explicit TagCandidates(QStringView upper, Kind kind = Kind::Links, const TaglessRanges* tagless = nullptr)
        : m_upper(upper), m_kind(kind), m_tagless(tagless), m_close(upper, u">")
    {
    }

    bool next();
    qsizetype start() const { return m_start; } // 0-based position of "<"
    qsizetype end() const { return m_end; }     // 0-based position of ">", or -1

private:
    qsizetype nextTagStart(qsizetype from) const;

    QStringView m_upper;
    Kind m_kind;
    const TaglessRanges* m_tagless;
    NextOccurrence m_close;
    qsizetype m_start = -1;
    qsizetype m_end = -1;
};
