#include "DocumentLoader.h"

#include "WebCheck.h"
#include "common/Document.h"
#include "common/CodePage.h"
#include "common/DocumentFile.h"
#include "common/DocumentSource.h"
#include "common/Prompter.h"
#include "common/RunState.h"
#include "links/LinkScanner.h"

bool readDocument(const DocumentSource& source, Document& document, const CodePage& codePage, WebCheck& web)
{
    if (!source.isUrl)
        return readLocalFile(source.path, codePage, document.htmlData);
    const auto fetched = web.fetchDocument(source.path);
    if (!fetched)
        return false;
    document.htmlData = fetched->body.isEmpty() ? QString() : codePage.decode(fetched->body);
    return true;
}

DocumentLoader::DocumentLoader(Document& document, RunState& run, const CodePage& codePage, WebCheck& web,
                               LinkScanner& scanner, Prompter& prompter)
    : m_document(document), m_run(run), m_codePage(codePage), m_web(web), m_scanner(scanner), m_prompter(prompter)
{
}

DocumentLoader::Outcome DocumentLoader::load(const QString& pathBoxText)
{
    Outcome outcome = readAndCheck(DocumentSource::fromPathBox(pathBoxText));
    if (m_run.abort.isRequested()) {
        m_prompter.ask({PromptId::LoadStopped});
        if (outcome != Outcome::Loaded)
            outcome = Outcome::Stopped;
    }
    return outcome;
}

DocumentLoader::Outcome DocumentLoader::readAndCheck(const DocumentSource& source)
{
    m_document.docPath.clear();
    m_document.docBase.clear();
    m_web.clearNotFoundCache();

    if (source.isEmpty() || !readDocument(source, m_document, m_codePage, m_web)) {
        m_prompter.ask({PromptId::ReadFailed});
        return Outcome::ReadFailed;
    }
    if (!source.isUrl && !checkHtmlTag(m_document.htmlData) &&
        m_prompter.ask({PromptId::NoHtmlTag}) != Prompter::Answer::Yes)
        return Outcome::Declined;
    m_document.docBase = source.base;
    m_document.docIsFile = !source.isUrl;

    if (!m_scanner.checkAllLinks(m_document.docBase, m_document.docIsFile, true))
        return Outcome::Failed;
    if (m_document.docIsFile && m_localFileLoaded)
        m_localFileLoaded(source.path);
    m_document.docPath = source.path;
    m_document.docLoaded = true;
    return Outcome::Loaded;
}
