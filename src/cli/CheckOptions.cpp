#include "CheckOptions.h"

#include "common/AppInfo.h"
#include "store/EncodingSetting.h"
#include "web/RequestOptions.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRegularExpression>

#include <optional>

namespace {

const char* const Description = QT_TRANSLATE_NOOP(
    "Command",
    "Checks every <A HREF> link of HTML documents: in-page anchors, files on disk, web links over HTTP,\n"
    "HTTPS and FTP. DOCUMENT is a local path, a folder (with -r) or an http, https or ftp URL; each\n"
    "document is checked as the window checks it, and a URL answered once in a run is not asked again.\n"
    "\n"
    "Formats:\n"
    "  text  FILE:LINE:COLUMN: RESULT VALUE (REASON), one line per link, then a summary line\n"
    "  tsv   START<TAB>CODE<TAB>VALUE (position of the tag's \"<\", result code, link value; a value's\n"
    "        backslash, tab, CR and LF print as \\\\, \\t, \\r, \\n); with several documents, each\n"
    "        document's lines follow a line \"# DOCUMENT\"\n"
    "  json  one object per document (document, encoding, links) and a summary\n"
    "  csv   a header row, then one row per link\n"
    "  github  one workflow annotation per NG link (::error file=FILE,line=LINE,col=COLUMN::RESULT VALUE (REASON))\n"
    "Codes: -1 web OK, 1 file OK, 2 in-page OK, 95-99 not checked, 0/100 web NG, 101 file NG, 102 in-page NG.\n"
    "\n"
    "Exit status: 0 every link OK, 1 some link NG, 2 some document could not be read (or a wrong option).");

QString translated(const char* source)
{
    return QCoreApplication::translate("Command", source);
}

std::optional<ReportFormat> formatNamed(const QString& name)
{
    if (name == u"text")
        return ReportFormat::Text;
    if (name == u"tsv")
        return ReportFormat::Tsv;
    if (name == u"json")
        return ReportFormat::Json;
    if (name == u"csv")
        return ReportFormat::Csv;
    if (name == u"github")
        return ReportFormat::Github;
    return std::nullopt;
}

// A count option's value: a whole number of at least 1, or nothing.
std::optional<int> countValue(const QString& text)
{
    bool ok = false;
    const int count = text.toInt(&ok);
    if (!ok || count < 1)
        return std::nullopt;
    return count;
}

ParsedCommand failure(const QString& why)
{
    return {ParsedCommand::Action::Fail, {}, why};
}

// The options that leave links out and shape web requests.
struct RequestOptionSet {
    QCommandLineOption exclude{QStringLiteral("exclude"),
                               translated(QT_TRANSLATE_NOOP("Command", "Leaves out links whose absolute address (URL, "
                                                                       "or file: URL of a local file) matches the "
                                                                       "regular expression; repeatable. Code 96.")),
                               QStringLiteral("REGEX")};
    QCommandLineOption include{
        QStringLiteral("include"),
        translated(QT_TRANSLATE_NOOP("Command", "Checks only links whose absolute address matches one of these "
                                                "regular expressions (repeatable); an include wins over --exclude.")),
        QStringLiteral("REGEX")};
    QCommandLineOption offline{QStringLiteral("offline"),
                               translated(QT_TRANSLATE_NOOP("Command", "Checks without the network: web links are "
                                                                       "left out (code 96).")),
                               QString()};
    QCommandLineOption timeout{
        QStringLiteral("timeout"),
        translated(QT_TRANSLATE_NOOP("Command", "The most a web link's whole request may take (default %1)."))
            .arg(WebLimits::DeadlineSeconds),
        QStringLiteral("SECONDS"), QString::number(WebLimits::DeadlineSeconds)};
    QCommandLineOption userAgent{QStringLiteral("user-agent"),
                                 translated(QT_TRANSLATE_NOOP("Command", "The User-Agent header of web requests.")),
                                 QStringLiteral("TEXT")};
    QCommandLineOption header{
        QStringLiteral("header"),
        translated(QT_TRANSLATE_NOOP("Command", "A request header sent to HOST only, never to the hosts its "
                                                "redirects lead to, and never printed; repeatable.")),
        QStringLiteral("HOST=Name: value")};
    QCommandLineOption accept{
        QStringLiteral("accept"),
        translated(QT_TRANSLATE_NOOP("Command", "HTTP statuses counted OK, such as 403,999 for sites that refuse "
                                                "automated checks.")),
        QStringLiteral("CODES")};

