#pragma once

#include "NotFoundCache.h"
#include "TransferScheduler.h"
#include "common/Document.h"
#include "common/DocumentFile.h"
#include "common/DocumentSource.h"
#include "links/ReasonDescription.h"

#include <QObject>

#include <optional>

class WebCheck;

// Reads the document a source names, as a job: a local file, or a page fetched by URL, whose
// Content-Type joins the detection of its encoding. A page is fetched with its host's answer for a page
// that surely does not exist; a page equal to that answer is no document, and the answer is kept for
// the check of the page's links. Nothing waits: the fetch goes on between turns of the event loop.
class LoadJob : public QObject {
    Q_OBJECT
public:
    // encoding: "auto" detects, a code page name forces that one (decodeDocumentText).
    LoadJob(WebCheck& web, DocumentSource source, QString encoding, QObject* parent = nullptr);
    ~LoadJob() override;

    // finished() follows, never from inside this call.
    void start();
    // Ends the job at once; finished() is not emitted.
    void cancel();

    const DocumentSource& source() const { return m_source; }
    // Once finished: the document's text, or nothing when it could not be read.
    const std::optional<DocumentText>& text() const { return m_text; }
    // Once finished without a text: why, in the phrases of the reasons of links.
    const QList<ReasonPart>& failure() const { return m_failure; }
    // Once finished with a text: the document as loaded from it.
    Document document() const;
    // Once finished: what was learnt of the host of a page fetched by URL (empty for a local file).
    const NotFoundCache& notFoundCache() const { return m_notFound; }

signals:
    void finished();

private:
    void readLocal();
    void onEnded(TransferScheduler::Ticket ticket);
    void takeDocument(const TransferScheduler::Outcome& outcome);
    void takeProbe(const TransferScheduler::Outcome& outcome);
    void finish();
    void failOnTheWeb(const WebVerdict& verdict);

    WebCheck& m_web;
    DocumentSource m_source;
    QString m_encoding;
    enum class Step { Document, Probe };
    Step m_step = Step::Document;
    std::optional<TransferScheduler::Ticket> m_ticket; // the request the job waits for
    bool m_cancelled = false;
    std::optional<DocumentText> m_text;
    std::optional<FileStamp> m_stamp; // of a local file read
    QList<ReasonPart> m_failure;
    QByteArray m_body; // of a page, until its probe has answered
    NotFoundCache m_notFound;
};
