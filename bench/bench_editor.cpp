// Times the editor layer on generated documents of 1 MB and 10 MB with one link tag per CR LF line
// (5,000 and 50,000 lines): setting the text, tying every tag to its place in the text (the spans a check
// gives), painting them all, and reading the text back. Linear work should take about ten times as long
// for ten times the text. A 10 MB text on a single line is timed too.

#include "editor/LinkPainter.h"
#include "editor/LinkSpans.h"
#include "editor/RichTextBox.h"

#include <QElapsedTimer>
#include <QEventLoop>
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
    LinkSpans spans(editor);
    LinkPainter painter(spans, &document);
    LinkTable table{text, {}};
    QList<int> all;
    for (const Tag& tag : tags) {
        LinkEntry link;
        link.start = tag.offset + 1;
        link.length = int(tag.text.size());
        link.result = LinkResult::NgWeb;
        link.decided = true;
        all.append(table.count());
        table.entries.push_back(link);
    }

    QElapsedTimer timer;
    timer.start();
    editor.setText(text);
    const qint64 setMs = timer.restart();

    spans.reset(table);
    const qint64 spanMs = timer.restart();

    QEventLoop paint;
    QObject::connect(&painter, &LinkPainter::painted, &paint, &QEventLoop::quit);
    spans.update(table, all);
    paint.exec();
    const qint64 paintMs = timer.restart();

    const bool same = editor.text() == text;
    const qint64 readMs = timer.restart();

    std::printf("%-22s %6.1f MB %6d lines %6d tags  setText %6lld ms  spans %5lld ms  paint %6lld ms  text() %5lld ms  "
                "%s\n",
                name, double(text.size()) / 1e6, int(document.blockCount()), spans.count(), setMs, spanMs, paintMs,
                readMs, same ? "round trip ok" : "ROUND TRIP FAILED");
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
