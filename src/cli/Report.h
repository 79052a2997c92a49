#pragma once

#include "CheckOptions.h"
#include "links/LinkKinds.h"
#include "links/ReasonDescription.h"

#include <QList>
#include <QString>
#include <QTextStream>

#include <memory>

// One link as the reports show it.
struct LinkRecord {
    int start = 0; // 1-based position of the tag's "<"
    int line = 0;
    int column = 0;
    LinkResult result = LinkResult::Unchecked;
    QString value;            // the HREF value as written
    QString target;           // the path, anchor or URL it resolved to; empty when none
    QList<ReasonPart> reason; // why, worded by each report in its language
    long httpStatus = 0;      // 0: none
    QString element;          // the tag and attribute the value stands in: "A" "HREF", "IMG" "SRC"
    QString attribute;
    QStringList suggestions; // with --suggest: values that could repair the link, nearest first
};

// Why a document of the command line could not be checked.
enum class DocumentError { None, Unreadable, FolderWithoutRecursion };

struct DocumentRecord {
    QString document;
    QString encoding; // empty when unknown
    DocumentError error = DocumentError::None;
    QList<ReasonPart> whyUnreadable; // for Unreadable
    QList<LinkRecord> links;
};

struct RunSummary {
    int documents = 0;
    int unreadable = 0;
    int links = 0;
    int ok = 0;
    int ng = 0;
    int notChecked = 0;
    double seconds = 0;
};

struct ReportOptions {
    bool brokenOnly = false;      // only the NG links
    bool namesAttributes = false; // json and csv name the tag and attribute of each link (with --resources)
    bool suggest = false;         // text, json and csv add the values that could repair each link
};

// Writes the results of a run as they come, document after document, in one format.
class ReportWriter {
public:
    ReportWriter(QTextStream& out, ReportOptions options) : m_out(out), m_options(options) {}
    virtual ~ReportWriter() = default;

    virtual void begin(int documentCount) { Q_UNUSED(documentCount); }
    virtual void document(const DocumentRecord& record) = 0;
    virtual void end(const RunSummary& summary) { Q_UNUSED(summary); }

protected:
    bool shows(const LinkRecord& link) const { return !m_options.brokenOnly || isFailedResult(link.result); }

    QTextStream& m_out;
    const ReportOptions m_options;
};

std::unique_ptr<ReportWriter> makeReportWriter(ReportFormat format, QTextStream& out, ReportOptions options);

// A value on one line, for scripts: backslash, tab, CR and LF as \\, \t, \r and \n.
QString escapedValue(const QString& value);
// A value on one line, for people: tab, CR and LF as \t, \r and \n; a backslash stays one.
QString oneLine(const QString& value);
// The suggestions of a link in one field: " | " between them (a suggestion holds no blank).
QString joinedSuggestions(const QStringList& suggestions);
