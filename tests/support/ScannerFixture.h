#pragma once

#include "FakeWebCheck.h"
#include "common/Document.h"
#include "common/RichTextBox.h"
#include "common/RunState.h"
#include "links/CheckProgress.h"
#include "links/LinkKinds.h"
#include "links/LinkRegistry.h"
#include "links/LinkScanner.h"

#include <QStringList>
#include <QTextDocument>

#include <functional>
#include <optional>

// Records what a check shows, and can stop it after a number of event polls.
class RecordingProgress : public CheckProgress {
public:
    void setPhase(CheckPhase phase) override { phases.append(phase); }
    void setProgressVisible(bool visible) override { progressVisible = visible; }
    void setProgressRange(int minimum, int maximum) override { range = {minimum, maximum}; }
    void setProgressValue(int value) override
    {
        lastValue = value;
        values.append({value, int(shownLinks.size())});
    }
    void showCurrentLink(const QString& value) override
    {
        if (!value.isEmpty())
            shownLinks.append(value);
    }
    void processEvents() override
    {
        ++polls;
        if (onPoll)
            onPoll(polls);
    }

    QList<CheckPhase> phases;
    QStringList shownLinks;
    bool progressVisible = false;
    std::optional<std::pair<int, int>> range;
    int lastValue = -1;
    QList<std::pair<int, int>> values; // each value shown, with how many links had been printed by then
    int polls = 0;
    std::function<void(int)> onPoll;
};

// One field of every entry of a link table, in document order.
template <typename Field> auto columnOf(const LinkTable& table, Field field)
{
    QList<std::decay_t<decltype(field(table.entries.front()))>> column;
    for (const LinkEntry& entry : table.entries)
        column.append(field(entry));
    return column;
}

inline QList<LinkResult> resultsOf(const LinkTable& table)
{
    return columnOf(table, [](const LinkEntry& e) { return e.result; });
}

// The results as the numbers tarnwick-check prints.
inline QList<int> codesOf(const LinkTable& table)
{
    return columnOf(table, [](const LinkEntry& e) { return toCode(e.result); });
}

// A scanner wired to a headless editor, a fake web check and a recording progress display.
struct ScannerFixture {
    QTextDocument textDocument;
    RichTextBox editor{&textDocument};
    Document document;
    RunState run;
    RecordingProgress progress;
    FakeWebCheck web;
    LinkRegistry registry;
    LinkScanner scanner{document, run, editor, progress, web, registry};

    bool check(const QString& text, const QString& base = QStringLiteral("/nowhere"), bool isFile = true)
    {
        document.htmlData = text;
        return scanner.checkAllLinks(base, isFile, true);
    }

    const LinkTable& table() const { return scanner.table(); }
    QList<LinkResult> results() const { return resultsOf(table()); }
    QList<int> codes() const { return codesOf(table()); }
    QList<int> starts() const
    {
        return columnOf(table(), [](const LinkEntry& e) { return e.start; });
    }
    QStringList tagTexts() const
    {
        QStringList texts;
        for (const LinkEntry& entry : table().entries)
            texts.append(table().tagText(entry).toString());
        return texts;
    }

    // Colour and LinkMark of the character at a text offset, as navigation reads them back.
    std::pair<Colorref, bool> paintAt(int offset)
    {
        editor.setSelection(offset, 1);
        return {editor.selColor().value_or(0xFFFFFFFF), editor.selLinkMark()};
    }
};
