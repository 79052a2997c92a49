#include "Site.h"

#include "DocumentCheckJob.h"
#include "SiteCheckJob.h"
#include "WebCheck.h"
#include "common/NativeName.h"
#include "common/PageListing.h"
#include "common/Prompter.h"

#include <algorithm>

namespace {

// A site's run asks nobody: a page without an HTML tag is checked all the same, as tarnwick-check does.
class AgreeingPrompter : public Prompter {
public:
    Answer ask(const Prompt& prompt) override { return buttonsOf(prompt.id) == Buttons::Ok ? Answer::Ok : Answer::Yes; }
    QString chooseFile(FileDialogKind) override { return QString(); }
};

AgreeingPrompter agreeingPrompter;

} // namespace

int SitePage::failedCount(std::optional<LinkClass> linkClass) const
{
    return int(std::count_if(links.cbegin(), links.cend(), [&](const LinkEntry& link) {
        return link.decided && isFailedResult(link.result) && (!linkClass || classOf(link.result) == *linkClass);
    }));
}

Site::Site(QString folder, WebCheck& web, CheckSettings settings, QObject* parent)
    : QObject(parent), m_folder(std::move(folder)), m_web(web), m_settings(std::move(settings)),
      m_anchors(m_settings.encoding)
{
    m_settings.siteRoot = m_folder;
    QString prefix = m_folder;
    if (!prefix.endsWith(u'/'))
        prefix += u'/';
    for (const QString& path : pagesBelow(m_folder)) {
        SitePage& page = m_pages.emplace_back();
        page.path = path;
        page.relativePath = shownName(path.startsWith(prefix) ? path.mid(prefix.size()) : path);
    }
    m_web.setAnswerMemo(&m_memo);
}

Site::~Site()
{
    m_run.reset();
    m_web.setAnswerMemo(nullptr);
}

int Site::indexOf(const QString& path) const
{
    const auto it =
        std::find_if(m_pages.cbegin(), m_pages.cend(), [&](const SitePage& page) { return page.path == path; });
    return it == m_pages.cend() ? -1 : int(it - m_pages.cbegin());
}

void Site::startRun()
{
    QList<RunDocument> documents;
    for (const SitePage& page : m_pages)
        documents.append({page.path, QString()});
    m_decided = 0;
    m_run = std::make_unique<SiteCheckJob>(m_web, agreeingPrompter, documents, m_settings, m_anchors);
    connect(m_run.get(), &SiteCheckJob::documentChecked, this, &Site::onDocumentChecked);
    connect(m_run.get(), &SiteCheckJob::finished, this, [this] {
        m_run.release()->deleteLater();
        emit runFinished();
    });
    m_run->start();
}

void Site::stopRun()
{
    if (!m_run)
        return;
    m_run->cancel();
    m_run.release()->deleteLater();
}

void Site::onDocumentChecked(int index, const DocumentCheckJob& job)
{
    SitePage& page = m_pages[size_t(index)];
    page.decided = true;
    if (job.outcome() == DocumentCheckJob::Outcome::Checked) {
        page.encoding = job.document().encoding.displayName();
        page.links = job.table().entries;
        page.whyUnreadable.clear();
    } else {
        page.whyUnreadable = job.readFailure();
    }
    ++m_decided;
    emit pageDecided(index);
}

void Site::updatePage(int index, std::vector<LinkEntry> links, const QString& encoding)
{
    SitePage& page = m_pages[size_t(index)];
    page.decided = true;
    page.links = std::move(links);
    page.encoding = encoding;
    page.whyUnreadable.clear();
    emit pageDecided(index);
}

void Site::forgetAnswersOf(int index)
{
    const SitePage& page = m_pages[size_t(index)];
    m_anchors.forget(page.path);
    for (const LinkEntry& link : page.links) {
        if (link.reason.kind == LinkReason::Kind::Web || link.reason.kind == LinkReason::Kind::WebThenFile)
            m_memo.forget(link.reason.target);
        else if (link.reason.kind == LinkReason::Kind::File)
            m_anchors.forget(link.reason.target);
    }
}
