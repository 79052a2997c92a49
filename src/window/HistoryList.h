#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

class History;
class QComboBox;
struct RunState;

// Binds the history of opened files to the history list: shows the entries' titles, keeps the
// drop-down wide enough for the longest one, and opens the entry the user picks.
class HistoryList : public QObject {
    Q_OBJECT
public:
    // The unsaved-edits guard: true lets an open go on.
    using Guard = std::function<bool()>;
    // Puts a path into the path box and loads it.
    using Open = std::function<void(const QString& path)>;

    HistoryList(History& history, QComboBox* combo, const RunState& run, Guard guard, Open open,
                QObject* parent = nullptr);

    // The start-up fill, after the history was read: the titles, item 0 selected. The drop-down keeps
    // its width until the history first changes.
    void fill();

private:
    void refill(const QStringList& titles);
    void showTitles(const QStringList& titles);
    void onEntryPicked(int index);

    History& m_history;
    QComboBox* m_combo;
    const RunState& m_run;
    Guard m_guard;
    Open m_open;
};
