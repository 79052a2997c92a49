#pragma once

#include <QStringView>

// Line and column of positions in a text, 1-based. A line ends with CR LF, a lone CR or a lone LF; a
// column counts characters, a surrogate pair as one. Positions must be asked in ascending order: the
// walk goes on from the last one, so a whole document costs one pass.
class TextPositions {
public:
    explicit TextPositions(QStringView text) : m_text(text) {}

    struct LineColumn {
        int line = 1;
        int column = 1;
    };
    // offset: 0-based, at or after the one asked last.
    LineColumn at(qsizetype offset);

private:
    QStringView m_text;
    qsizetype m_offset = 0;
    LineColumn m_position;
};
