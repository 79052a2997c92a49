#pragma once

#include "LinkTable.h"
#include "TagScan.h"

#include <QList>
#include <QString>

#include <optional>
#include <vector>

class CheckProgress;
class LinkRegistry;
class RichTextBox;
class WebLinkCheck;
struct Document;
struct RunState;

// The full check of a document: finds every "<A " tag with an HREF, classifies and checks each link,
// then puts the text into the editor and paints every tag in the colour of its result.
class LinkScanner {
public:
    // registry: where each painted tag's reason is kept (see LinkRegistry).
    LinkScanner(Document& document, RunState& run, RichTextBox& editor, CheckProgress& progress, WebLinkCheck& web,
                LinkRegistry& registry);

    // useStoredText: check htmlData (a load) rather than the editor's text (a check of all links).
    // True when the painting stage was reached and finished (a stop while painting included);
    // false when stopped before painting or on an error.
    bool checkAllLinks(const QString& docBase, bool docIsFile, bool useStoredText);

    const LinkTable& table() const { return m_table; }
    // The HREF value of entry `index` of the table as the second pass reads it (as written, trimmed of
    // blanks), without searching its tag again.
    QString linkValue(int index) const;

private:
    bool findLinks(const QString& upper);
    // Nested candidates sharing one HREF ("<a <a href=x>") share its value: it is cut and checked once.
    bool sharesPreviousValue(int entry) const;
    // The second-pass value of every link still to be checked; nothing for the others.
    QList<std::optional<QString>> valuesToCheck() const;
    bool checkLinks(const QString& upper, const QString& docBase, bool docIsFile);
    void paintLinks();
    bool abortRequested();

    Document& m_document;
    RunState& m_run;
    RichTextBox& m_editor;
    CheckProgress& m_progress;
    WebLinkCheck& m_web;
    LinkRegistry& m_registry;
    LinkTable m_table;
    std::vector<ValueSpan> m_valueSpans; // where each entry's HREF value stands in m_table.text
};
