#pragma once

#include <QElapsedTimer>
#include <QString>

#include <cstdio>

// Progress on a terminal: one line, rewritten in place, with the links decided of the document's total
// and the document being checked. Says nothing when the stream is no terminal (a file, a pipe).
class TerminalProgress {
public:
    explicit TerminalProgress(std::FILE* stream);

    void setDocument(const QString& document) { m_document = document; }
    void setProgressVisible(bool visible);
    void setProgressRange(int minimum, int maximum);
    void setProgressValue(int value);

private:
    void show(bool now);

    std::FILE* m_stream;
    bool m_terminal;
    QString m_document;
    int m_total = 0;
    int m_value = 0;
    QElapsedTimer m_sinceShown;
};
