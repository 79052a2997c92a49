#include "NearNames.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>
#include <tuple>

int slipsBetween(QStringView a, QStringView b, int limit)
{
    // What both share at the start and at the end costs nothing; only the middles are compared.
    while (!a.isEmpty() && !b.isEmpty() && a.front() == b.front()) {
        a = a.sliced(1);
        b = b.sliced(1);
    }
    while (!a.isEmpty() && !b.isEmpty() && a.back() == b.back()) {
        a.chop(1);
        b.chop(1);
    }
    const qsizetype n = a.size();
    const qsizetype m = b.size();
    const int over = limit + 1;
    if (std::abs(n - m) > limit)
        return over;
    if (n == 0 || m == 0)
        return int(std::max(n, m));
    if (n > NearNames::MaxComparedLength || m > NearNames::MaxComparedLength)
        return over;
    // Three rows of the table, on the stack: two rows back (for a swap), the last and this one. A cell beyond the
    // limit, or outside the span around the diagonal, holds over.
    constexpr qsizetype Width = NearNames::MaxComparedLength + 2;
    std::array<int, 3 * Width> rows;
    int* twoBack = rows.data();
    int* last = twoBack + Width;
    int* row = last + Width;
    for (int* each : {twoBack, last, row})
        std::fill(each, each + m + 2, over);
    for (qsizetype j = 0; j <= std::min<qsizetype>(m, limit); ++j)
        last[j] = int(j);
    for (qsizetype i = 1; i <= n; ++i) {
        const qsizetype from = std::max<qsizetype>(1, i - limit);
        const qsizetype to = std::min<qsizetype>(m, i + limit);
        row[0] = i <= limit ? int(i) : over;
        if (from > 1)
            row[from - 1] = over;
        int best = row[0];
        for (qsizetype j = from; j <= to; ++j) {
            const int cost = a[i - 1] == b[j - 1] ? 0 : 1;
            int cell = std::min({last[j] + 1, row[j - 1] + 1, last[j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                cell = std::min(cell, twoBack[j - 2] + 1);
            row[j] = std::min(cell, over);
            best = std::min(best, row[j]);
        }
        if (to < m)
            row[to + 1] = over;
        if (best > limit)
            return over;
        std::swap(twoBack, last);
        std::swap(last, row);
    }
    return std::min(last[m], over);
}

int allowedSlips(qsizetype length)
{
    if (length <= 3)
        return 0;
    return length <= 6 ? 1 : 2;
}

namespace {

quint64 charactersOf(QStringView name)
{
    quint64 characters = 0;
    for (const QChar c : name)
        characters |= quint64(1) << (c.unicode() % 64);
    return characters;
}

} // namespace

void NearNames::add(const QString& folded)
{
    if (m_known.contains(folded))
        return;
    m_known.insert(folded);
    m_byLength[folded.size()].push_back({folded, charactersOf(folded)});
}

std::vector<NearNames::Near> NearNames::near(const QString& folded, int limit) const
{
    std::vector<Near> found;
    if (folded.size() > MaxComparedLength) {
        if (m_known.contains(folded))
            found.push_back({folded, 0});
        return found;
    }
    const quint64 characters = charactersOf(folded);
    for (qsizetype length = folded.size() - limit; length <= folded.size() + limit; ++length) {
        const auto names = m_byLength.constFind(length);
        if (names == m_byLength.cend())
            continue;
        for (const Name& name : *names) {
            // Putting in, leaving out or replacing a character changes at most two of the characters a name holds.
            if (std::popcount(characters ^ name.characters) > 2 * limit)
                continue;
            if (const int slips = slipsBetween(folded, name.folded, limit); slips <= limit)
                found.push_back({name.folded, slips});
        }
    }
    std::sort(found.begin(), found.end(),
              [](const Near& a, const Near& b) { return std::tie(a.slips, a.folded) < std::tie(b.slips, b.folded); });
    return found;
}
