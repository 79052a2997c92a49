#include "CheckCommand.h"

#include "CheckOptions.h"
#include "CommandTexts.h"
#include "DocumentList.h"
#include "Report.h"
#include "TerminalProgress.h"
#include "common/NativeName.h"
#include "common/Prompter.h"
#include "links/FileNameIndex.h"
#include "links/PageAnchors.h"
#include "links/ReasonDescription.h"
#include "links/RepairSuggestions.h"
#include "web/AnswerMemo.h"
#include "web/DocumentCheckJob.h"
#include "web/SiteCheckJob.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>

#include <cstdio>

namespace {

enum ExitCode { AllLinksOk = 0, SomeLinkFailed = 1, Unusable = 2 };

void printError(const QString& text)
{
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

// Messages go to stderr in English, naming the document; the question about a file without an HTML tag
// is answered "go on".
class StderrPrompter : public Prompter {
public:
    explicit StderrPrompter(bool quiet) : m_quiet(quiet) {}
    void setDocument(const QString& document) { m_document = document; }

    Answer ask(const Prompt& prompt) override
    {
        const QString text = noticeText(prompt);
        if (!m_quiet && !text.isEmpty())
            printError(m_document + QStringLiteral(": ") + text);
        return buttonsOf(prompt.id) == Buttons::Ok ? Answer::Ok : Answer::Yes;
    }
    QString chooseFile(FileDialogKind) override { return QString(); }

private:
    bool m_quiet;
    QString m_document;
};

LinkRecord recordOf(const LinkEntry& entry)
{
    LinkRecord record;
    record.start = entry.start;
    record.line = entry.line;
    record.column = entry.column;
    record.result = entry.result;
    record.value = entry.value;
    record.target = resolvedTarget(entry.reason);
    record.reason = describeReason(entry.result, entry.reason);
    record.httpStatus = entry.reason.web.status;
    record.element = entry.element;
    record.attribute = entry.attribute;
    return record;
}

void count(const LinkRecord& link, RunSummary& summary)
{
    ++summary.links;
    if (isFailedResult(link.result))
        ++summary.ng;
    else if (classOf(link.result) == LinkClass::NotChecked)
        ++summary.notChecked;
    else
        ++summary.ok;
}

// The documents of the command line that are checked: those that are no error items, each page of a folder
// given with -r starting its root-relative links from that folder unless --root-dir says otherwise.
QList<RunDocument> documentsToCheck(const QList<DocumentItem>& items, const CheckSettings& settings)
{
    QList<RunDocument> documents;
    for (const DocumentItem& item : items) {
        if (item.error == DocumentError::None)
            documents.append({item.path, settings.siteRoot.isEmpty() ? item.folder : QString()});
    }
    return documents;
}

// Runs the check of the documents and reports each as it is done, in the order of the command line.
class CheckRun : public QObject {
    Q_OBJECT
public:
    CheckRun(const CheckOptions& options, const QList<DocumentItem>& documents, ReportWriter& writer, QTextStream& out)
        : m_options(options), m_items(documents), m_writer(writer), m_out(out), m_progress(stderr),
          m_prompter(options.quiet), m_web(options.settings.limits, options.settings.request),
          m_anchors(options.settings.encoding),
          m_job(m_web, m_prompter, documentsToCheck(documents, options.settings), options.settings, m_anchors)
    {
        m_web.setAnswerMemo(&m_memo);
        m_clock.start();
        connect(&m_job, &SiteCheckJob::documentStarted, this, &CheckRun::onDocumentStarted);
        connect(&m_job, &SiteCheckJob::documentChecked, this, &CheckRun::onDocumentChecked);
        connect(&m_job, &SiteCheckJob::finished, this, &CheckRun::onFinished);
    }

    // Starts the run; finished() follows once every document is reported.
    void start()
    {
        m_writer.begin(int(m_items.size()));
        m_job.start();
    }
    const RunSummary& summary() const { return m_summary; }

signals:
    void finished();

private:
    // Reports the items that could not be checked up to the next one that is.
    void reportErrorItems()
    {
        while (m_next < m_items.size() && m_items[m_next].error != DocumentError::None) {
            const DocumentItem& item = m_items[m_next];
            report({shownName(item.path), QString(), item.error, {}, {}});
        }
    }

    void onDocumentStarted(int, DocumentCheckJob* job)
    {
        reportErrorItems();
        const QString shown = shownName(m_items[m_next].path);
        m_prompter.setDocument(shown);
        m_progress.setDocument(shown);
        connect(job, &DocumentCheckJob::checkStarted, this, [this](LinkCheckJob* check) {
            m_progress.setProgressVisible(true);
            connect(check, &LinkCheckJob::progressChanged, this, [this](int value, int maximum) {
                m_progress.setProgressRange(0, maximum);
                m_progress.setProgressValue(value);
            });
        });
    }

    void onDocumentChecked(int, const DocumentCheckJob& job)
    {
        m_progress.setProgressVisible(false);
        DocumentRecord record{shownName(m_items[m_next].path), QString(), DocumentError::None, {}, {}};
        if (job.outcome() != DocumentCheckJob::Outcome::Checked) {
            record.error = DocumentError::Unreadable;
            record.whyUnreadable = job.readFailure();
        } else {
            record.encoding = job.document().encoding.displayName();
            std::optional<RepairSuggestions> repairs;
            if (m_options.suggest)
                repairs.emplace(job.table().text, job.checkContext(), m_options.settings.encoding, &m_trees);
            for (const LinkEntry& entry : job.table().entries) {
                record.links.append(recordOf(entry));
                if (repairs)
                    record.links.last().suggestions = repairs->of(entry);
            }
        }
        report(record);
    }

    void onFinished()
    {
        reportErrorItems();
        m_summary.seconds = m_clock.elapsed() / 1000.0;
        m_writer.end(m_summary);
        m_out.flush();
        emit finished();
    }

    void report(const DocumentRecord& record)
    {
        ++m_next;
        ++m_summary.documents;
        if (record.error != DocumentError::None) {
            ++m_summary.unreadable;
            if (!m_options.quiet)
                printError(record.document + QStringLiteral(": ") + documentErrorText(record, Wording::Translated));
        }
        for (const LinkRecord& link : record.links)
            count(link, m_summary);
        m_writer.document(record);
        m_out.flush();
    }

    const CheckOptions& m_options;
    const QList<DocumentItem>& m_items;
    ReportWriter& m_writer;
    QTextStream& m_out;
    qsizetype m_next = 0; // the item reported next
    RunSummary m_summary;
    QElapsedTimer m_clock;
    TerminalProgress m_progress;
    StderrPrompter m_prompter;
    AnswerMemo m_memo;
    WebCheck m_web;
    PageAnchors m_anchors;
    FileTrees m_trees; // the tree of files the suggestions for missing files come from, walked once a run
    SiteCheckJob m_job;
};

} // namespace

int runCheckCommand(const QStringList& arguments)
{
    const ParsedCommand command = parseCheckCommand(arguments);
    if (command.action == ParsedCommand::Action::Fail) {
        printError(command.text);
        return Unusable;
    }
    if (command.action == ParsedCommand::Action::ShowText) {
        std::fputs(command.text.toUtf8().constData(), stdout);
        return AllLinksOk;
    }
    const CheckOptions& options = command.options;
    const QList<DocumentItem> documents = expandDocuments(options.documents, options.recursive);

    QFile standardOutput;
    QBuffer discarded;
    if (options.quiet)
        discarded.open(QIODevice::WriteOnly);
    else
        standardOutput.open(stdout, QIODevice::WriteOnly);
    QTextStream out(options.quiet ? static_cast<QIODevice*>(&discarded) : &standardOutput);
    std::unique_ptr<ReportWriter> writer =
        makeReportWriter(options.format, out, {options.brokenOnly, options.settings.resources, options.suggest});
    CheckRun run(options, documents, *writer, out);
    QObject::connect(&run, &CheckRun::finished, QCoreApplication::instance(), &QCoreApplication::quit,
                     Qt::QueuedConnection);
    run.start();
    QCoreApplication::exec();
    const RunSummary& summary = run.summary();
    if (summary.unreadable > 0)
        return Unusable;
    return summary.ng > 0 ? SomeLinkFailed : AllLinksOk;
}

#include "CheckCommand.moc"
