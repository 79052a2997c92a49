#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringView>

#include <vector>

// How many typing slips apart two names are: the restricted Damerau-Levenshtein distance (a character put in,
// left out or replaced, or two neighbours swapped), counted up to limit; limit + 1 when they are further apart.
// The cost stays within the span around the diagonal the limit allows, after the common start and end are
// taken off. Names of more than NearNames::MaxComparedLength characters are compared for equality alone.
int slipsBetween(QStringView a, QStringView b, int limit);

// The slips a name of this length may be away from another and still be taken for a misspelling of it: none
// up to 3 characters (only letter case may differ), one up to 6, two beyond.
int allowedSlips(qsizetype length);

// A set of names, case-folded, for the names near a given one: equal to it but for letter case, or a few slips
// away. The names are kept by length, so a look compares only the names of a length the slips can reach, and
// each with the set of characters it holds: a slip changes at most two of those, so most names are passed over
// at the cost of one compare, and only the few left are counted slip by slip.
class NearNames {
public:
    // Names past this length are kept, but found only by an equal spelling: a misspelling of them is too dear to
    // look for, and no file or id name is that long.
    static constexpr qsizetype MaxComparedLength = 255;

    struct Near {
        QString folded;
        int slips = 0;
    };

    // folded: a name already case-folded (QString::toCaseFolded); a name added twice is kept once.
    void add(const QString& folded);
    // The names at most slips away from folded, fewest slips first, then in the order of their spelling.
    std::vector<Near> near(const QString& folded, int slips) const;

private:
    struct Name {
        QString folded;
        quint64 characters; // a bit for each character it holds, folded onto 64
    };

    QHash<qsizetype, std::vector<Name>> m_byLength;
    QSet<QString> m_known;
};
