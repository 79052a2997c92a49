#pragma once

#include "FakeWebCheck.h"
#include "common/DocumentState.h"
#include "common/RichTextBox.h"
#include "links/CheckProgress.h"
#include "links/LinkKinds.h"
#include "links/LinkScanner.h"

#include <QStringList>
#include <QTextDocument>

#include <functional>
#include <optional>

// Records what a check shows, and can stop it after a number of event polls.
class RecordingProgress : public CheckProgress {
public:
    void setStatusText(const QString& text) override { statusTexts.append(text); }
    void setProgressVisible(bool visible) override { progressVisible = visible; }
    void setProgressRange(int minimum, int maximum) override { range = {minimum, maximum}; }
    void setProgressValue(int value) override { lastValue = value; }
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

    QStringList statusTexts;
    QStringList shownLinks;
    bool progressVisible = false;
    std::optional<std::pair<int, int>> range;
    int lastValue = -1;
    int polls = 0;
    std::function<void(int)> onPoll;
};

// A scanner wired to a headless editor, a fake web check and a recording progress display.
struct ScannerFixture {
    QTextDocument document;
    RichTextBox editor{&document};
    DocumentState state;
    RecordingProgress progress;
    FakeWebCheck web;
    LinkScanner scanner{state, editor, progress, web};

    bool check(const QString& text, const QString& base = QStringLiteral("/nowhere"), bool isFile = true)
    {
        state.HtmlData = text;
        return scanner.Fnc_CheckAllLinks(base, isFile, true);
    }

    QList<int> results() const { return scanner.table().LinkResult; }

    // Colour and LinkMark of the character at a text offset, as navigation reads them back.
    std::pair<Colorref, bool> paintAt(int offset)
    {
        editor.setSelection(offset, 1);
        return {editor.selColor().value_or(0xFFFFFFFF), editor.selLinkMark()};
    }
};
