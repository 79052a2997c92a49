#include "CommandTexts.h"
#include "Report.h"
#include "common/CsvRow.h"
#include "links/ReasonText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// FILE:LINE:COLUMN: RESULT VALUE (REASON), then a summary line.
class TextReport : public ReportWriter {
public:
    using ReportWriter::ReportWriter;

    void document(const DocumentRecord& record) override
    {
        // A document that could not be checked is told on stderr, as in every format.
        for (const LinkRecord& link : record.links) {
            if (!shows(link))
                continue;
            m_out << record.document << ':' << link.line << ':' << link.column << ": " << resultName(link.result) << ' '
                  << oneLine(link.value) << " (" << oneLine(reasonText(link.reason)) << ')';
            if (m_options.suggest && !link.suggestions.isEmpty())
                m_out << " -> " << oneLine(joinedSuggestions(link.suggestions));
            m_out << '\n';
        }
    }

    void end(const RunSummary& s) override { m_out << summaryText(s) << '\n'; }
};

// GitHub's workflow command text: "%", CR and LF escaped as %XX, and in a property also ":" and ",".
QString workflowEscaped(const QString& text, bool property)
{
    QString escaped = text;
    escaped.replace(u'%', QStringLiteral("%25"))
        .replace(u'\r', QStringLiteral("%0D"))
        .replace(u'\n', QStringLiteral("%0A"));
    if (property)
        escaped.replace(u':', QStringLiteral("%3A")).replace(u',', QStringLiteral("%2C"));
    return escaped;
}

// One "::error file=FILE,line=LINE,col=COLUMN::RESULT VALUE (REASON)" workflow annotation per NG link, which
// GitHub Actions shows on that line of the file; then the summary line.
class GithubReport : public ReportWriter {
public:
    using ReportWriter::ReportWriter;

    void document(const DocumentRecord& record) override
    {
        for (const LinkRecord& link : record.links) {
            if (!isFailedResult(link.result))
                continue;
            m_out << "::error file=" << workflowEscaped(record.document, true) << ",line=" << link.line
                  << ",col=" << link.column << "::"
                  << workflowEscaped(resultName(link.result) + u' ' + link.value + QStringLiteral(" (") +
                                         reasonText(link.reason) + u')',
                                     false)
                  << '\n';
        }
    }

    void end(const RunSummary& s) override { m_out << summaryText(s) << '\n'; }
};

// START<TAB>CODE<TAB>VALUE, as scripts have always read it.
class TsvReport : public ReportWriter {
public:
    using ReportWriter::ReportWriter;

    void begin(int documentCount) override { m_several = documentCount > 1; }

    void document(const DocumentRecord& record) override
    {
        if (m_several)
            m_out << "# " << record.document << '\n';
        for (const LinkRecord& link : record.links) {
            if (shows(link))
                m_out << link.start << '\t' << toCode(link.result) << '\t' << escapedValue(link.value) << '\n';
        }
    }

private:
    bool m_several = false;
};

// {"documents": [...], "summary": {...}}, each document written as it comes.
class JsonReport : public ReportWriter {
public:
    using ReportWriter::ReportWriter;

    void begin(int) override { m_out << "{\"documents\": ["; }

    void document(const DocumentRecord& record) override
    {
        QJsonObject object{{QStringLiteral("document"), record.document}};
        if (record.error != DocumentError::None) {
            object.insert(QStringLiteral("error"), documentErrorText(record, Wording::English));
        } else {
            object.insert(QStringLiteral("encoding"), record.encoding.isEmpty() ? QJsonValue() : record.encoding);
            QJsonArray links;
            for (const LinkRecord& link : record.links) {
                if (shows(link))
                    links.append(linkObject(link));
            }
            object.insert(QStringLiteral("links"), links);
        }
        m_out << (m_first ? "\n" : ",\n") << QJsonDocument(object).toJson(QJsonDocument::Compact);
        m_first = false;
    }

