#include "DocumentLoader.h"

#include "SFrm_Inet.h"
#include "WebCheck.h"
#include "common/DocumentFile.h"
#include "common/DocumentState.h"
#include "common/Prompter.h"
#include "common/SearchCopy.h"
#include "links/LinkScanner.h"

#include <exception>

namespace {

const QString ReadFailedMessage = QStringLiteral("読み込みに失敗しました。");
const QString StoppedMessage = QStringLiteral("読み込みを中止しました。");
const QString NoHtmlTagWarning = QStringLiteral("HTMLタグが見つかりません｡\r\n"
                                                "HTMLファイルではない可能性があります｡\r\n"
                                                "書き込むを行うとファイルが壊れる可能性があります｡\r\n"
                                                "読込を続けますか？");

bool isUrl(const QString& path)
{
    const QString upper = upperCaseKeepingLength(trimBlanks(path));
    return upper.startsWith(QLatin1StringView("HTTP:")) || upper.startsWith(QLatin1StringView("HTTPS:")) ||
           upper.startsWith(QLatin1StringView("FTP:"));
}

} // namespace

bool Fnc_ReadDocument(const QString& path, bool& isFile, bool noUrl, DocumentState& state, const CodePage& codePage,
                      WebCheck& web)
{
    isFile = false;
    try {
        if (!noUrl && isUrl(path))
            return web.Fnc_ReadWebDocument(trimBlanks(path));
        if (!Fnc_ReadLocalFile(path, codePage, state.HtmlData))
            return false;
        isFile = true;
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

DocumentLoader::DocumentLoader(DocumentState& state, const CodePage& codePage, WebCheck& web, LinkScanner& scanner,
                               Prompter& prompter)
    : m_state(state), m_codePage(codePage), m_web(web), m_scanner(scanner), m_prompter(prompter)
{
}

DocumentLoader::Outcome DocumentLoader::load(const QString& pathBoxText)
{
    Outcome outcome = Outcome::Failed;
    {
        const InetSession inet(m_state, m_web);
        try {
            outcome = readAndCheck(trimBlanks(pathBoxText));
        } catch (const std::exception&) {
            outcome = Outcome::Failed;
        }
        if (m_state.AbortRequested) {
            m_prompter.message(StoppedMessage, Prompter::Buttons::Ok, Prompter::Answer::Ok);
            if (outcome != Outcome::Loaded)
                outcome = Outcome::Stopped;
        }
    }
    return outcome;
}

DocumentLoader::Outcome DocumentLoader::readAndCheck(const QString& path)
{
    m_state.DocPath.clear();
    m_state.DocBase.clear();
    m_web.Fnc_ClearNotFoundCache();

    bool isFile = false;
    if (!Fnc_ReadDocument(path, isFile, false, m_state, m_codePage, m_web)) {
        m_prompter.message(ReadFailedMessage, Prompter::Buttons::Ok, Prompter::Answer::Ok);
        return Outcome::ReadFailed;
    }
    if (isFile) {
        if (!Fnc_CheckHtmlTag(m_state.HtmlData) &&
            m_prompter.message(NoHtmlTagWarning, Prompter::Buttons::YesNo, Prompter::Answer::No) !=
                Prompter::Answer::Yes)
            return Outcome::Declined;
        m_state.DocBase = fileDocBase(path);
    } else {
        m_state.DocBase = urlDocBase(path);
    }
    m_state.DocIsFile = isFile;

    if (!m_scanner.Fnc_CheckAllLinks(m_state.DocBase, m_state.DocIsFile, true))
        return Outcome::Failed;
    if (m_state.DocIsFile && m_localFileLoaded)
        m_localFileLoaded(path);
    m_state.DocPath = path;
    m_state.DocLoaded = true;
    return Outcome::Loaded;
}
