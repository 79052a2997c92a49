#include "DocumentLoader.h"

#include "WebCheck.h"
#include "common/Document.h"
#include "common/DocumentFile.h"
#include "common/DocumentSource.h"
#include "common/Prompter.h"
#include "common/RunState.h"
#include "links/LinkScanner.h"

bool readDocument(const DocumentSource& source, Document& document, const QString& encoding, WebCheck& web)
{
    std::optional<QByteArray> bytes;
    QString contentType;
    if (!source.isUrl) {
        bytes = readLocalFile(source.path);
    } else if (auto fetched = web.fetchDocument(source.path)) {
        bytes = std::move(fetched->body);
        contentType = fetched->contentType;
    }
    if (!bytes)
        return false;
    DocumentText read = decodeDocumentText(*bytes, contentType, encoding);
    // The web check decodes answers in the document's encoding: its host's probe answer, fetched and
    // cached with the document, was decoded in the previous document's.
    if (source.isUrl && read.encoding.name != document.encoding.name)
        web.clearNotFoundCache();
    document.htmlData = std::move(read.text);
    document.encoding = read.encoding;
    document.readLoss = read.loss;
    return true;
}

DocumentLoader::DocumentLoader(Document& document, RunState& run, QString encoding, WebCheck& web, LinkScanner& scanner,
                               Prompter& prompter)
    : m_document(document), m_run(run), m_encoding(std::move(encoding)), m_web(web), m_scanner(scanner),
      m_prompter(prompter)
{
}

DocumentLoader::Outcome DocumentLoader::load(const QString& pathBoxText, const QString& encoding)
{
    Outcome outcome =
        readAndCheck(DocumentSource::fromPathBox(pathBoxText), encoding.isEmpty() ? m_encoding : encoding);
    if (m_run.abort.isRequested()) {
        m_prompter.ask({PromptId::LoadStopped});
        if (outcome != Outcome::Loaded)
            outcome = Outcome::Stopped;
    }
    if (outcome == Outcome::Loaded && m_document.readLoss.any())
        m_prompter.ask(readLossPrompt(PromptId::UnreadBytes, m_document.encoding, m_document.readLoss));
    return outcome;
}

DocumentLoader::Outcome DocumentLoader::readAndCheck(const DocumentSource& source, const QString& encoding)
{
    m_document.docPath.clear();
    m_document.docBase.clear();
    m_web.clearNotFoundCache();

    if (source.isEmpty() || !readDocument(source, m_document, encoding, m_web)) {
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
