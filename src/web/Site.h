#pragma once

#include "AnswerMemo.h"
#include "CheckSettings.h"
#include "links/LinkReason.h"
#include "links/LinkTable.h"
#include "links/PageAnchors.h"
#include "links/ReasonDescription.h"

#include <QObject>

#include <memory>
#include <vector>

class DocumentCheckJob;
class SiteCheckJob;
class WebCheck;

// One page of a site, as the site's run (or a later check in the editor) left it: its verdicts, without its
// text.
struct SitePage {
    QString path;         // as the file system names it (NativeName.h)
    QString relativePath; // below the site's folder, as a terminal shows it
    bool decided = false;
    QString encoding;                // once read
    QList<ReasonPart> whyUnreadable; // a page that could not be read
    std::vector<LinkEntry> links;

    // The links of a class whose result failed; all failed links for nothing.
    int failedCount(std::optional<LinkClass> linkClass = std::nullopt) const;
};

// A folder opened as a site: every page below it (pagesBelow), one run that checks them all, and what that
// run learnt, kept for the pages opened in the editor afterwards: the web's answers, so that an opened page
// asks nothing again, and the ids and names of the pages. Root-relative links start from the folder.
// While it lives, the web check answers from its memo.
class Site : public QObject {
    Q_OBJECT
public:
    Site(QString folder, WebCheck& web, CheckSettings settings, QObject* parent = nullptr);
    ~Site() override;

    const QString& folder() const { return m_folder; }
    const std::vector<SitePage>& pages() const { return m_pages; }
    // The page a path names; -1 for none.
    int indexOf(const QString& path) const;
    // The settings of a check of one of its pages: the window's, with the site's root.
    const CheckSettings& settings() const { return m_settings; }
    PageAnchors& pageAnchors() { return m_anchors; }

    // Checks every page; pageDecided() as each is done, then runFinished().
    void startRun();
    // Stops the run; the pages decided keep their rows.
    void stopRun();
    bool isRunning() const { return bool(m_run); }
    int decidedCount() const { return m_decided; }

    // A page was checked again in the editor: its row takes the new verdicts.
    void updatePage(int index, std::vector<LinkEntry> links, const QString& encoding);
    // Before a page is checked again: its web links are asked again, and the pages it leads into read again.
    void forgetAnswersOf(int index);

signals:
    void pageDecided(int index);
    void runFinished();

private:
    void onDocumentChecked(int index, const DocumentCheckJob& job);

    const QString m_folder;
    WebCheck& m_web;
    CheckSettings m_settings;
    std::vector<SitePage> m_pages;
    AnswerMemo m_memo;
    PageAnchors m_anchors;
    std::unique_ptr<SiteCheckJob> m_run;
    int m_decided = 0;
};
