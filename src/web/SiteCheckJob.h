#pragma once

#include "CheckSettings.h"

#include <QList>
#include <QObject>
#include <QString>

#include <memory>

class DocumentCheckJob;

// One document of a run, and where its root-relative links start (empty: as the settings say).
struct RunDocument {
    QString path;
    QString siteRoot;
};
class PageAnchors;
class Prompter;
class WebCheck;

// Checks documents one after the other as one run: tarnwick-check's documents, or the pages of a site. One
// web check serves them all, so a URL is asked once per run and the limit per host holds over the run (the
// caller gives the web check an answer memo, which may outlive the run); each page a file link's fragment
// is looked up in is read once (PageAnchors).
class SiteCheckJob : public QObject {
    Q_OBJECT
public:
    // prompter: the questions of each document's check (a file without an HTML tag ...).
    SiteCheckJob(WebCheck& web, Prompter& prompter, QList<RunDocument> documents, CheckSettings settings,
                 PageAnchors& anchors, QObject* parent = nullptr);
    ~SiteCheckJob() override;

    // The first document starts on the next turn of the event loop.
    void start();
    // Stops the document under way at once; nothing more is emitted.
    void cancel();
    int count() const { return int(m_documents.size()); }

signals:
    // A document's check is about to start (its own signals tell its progress).
    void documentStarted(int index, DocumentCheckJob* job);
    // A document is checked, or could not be read: the job tells which, and what it found.
    void documentChecked(int index, const DocumentCheckJob& job);
    void finished();

private:
    void startNext();
    void onDocumentFinished();

    WebCheck& m_web;
    Prompter& m_prompter;
    const QList<RunDocument> m_documents;
    const CheckSettings m_settings;
    PageAnchors& m_anchors;
    int m_next = 0;
    bool m_cancelled = false;
    std::unique_ptr<DocumentCheckJob> m_job;
};
