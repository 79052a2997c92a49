// tarnwick-check: the full link check of one document, without a window.

#include "common/Document.h"
#include "common/Prompter.h"
#include "common/RichTextBox.h"
#include "common/RunState.h"
#include "common/SearchCopy.h"
#include "links/CheckProgress.h"
#include "links/LinkKinds.h"
#include "links/TagValue.h"
#include "store/EncodingSetting.h"
#include "web/Engine.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QTextDocument>

#include <cstdio>
#include <optional>

namespace {

enum ExitCode { AllLinksOk = 0, SomeLinkFailed = 1, Unusable = 2 };

void printError(const QString& text)
{
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

QString englishText(const Prompt& prompt)
{
    switch (prompt.id) {
    case PromptId::ReadFailed:
        return QStringLiteral("The document could not be read.");
    case PromptId::LoadStopped:
        return QStringLiteral("The check was stopped.");
    case PromptId::NoHtmlTag:
        return QStringLiteral("No HTML tag found: the file may not be HTML. Checking it all the same.");
    default:
        // The checker neither navigates nor writes: nothing else reaches it.
        return QString();
    }
}

// Messages go to stderr in English; the question about a file without an HTML tag is answered "go on".
class StderrPrompter : public Prompter {
public:
    Answer ask(const Prompt& prompt) override
    {
        printError(englishText(prompt));
        return buttonsOf(prompt.id) == Buttons::Ok ? Answer::Ok : Answer::Yes;
    }
    QString chooseFile(FileDialogKind) override { return QString(); }
};

// A count option's value: a whole number of at least 1, or nothing.
std::optional<int> countOption(const QCommandLineParser& parser, const QCommandLineOption& option)
{
    bool ok = false;
    const int count = parser.value(option).toInt(&ok);
    if (!ok || count < 1)
        return std::nullopt;
    return count;
}

QString linkValue(const LinkTable& table, const LinkEntry& entry)
{
    const QString tag = table.tagText(entry).toString();
    return secondPassValue(tag, makeSearchCopy(tag)).value_or(QString());
}

int printResults(const LinkTable& table)
{
    bool failed = false;
    for (const LinkEntry& entry : table.entries) {
        const QString line =
            QStringLiteral("%1\t%2\t%3\n").arg(entry.start).arg(toCode(entry.result)).arg(linkValue(table, entry));
        std::fputs(line.toUtf8().constData(), stdout);
        failed = failed || isFailedResult(entry.result);
    }
    return failed ? SomeLinkFailed : AllLinksOk;
}

} // namespace

int main(int argc, char** argv)
{
    // The check paints into a document that is never shown: no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The output is for scripts: the toolkit's own notes about the session do not belong in it.
    QLoggingCategory::setFilterRules(QStringLiteral("default.warning=false\nqt.*.warning=false"));
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("tarnwick-check"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Checks every <A HREF> link of one HTML document and prints one line per link:\n"
                       "START<TAB>CODE<TAB>VALUE (position of the tag's \"<\", result code, link value).\n"
                       "Codes: -1 web OK, 1 file OK, 2 in-page OK, 95-99 not checked,\n"
                       "0/100 web NG, 101 file NG, 102 in-page NG.\n"
                       "Exit status: 0 all links OK, 1 some link NG, 2 the document could not be read."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption encodingOption(
        QStringLiteral("encoding"),
        QStringLiteral("auto (the default) detects the document's encoding; NAME reads it in that code page. "
                       "Web answers that name no encoding of their own are read in the document's."),
        QStringLiteral("auto|NAME"), QStringLiteral("auto"));
    parser.addOption(encodingOption);
    const TransferScheduler::Limits defaultLimits;
    const QCommandLineOption jobsOption(
        QStringLiteral("jobs"),
        QStringLiteral("Web requests made at once, over all hosts (default %1: enough to keep %2 hosts busy at "
                       "the per-host limit, so the per-host limit is what bounds a check of many hosts); 1 checks "
                       "one link after the other. The results are the same either way.")
            .arg(defaultLimits.transfers)
            .arg(defaultLimits.transfers / defaultLimits.transfersPerHost),
        QStringLiteral("N"), QString::number(defaultLimits.transfers));
    parser.addOption(jobsOption);
    const QCommandLineOption perHostOption(
        QStringLiteral("per-host"),
        QStringLiteral("Of those, at most N to one host (default %1), to be polite to servers.")
            .arg(defaultLimits.transfersPerHost),
        QStringLiteral("N"), QString::number(defaultLimits.transfersPerHost));
    parser.addOption(perHostOption);
    parser.addPositionalArgument(QStringLiteral("DOCUMENT"),
                                 QStringLiteral("A local path or an http, https or ftp URL."));

    if (!parser.parse(app.arguments())) {
        printError(parser.errorText());
        return Unusable;
    }
    if (parser.isSet(helpOption)) {
        std::fputs(parser.helpText().toUtf8().constData(), stdout);
        return AllLinksOk;
    }
    if (parser.positionalArguments().size() != 1) {
        printError(QStringLiteral("Give exactly one DOCUMENT (see --help)."));
        return Unusable;
    }
    const QString encoding = parser.value(encodingOption);
    if (!isUsableEncodingSetting(encoding)) {
        printError(QStringLiteral("Unknown encoding: %1").arg(encoding));
        return Unusable;
    }

    const std::optional<int> jobs = countOption(parser, jobsOption);
    const std::optional<int> perHost = countOption(parser, perHostOption);
    if (!jobs || !perHost) {
        printError(QStringLiteral("--jobs and --per-host take a whole number of at least 1."));
        return Unusable;
    }

    Document document;
    RunState run;
    QTextDocument text;
    RichTextBox editor(&text);
    CheckProgress progress;
    StderrPrompter prompter;
    Engine engine(document, run, editor, progress, prompter,
                  EngineSettings{encoding, TransferScheduler::Limits{*jobs, *perHost}});

    const auto outcome = engine.loader().load(parser.positionalArguments().constFirst());
    if (outcome != DocumentLoader::Outcome::Loaded)
        return Unusable;
    return printResults(engine.scanner().table());
}
