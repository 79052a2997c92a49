#pragma once

#include "LinkTable.h"

#include <QList>
#include <QString>

#include <optional>

class CheckProgress;
class RichTextBox;
class WebLinkCheck;
struct DocumentState;

// The full check of a document: finds every "<A " tag with an HREF, classifies and checks each link,
// then puts the text into the editor and paints every tag in the colour of its result.
class LinkScanner {
public:
    LinkScanner(DocumentState& state, RichTextBox& editor, CheckProgress& progress, WebLinkCheck& web);

    // useStoredText: check HtmlData (a load) rather than the editor's text (a check of all links).
    // True when the painting stage was reached and finished (an abort while painting included);
    // false when stopped before painting or on an error.
    bool Fnc_CheckAllLinks(const QString& docBase, bool docIsFile, bool useStoredText);

    const LinkTable& table() const { return m_table; }

private:
    bool findLinks(const QString& text, const QString& upper);
    // The second-pass value of every link still to be checked; nothing for the others.
    QList<std::optional<QString>> valuesToCheck(const QString& text, const QString& upper) const;
    bool checkLinks(const QString& text, const QString& upper, const QString& docBase, bool docIsFile);
    void paintLinks(const QString& text);
    bool abortRequested();

    DocumentState& m_state;
    RichTextBox& m_editor;
    CheckProgress& m_progress;
    WebLinkCheck& m_web;
    LinkTable m_table;
};