    void end(const RunSummary& s) override
    {
        const QJsonObject summary{{QStringLiteral("documents"), s.documents},
                                  {QStringLiteral("unreadable"), s.unreadable},
                                  {QStringLiteral("links"), s.links},
                                  {QStringLiteral("ok"), s.ok},
                                  {QStringLiteral("ng"), s.ng},
                                  {QStringLiteral("notChecked"), s.notChecked},
                                  {QStringLiteral("seconds"), s.seconds}};
        m_out << "\n], \"summary\": " << QJsonDocument(summary).toJson(QJsonDocument::Compact) << "}\n";
    }

private:
    QJsonObject linkObject(const LinkRecord& link) const
    {
        QJsonObject object{
            {QStringLiteral("start"), link.start},
            {QStringLiteral("line"), link.line},
            {QStringLiteral("column"), link.column},
            {QStringLiteral("code"), toCode(link.result)},
            {QStringLiteral("class"), resultName(link.result)},
            {QStringLiteral("value"), link.value},
            {QStringLiteral("target"), link.target},
            {QStringLiteral("reason"), reasonText(link.reason, Wording::English)},
            {QStringLiteral("status"), link.httpStatus > 0 ? QJsonValue(qint64(link.httpStatus)) : QJsonValue()}};
        if (m_options.namesAttributes) {
            object.insert(QStringLiteral("tag"), link.element);
            object.insert(QStringLiteral("attribute"), link.attribute);
        }
        if (m_options.suggest)
            object.insert(QStringLiteral("suggestions"), QJsonArray::fromStringList(link.suggestions));
        return object;
    }

    bool m_first = true;
};

// A header row, then one row per link (RFC 4180: fields with a comma, a quote or a line break are quoted).
class CsvReport : public ReportWriter {
public:
    using ReportWriter::ReportWriter;

    void begin(int) override
    {
        m_out << "document,line,column,start,code,class,value,target,reason,status"
              << (m_options.namesAttributes ? ",tag,attribute" : "") << (m_options.suggest ? ",suggestions" : "")
              << "\r\n";
    }

    void document(const DocumentRecord& record) override
    {
        for (const LinkRecord& link : record.links) {
            if (!shows(link))
                continue;
            QStringList fields{record.document,
                               QString::number(link.line),
                               QString::number(link.column),
                               QString::number(link.start),
                               QString::number(toCode(link.result)),
                               resultName(link.result),
                               link.value,
                               link.target,
                               reasonText(link.reason, Wording::English),
                               link.httpStatus > 0 ? QString::number(link.httpStatus) : QString()};
            if (m_options.namesAttributes)
                fields << link.element << link.attribute;
            if (m_options.suggest)
                fields << joinedSuggestions(link.suggestions);
            m_out << csvRow(fields);
        }
    }
};

} // namespace

std::unique_ptr<ReportWriter> makeReportWriter(ReportFormat format, QTextStream& out, ReportOptions options)
{
    switch (format) {
    case ReportFormat::Tsv:
        return std::make_unique<TsvReport>(out, options);
    case ReportFormat::Json:
        return std::make_unique<JsonReport>(out, options);
    case ReportFormat::Csv:
        return std::make_unique<CsvReport>(out, options);
    case ReportFormat::Github:
        return std::make_unique<GithubReport>(out, options);
    case ReportFormat::Text:
        break;
    }
    return std::make_unique<TextReport>(out, options);
}

namespace {

QString escaped(const QString& value, bool backslash)
{
    QString escaped;
    escaped.reserve(value.size());
    for (const QChar c : value) {
        switch (c.unicode()) {
        case u'\\':
            escaped += backslash ? QStringLiteral("\\\\") : QStringLiteral("\\");
            break;
        case u'\t':
            escaped += QStringLiteral("\\t");
            break;
        case u'\r':
            escaped += QStringLiteral("\\r");
            break;
        case u'\n':
            escaped += QStringLiteral("\\n");
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

} // namespace

QString escapedValue(const QString& value)
{
    return escaped(value, true);
}

QString oneLine(const QString& value)
{
    return escaped(value, false);
}

QString joinedSuggestions(const QStringList& suggestions)
{
    return suggestions.join(QStringLiteral(" | "));
}
