#include "HistoryList.h"

#include "common/RunState.h"
#include "store/History.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontMetrics>

HistoryList::HistoryList(History& history, QComboBox* combo, const RunState& run, Guard guard, Open open,
                         QObject* parent)
    : QObject(parent), m_history(history), m_combo(combo), m_run(run), m_guard(std::move(guard)),
      m_open(std::move(open))
{
    // activated reports the user's picks only (the same entry again included), never the program's own
    // selections, so refilling the list starts no load.
    connect(m_combo, &QComboBox::activated, this, &HistoryList::onEntryPicked);
    connect(&m_history, &History::titlesChanged, this, &HistoryList::refill);
}

void HistoryList::fill()
{
    showTitles(m_history.titles());
}

void HistoryList::refill(const QStringList& titles)
{
    showTitles(titles);
    // Every title is measured, in the list's own font, with one space as margin. The drop-down is
    // never narrower than the box itself, whatever its minimum.
    const QFontMetrics metrics(m_combo->view()->font());
    int widest = 0;
    for (const QString& title : titles)
        widest = qMax(widest, metrics.horizontalAdvance(QChar(u' ') + title));
    m_combo->view()->setMinimumWidth(widest);
}

void HistoryList::showTitles(const QStringList& titles)
{
    m_combo->clear();
    m_combo->addItems(titles);
    m_combo->setCurrentIndex(0); // none on an empty list
}

void HistoryList::onEntryPicked(int index)
{
    if (m_run.isBusy || index < 0 || index >= m_history.historyCount())
        return;
    // On No the list keeps showing the picked entry, as the user left it.
    if (!m_guard())
        return;
    m_open(m_history.historyPaths().at(index));
}
