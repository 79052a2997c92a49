#include "PositionShift.h"

PositionShift::PositionShift(std::vector<Range> ranges) : m_ranges(std::move(ranges)) {}

PositionShift PositionShift::reversed() const
{
    std::vector<Range> back;
    back.reserve(m_ranges.size());
    int moved = 0; // how far the edit moved the start of the current range
    for (const Range& range : m_ranges) {
        back.push_back({range.from + moved, range.from + moved + range.length, range.to - range.from});
        moved += range.length - (range.to - range.from);
    }
    return PositionShift(std::move(back));
}

void PositionShift::apply(std::vector<int>& ascending) const
{
    auto range = m_ranges.begin();
    int moved = 0; // by the ranges that end at or before the position
    for (int& position : ascending) {
        while (range != m_ranges.end() && range->to <= position && range->from < position) {
            moved += range->length - (range->to - range->from);
            ++range;
        }
        position = range != m_ranges.end() && range->from <= position ? range->from + moved : position + moved;
    }
}