    QList<QCommandLineOption> all() const { return {exclude, include, offline, timeout, userAgent, header, accept}; }
};

std::optional<QList<QRegularExpression>> patterns(const QStringList& texts, QString& why)
{
    QList<QRegularExpression> list;
    for (const QString& text : texts) {
        const QRegularExpression pattern(text);
        if (!pattern.isValid()) {
            why = translated(QT_TRANSLATE_NOOP("Command", "Not a valid regular expression: %1 (%2)"))
                      .arg(text, pattern.errorString());
            return std::nullopt;
        }
        list.append(pattern);
    }
    return list;
}

// Reads the filter and request options into settings; the reason when one of them is wrong.
std::optional<QString> readRequestOptions(const QCommandLineParser& parser, const RequestOptionSet& set,
                                          CheckSettings& settings)
{
    QString why;
    const auto include = patterns(parser.values(set.include), why);
    const auto exclude = include ? patterns(parser.values(set.exclude), why) : std::nullopt;
    if (!exclude)
        return why;
    settings.filter = {*include, *exclude, parser.isSet(set.offline)};
    const std::optional<int> timeout = countValue(parser.value(set.timeout));
    if (!timeout)
        return translated(QT_TRANSLATE_NOOP("Command", "--timeout takes a whole number of seconds of at least 1."));
    RequestOptions& request = settings.request;
    request.deadlineSeconds = *timeout;
    request.userAgent = parser.value(set.userAgent);
    for (const QString& text : parser.values(set.header)) {
        const std::optional<HostHeader> header = parseHostHeader(text);
        // The value may be a secret: the message names the host alone.
        if (!header)
            return translated(QT_TRANSLATE_NOOP("Command", "--header takes HOST=Name: value (given for %1)."))
                .arg(text.section(u'=', 0, 0));
        request.headers.append(*header);
    }
    const std::optional<QSet<long>> accepted = parseStatusList(parser.values(set.accept).join(u','));
    if (!accepted)
        return translated(QT_TRANSLATE_NOOP("Command", "--accept takes HTTP statuses separated by commas: %1"))
            .arg(parser.values(set.accept).join(u','));
    request.acceptedStatuses = *accepted;
    return std::nullopt;
}

} // namespace

