// The main window's site: a folder opened as a site, its pages checked in one run and opened one by one.

#include "MainWindow.h"

#include "EncodingMenu.h"
#include "SitePanel.h"
#include "WindowProgress.h"
#include "common/Prompter.h"
#include "common/SearchCopy.h"
#include "editor/LinkSpans.h"
#include "web/Site.h"

#include <QAction>
#include <QLabel>
#include <QMenu>

void MainWindow::createSitePanel()
{
    m_sitePanel = new SitePanel(m_previousFailedPageAction, m_nextFailedPageAction, this);
    addDockWidget(Qt::LeftDockWidgetArea, m_sitePanel);
    m_sitePanel->hide();
    QAction* toggle = m_sitePanel->toggleViewAction();
    toggle->setObjectName(QStringLiteral("sitePanelAction"));
    m_viewMenu->addAction(toggle);
    connect(m_sitePanel, &SitePanel::pageChosen, this, &MainWindow::onSitePageChosen);
    connect(m_sitePanel, &SitePanel::saveCsvRequested, this, &MainWindow::onSaveSiteCsvRequested);
}

void MainWindow::onOpenFolderTriggered()
{
    const QString folder = trimBlanks(m_prompter.chooseFile(FileDialogKind::OpenFolder));
    if (!folder.isEmpty())
        openSite(folder);
}

void MainWindow::openSite(const QString& folder)
{
    if (m_run.isBusy)
        return;
    m_sitePanel->showSite(nullptr);
    m_site = std::make_unique<Site>(folder, *m_web, m_settings);
    const int total = int(m_site->pages().size());
    connect(m_site.get(), &Site::pageDecided, this, [this, total] {
        m_sitePanel->showProgress(m_site->decidedCount(), total);
        if (m_site->isRunning())
            m_progress->setProgressValue(m_site->decidedCount());
    });
    connect(m_site.get(), &Site::runFinished, this, &MainWindow::onSiteRunFinished);
    m_sitePanel->showSite(m_site.get());
    m_sitePanel->show();
    m_sitePanel->raise();
    beginOperation();
    showLoadingStatus();
    m_operationStatus->setText(tr("Checking the site..."));
    m_progress->setProgressRange(0, total);
    m_progress->setProgressVisible(true);
    m_site->startRun();
}

void MainWindow::onSiteRunFinished()
{
    endOperation();
}

int MainWindow::currentSitePage() const
{
    return m_site && m_document.docIsFile ? m_site->indexOf(m_document.docPath) : -1;
}

void MainWindow::onSitePageChosen(int index)
{
    if (m_run.isBusy || !m_site || index == currentSitePage() || !confirmDiscardEdits())
        return;
    // The web answers of the site's run serve the page: it is painted without a new request.
    startLoad(m_site->pages()[size_t(index)].path);
}

void MainWindow::onFailedPageTriggered(bool forward)
{
    if (m_run.isBusy || !m_site)
        return;
    const std::optional<int> page = m_sitePanel->failedPageFrom(currentSitePage(), forward);
    if (!page) {
        m_prompter.ask({PromptId::LinkNotFound});
        return;
    }
    m_sitePanel->selectPage(*page);
    onSitePageChosen(*page);
}

void MainWindow::onSaveSiteCsvRequested()
{
    saveCsv(m_sitePanel->csvText());
}

void MainWindow::updateSitePage()
{
    const int index = currentSitePage();
    if (index < 0)
        return;
    std::vector<LinkEntry> links;
    links.reserve(size_t(m_spans->count()));
    for (int span = 0; span < m_spans->count(); ++span)
        links.push_back(m_spans->at(span).link);
    // Its ids may have changed: pages linking into it read it again.
    m_site->pageAnchors().forget(m_document.docPath);
    m_site->updatePage(index, std::move(links), m_document.encoding.displayName());
    m_sitePanel->selectPage(index);
}
