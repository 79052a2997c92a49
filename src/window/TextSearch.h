#pragma once

#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <optional>

// What the find bar looks for.
struct SearchQuery {
    QString pattern;
    bool matchCase = false;
    bool regularExpression = false;
    bool linkValuesOnly = false; // only inside the values of link tags (HREF, and SRC and the like with resources)
};

// One match in the text: offsets of the text with CR LF as two characters, and what a regular expression captured.
struct TextMatch {
    int start = 0;
    int length = 0;
    QStringList captured; // the whole match, then each group
    int end() const { return start + length; }
};

// The match a find steps to, and whether it had to go round the text's end to get there.
struct FoundMatch {
    TextMatch match;
    bool wrapped = false;
};

// Finding text as the find bar asks for it, in the editor's text as a string. Plain text is matched as typed; a
// regular expression reads every CR LF, CR and LF as a line end ("^", "$" and "." see lines as the editor shows
// them). Within link values each value is matched on its own, so "^" and "$" stand for its two ends there.
class TextSearch {
public:
    // resources: the addresses tags load are links too, as the check takes them.
    TextSearch(const SearchQuery& query, bool resources);

    // False for an empty pattern or a regular expression that does not compile.
    bool isValid() const;
    // Every match in text order. None is empty, none overlaps another, and none begins or ends between the CR and
    // LF of a line break, which the editor holds as one character.
    QList<TextMatch> matchesIn(const QString& text) const;
    // What a match is replaced with: the replacement as typed; for a regular expression \0 to \9 stand for what it
    // captured (\0 the whole match) and \\ for a backslash.
    QString replacementFor(const TextMatch& match, const QString& replacement) const;

private:
    void collect(const QString& text, qsizetype from, qsizetype length, QList<TextMatch>& matches) const;

    QRegularExpression m_expression;
    bool m_regularExpression;
    bool m_linkValuesOnly;
    bool m_resources;
};

// The match a find goes to from a selection: forward the first one that begins at or after the selection's end,
// backward the last one that begins before its start; failing that, the first (last) one of all. Nothing when
// there is no match.
std::optional<FoundMatch> stepToMatch(const QList<TextMatch>& matches, int selectionStart, int selectionLength,
                                      bool forward);
