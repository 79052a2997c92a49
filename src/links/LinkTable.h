#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The working table of one full check: parallel arrays, index 0 .. LinkCount - 1.
struct LinkTable {
    int LinkCount = 0;
    QList<int> LinkTagStart;   // 1-based position of the tag's "<" in the scanned text
    QList<int> LinkTagLength;  // from "<" through the first ">" after it
    QList<int> LinkResult;     // result code; 0 when the entry is created
    QStringList LinkTagText;   // the tag exactly as written

    void clear()
    {
        LinkCount = 0;
        LinkTagStart.clear();
        LinkTagLength.clear();
        LinkResult.clear();
        LinkTagText.clear();
    }

    void append(int start, int length, const QString& tagText)
    {
        LinkTagStart.append(start);
        LinkTagLength.append(length);
        LinkResult.append(0);
        LinkTagText.append(tagText);
        ++LinkCount;
    }
};
