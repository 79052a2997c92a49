#include "CheckCommand.h"

#include "CheckOptions.h"
#include "DocumentList.h"
#include "EnglishTexts.h"
#include "Report.h"
#include "TerminalProgress.h"
#include "common/Document.h"
#include "common/RichTextBox.h"
#include "common/RunState.h"
#include "links/ReasonDescription.h"
#include "web/Engine.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QTextDocument>
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
        const QString text = promptText(prompt);
        if (!m_quiet && !text.isEmpty())
            printError(m_document + QStringLiteral(": ") + text);
        return buttonsOf(prompt.id) == Buttons::Ok ? Answer::Ok : Answer::Yes;
    }
    QString chooseFile(FileDialogKind) override { return QString(); }

private:
    bool m_quiet;
    QString m_document;
};

LinkRecord recordOf(const LinkScanner& scanner, int index)
{
    const LinkEntry& entry = scanner.table().entries[size_t(index)];
    LinkRecord record;
    record.start = entry.start;
    record.line = entry.line;
    record.column = entry.column;
    record.result = entry.result;
    record.value = scanner.linkValue(index);
    record.target = resolvedTarget(entry.reason);
    record.reason = reasonText(describeReason(entry.result, entry.reason));
    record.httpStatus = entry.reason.web.status;
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

// Checks each document with one engine: a URL answered for one document is not asked again for the next.
class CheckRun {
public:
    explicit CheckRun(const CheckOptions& options)
        : m_progress(stderr), m_prompter(options.quiet), m_engine(m_document, m_run, m_editor, m_progress, m_prompter,
                                                                  EngineSettings{options.encoding, options.limits})
    {
        m_engine.web().setAnswerMemo(&m_memo);
    }

    DocumentRecord check(const DocumentItem& item)
    {
        DocumentRecord record{item.path, QString(), item.error, {}};
        if (!item.error.isEmpty())
            return record;
        m_prompter.setDocument(item.path);
        m_progress.setDocument(item.path);
        if (m_engine.loader().load(item.path) != DocumentLoader::Outcome::Loaded) {
            record.error = QStringLiteral("could not be read");
            return record;
        }
        record.encoding = m_document.encoding.displayName();
        const LinkScanner& scanner = m_engine.scanner();
        for (int index = 0; index < scanner.table().count(); ++index)
            record.links.append(recordOf(scanner, index));
        return record;
    }

private:
    Document m_document;
    RunState m_run;
    QTextDocument m_text;
    RichTextBox m_editor{&m_text};
    TerminalProgress m_progress;
    StderrPrompter m_prompter;
    AnswerMemo m_memo;
    Engine m_engine;
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

    QElapsedTimer clock;
    clock.start();
    QFile standardOutput;
    QBuffer discarded;
    if (options.quiet)
        discarded.open(QIODevice::WriteOnly);
    else
        standardOutput.open(stdout, QIODevice::WriteOnly);
    QTextStream out(options.quiet ? static_cast<QIODevice*>(&discarded) : &standardOutput);
    std::unique_ptr<ReportWriter> writer = makeReportWriter(options.format, out, options.brokenOnly);
    writer->begin(int(documents.size()));
    RunSummary summary;
    CheckRun run(options);
    for (const DocumentItem& item : documents) {
        const DocumentRecord record = run.check(item);
        ++summary.documents;
        if (!record.error.isEmpty())
            ++summary.unreadable;
        for (const LinkRecord& link : record.links)
            count(link, summary);
        writer->document(record);
        out.flush();
    }
    summary.seconds = clock.elapsed() / 1000.0;
    writer->end(summary);
    out.flush();
    if (summary.unreadable > 0)
        return Unusable;
    return summary.ng > 0 ? SomeLinkFailed : AllLinksOk;
}
