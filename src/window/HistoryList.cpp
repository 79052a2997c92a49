#include "HistoryList.h"

#include "common/DocumentState.h"
#include "store/History.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontMetrics>

HistoryList::HistoryList(History& history, QComboBox* Cmb1, const DocumentState& state, Guard guard, Open open,
                         QObject* parent)
    : QObject(parent), m_history(history), m_cmb1(Cmb1), m_state(state), m_guard(std::move(guard)),
      m_open(std::move(open))
{
    // activated reports the user's picks only (the same entry again included), never the program's own
    // selections, so refilling the list starts no load.
    connect(m_cmb1, &QComboBox::activated, this, &HistoryList::Cmb1_Click);
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
    const QFontMetrics metrics(m_cmb1->view()->font());
    int widest = 0;
    for (const QString& title : titles)
        widest = qMax(widest, metrics.horizontalAdvance(QChar(u' ') + title));
    m_cmb1->view()->setMinimumWidth(widest);
}

void HistoryList::showTitles(const QStringList& titles)
{
    m_cmb1->clear();
    m_cmb1->addItems(titles);
    m_cmb1->setCurrentIndex(0); // none on an empty list
}

void HistoryList::Cmb1_Click(int index)
{
    if (m_state.IsBusy || index < 0 || index >= m_history.HistoryCount())
        return;
    // On No the list keeps showing the picked entry, as the user left it.
    if (!m_guard())
        return;
    m_open(m_history.HistoryPaths().at(index));
}
