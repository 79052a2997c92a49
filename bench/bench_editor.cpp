// Times the editor layer on generated documents of 1 MB and 10 MB with one link tag per CR LF line
// (5,000 and 50,000 lines): setting the text, painting every tag in one batch the way the link check
// does (findAndSelect at the tag's offset, colour, mark), and reading the text back. Linear work should
// take about ten times as long for ten times the text. A 10 MB text on a single line is timed too.

#include "common/RichTextBox.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTextDocument>

#include <cstdio>
#include <vector>

namespace {

struct Tag {
    int offset;
    QString text;
};

// About `bytes` characters in `lines` lines, each holding one tag in filler text; `lineEnd` between lines.
QString generate(int lines, int bytes, const QString& lineEnd, std::vector<Tag>& tags)
{
    const QString filler = QStringLiteral("本文のテキスト lorem ipsum dolor sit amet, consectetur. ");
    QString text;
    text.reserve(bytes + 1024);
    tags.clear();
    for (int line = 0; line < lines; ++line) {
        const QString tag = QStringLiteral("<a href=\"http://example.com/page/%1.html\">").arg(line);
        const qsizetype lineStart = text.size();
        text += filler;
        tags.push_back({int(text.size()), tag});
        text += tag + QStringLiteral("link</a>");
        const qsizetype lineLength = bytes / lines - lineEnd.size();
        while (text.size() - lineStart < lineLength)
            text += filler.left(lineLength - (text.size() - lineStart));
        text += lineEnd;
    }
    return text;
}

void run(const char* name, int lines, int bytes, const QString& lineEnd)
{
    std::vector<Tag> tags;
    const QString text = generate(lines, bytes, lineEnd, tags);
    QTextDocument document;
    RichTextBox editor(&document);

    QElapsedTimer timer;
    timer.start();
    editor.setText(text);
    const qint64 setMs = timer.restart();

    int painted = 0;
    editor.beginBatch();
    for (const Tag& tag : tags) {
        if (!editor.findAndSelect(tag.text, tag.offset))
            continue;
        editor.setSelColor(0x0000FF);
        editor.setSelLinkMark(true);
        ++painted;
    }
    editor.endBatch();
    const qint64 paintMs = timer.restart();

    const bool same = editor.text() == text;
    const qint64 readMs = timer.restart();

    std::printf("%-22s %6.1f MB %6d lines %6d tags painted  setText %6lld ms  paint %6lld ms  text() %5lld ms  %s\n",
                name, double(text.size()) / 1e6, int(document.blockCount()), painted, setMs, paintMs, readMs,
                same ? "round trip ok" : "ROUND TRIP FAILED");
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString crLf = QStringLiteral("\r\n");
    run("CR LF lines, 1 MB", 5'000, 1'000'000, crLf);
    run("CR LF lines, 10 MB", 50'000, 10'000'000, crLf);
    run("single line, 1 MB", 5'000, 1'000'000, QString());
    run("single line, 10 MB", 50'000, 10'000'000, QString());
    return 0;
}
