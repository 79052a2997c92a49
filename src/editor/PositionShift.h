#pragma once

#include <vector>

// How an edit of many ranges at once moves the document positions around them: each range [from, to) became
// `length` characters. A position before a range stays; one inside a range, or at its start, goes to where the
// new text of the range begins; one at or past its end moves with the difference in length.
class PositionShift {
public:
    struct Range {
        int from = 0;
        int to = 0;
        int length = 0; // of the text that took its place
    };

    // ranges: in document order, none overlapping.
    explicit PositionShift(std::vector<Range> ranges);

    // The shift that takes the edited document back: each new text becomes the range it replaced.
    PositionShift reversed() const;
    const std::vector<Range>& ranges() const { return m_ranges; }

    // Moves positions given in ascending order, in one pass.
    void apply(std::vector<int>& ascending) const;

private:
    std::vector<Range> m_ranges;
};
