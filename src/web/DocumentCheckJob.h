#pragma once

#include "CheckSettings.h"
#include "LoadJob.h"
#include "WebCheck.h"
#include "common/Document.h"
#include "links/LinkCheckJob.h"

#include <QObject>

#include <memory>

class Prompter;

// Reads a document and checks its links, without an editor: the route of tarnwick-check. A local file
// without an HTML start tag is checked only when the prompter says so; bytes of the file the text does
// not hold are reported through the prompter once the links are checked.
class DocumentCheckJob : public QObject {
    Q_OBJECT
public:
    enum class Outcome { Checked, ReadFailed, Declined };

    // settings: the encoding to read the document in, whether the addresses tags load are links too, and the
    // site's root. pageAnchors: the pages file links lead into, shared by a run; null: file links count by
    // existence alone.
    DocumentCheckJob(WebCheck& web, Prompter& prompter, const QString& path, const CheckSettings& settings,
                     PageAnchors* pageAnchors, QObject* parent = nullptr);
    ~DocumentCheckJob() override;

    // finished() follows, never from inside this call.
    void start();

    // Once finished:
    Outcome outcome() const { return m_outcome; }
    // ReadFailed: why, in the phrases of the reasons of links.
    const QList<ReasonPart>& readFailure() const { return m_load.failure(); }
    const Document& document() const { return m_document; }
    const LinkTable& table() const;
    // Where the document's links led from, once it was read.
    CheckContext checkContext() const;
    // The web check of the document's links (its not-found cache), once the document was read.
    const DocumentWebCheck* documentWeb() const { return m_documentWeb.get(); }

signals:
    // The check of the links starts (its progress is reported by the check's own signals).
    void checkStarted(LinkCheckJob* check);
    void finished();

private:
    void onLoaded();
    void onChecked();

    WebCheck& m_web;
    Prompter& m_prompter;
    const CheckSettings m_settings;
    PageAnchors* m_pageAnchors;
    LoadJob m_load;
    Outcome m_outcome = Outcome::ReadFailed;
    Document m_document;
    std::unique_ptr<DocumentWebCheck> m_documentWeb;
    std::unique_ptr<LinkCheckJob> m_check;
};
