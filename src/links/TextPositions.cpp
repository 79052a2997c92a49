#include "TextPositions.h"

TextPositions::LineColumn TextPositions::at(qsizetype offset)
{
    for (; m_offset < offset && m_offset < m_text.size(); ++m_offset) {
        const QChar c = m_text[m_offset];
        if (c == u'\n' || (c == u'\r' && (m_offset + 1 >= m_text.size() || m_text[m_offset + 1] != u'\n'))) {
            ++m_position.line;
            m_position.column = 1;
        } else if (!c.isLowSurrogate() || m_offset == 0 || !m_text[m_offset - 1].isHighSurrogate()) {
            // The first half of a CR LF, and a surrogate pair's second half, add no column of their own.
            if (c != u'\r')
                ++m_position.column;
        }
    }
    return m_position;
}