ParsedCommand parseCheckCommand(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(translated(Description));
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        translated(QT_TRANSLATE_NOOP("Command", "Shows this help.")));
    const QCommandLineOption versionOption(QStringLiteral("version"),
                                           translated(QT_TRANSLATE_NOOP("Command", "Shows the version.")));
    const QCommandLineOption formatOption(
        QStringLiteral("format"),
        translated(QT_TRANSLATE_NOOP("Command", "Output format: text (the default), tsv, json, csv or github.")),
        QStringLiteral("FORMAT"), QStringLiteral("text"));
    const QCommandLineOption brokenOption(QStringLiteral("broken-only"),
                                          translated(QT_TRANSLATE_NOOP("Command", "Prints the NG links only.")));
    const QCommandLineOption quietOption(
        {QStringLiteral("q"), QStringLiteral("quiet")},
        translated(QT_TRANSLATE_NOOP("Command", "Prints nothing: the exit status speaks.")));
    const QCommandLineOption recursiveOption(
        {QStringLiteral("r"), QStringLiteral("recursive")},
        translated(QT_TRANSLATE_NOOP("Command",
                                     "Checks every *.htm and *.html file below each folder given, in sorted order.")));
    const QCommandLineOption encodingOption(
        QStringLiteral("encoding"),
        translated(QT_TRANSLATE_NOOP("Command", "auto (the default) detects each document's encoding; NAME reads "
                                                "every document in that code page. Web answers that name no encoding "
                                                "of their own are read in the document's.")),
        QStringLiteral("auto|NAME"), QStringLiteral("auto"));
    const TransferScheduler::Limits defaults;
    const QCommandLineOption jobsOption(
        QStringLiteral("jobs"),
        translated(QT_TRANSLATE_NOOP("Command", "Web requests made at once, over all hosts (default %1: enough to "
                                                "keep %2 hosts busy at the per-host limit, so the per-host limit is "
                                                "what bounds a check of many hosts); 1 checks one link after the "
                                                "other. The results are the same either way."))
            .arg(defaults.transfers)
            .arg(defaults.transfers / defaults.transfersPerHost),
        QStringLiteral("N"), QString::number(defaults.transfers));
    const QCommandLineOption perHostOption(
        QStringLiteral("per-host"),
        translated(
            QT_TRANSLATE_NOOP("Command", "Of those, at most N to one host (default %1), to be polite to servers."))
            .arg(defaults.transfersPerHost),
        QStringLiteral("N"), QString::number(defaults.transfersPerHost));
    const QCommandLineOption resourcesOption(
        QStringLiteral("resources"),
        translated(QT_TRANSLATE_NOOP("Command", "Checks what pages load as well: images (src and srcset), "
                                                "stylesheets and other <link href>, scripts, frames, media, "
                                                "objects, image buttons, image map areas and refresh URLs.")));
    const QCommandLineOption rootOption(
        QStringLiteral("root-dir"),
        translated(QT_TRANSLATE_NOOP("Command", "The folder root-relative links (/about.html) of local documents "
                                                "start from. Without it, the folder given with -r, else each "
                                                "document's own folder.")),
        QStringLiteral("DIR"));
    const RequestOptionSet requestOptions;
    parser.addOptions({helpOption, versionOption, formatOption, brokenOption, quietOption, recursiveOption,
                       encodingOption, jobsOption, perHostOption, resourcesOption, rootOption});
    parser.addOptions(requestOptions.all());
    const QCommandLineOption suggestOption(
        QStringLiteral("suggest"),
        translated(QT_TRANSLATE_NOOP("Command", "Adds to each link the values that could repair it, nearest first: "
                                                "files of nearly the same name or of the same name elsewhere, the "
                                                "nearest ids of the page, or where a web link moved for good (301, "
                                                "308). Not in tsv.")));
    parser.addOption(suggestOption);
    parser.addPositionalArgument(
        QStringLiteral("DOCUMENT"),
        translated(QT_TRANSLATE_NOOP("Command", "Local paths, folders (with -r) or http, https or ftp URLs.")),
        QStringLiteral("DOCUMENT..."));

    if (!parser.parse(arguments))
        return failure(parser.errorText());
    if (parser.isSet(helpOption))
        return {ParsedCommand::Action::ShowText, {}, parser.helpText()};
    if (parser.isSet(versionOption))
        return {ParsedCommand::Action::ShowText, {}, QStringLiteral("tarnwick-check %1\n").arg(appVersionText())};

    CheckOptions options;
    options.documents = parser.positionalArguments();
    if (options.documents.isEmpty())
        return failure(translated(QT_TRANSLATE_NOOP("Command", "Give at least one DOCUMENT (see --help).")));
    const std::optional<ReportFormat> format = formatNamed(parser.value(formatOption));
    if (!format)
        return failure(translated(QT_TRANSLATE_NOOP("Command", "Unknown format: %1 (text, tsv, json, csv or github)."))
                           .arg(parser.value(formatOption)));
    options.format = *format;
    options.settings.encoding = parser.value(encodingOption);
    if (!isUsableEncodingSetting(options.settings.encoding))
        return failure(translated(QT_TRANSLATE_NOOP("Command", "Unknown encoding: %1")).arg(options.settings.encoding));
    const std::optional<int> jobs = countValue(parser.value(jobsOption));
    const std::optional<int> perHost = countValue(parser.value(perHostOption));
    if (!jobs || !perHost)
        return failure(
            translated(QT_TRANSLATE_NOOP("Command", "--jobs and --per-host take a whole number of at least 1.")));
    options.settings.limits = {*jobs, *perHost};
    options.settings.resources = parser.isSet(resourcesOption);
    options.settings.siteRoot = parser.value(rootOption);
    if (const std::optional<QString> why = readRequestOptions(parser, requestOptions, options.settings))
        return failure(*why);
    options.brokenOnly = parser.isSet(brokenOption);
    options.quiet = parser.isSet(quietOption);
    options.recursive = parser.isSet(recursiveOption);
    options.suggest = parser.isSet(suggestOption);
    return {ParsedCommand::Action::Check, options, QString()};
}
