#include "Shortcuts.h"

#include <QAbstractButton>
#include <QAction>
#include <QEvent>

namespace {

// Copies a control's enabled state to an action whenever it changes, the change through a parent included.
class EnabledStateFollower : public QObject {
public:
    EnabledStateFollower(QAction* action, QWidget* control) : QObject(action), m_action(action), m_control(control)
    {
        m_action->setEnabled(m_control->isEnabled());
        m_control->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_control && event->type() == QEvent::EnabledChange)
            m_action->setEnabled(m_control->isEnabled());
        return false;
    }

private:
    QAction* m_action;
    QWidget* m_control;
};

} // namespace

void followEnabledState(QAction* action, QWidget* control)
{
    new EnabledStateFollower(action, control);
}

QAction* addButtonShortcut(QWidget* window, QAbstractButton* button, const QKeySequence& keys, const char* name)
{
    auto* action = new QAction(window);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(action, &QAction::triggered, button, &QAbstractButton::click);
    followEnabledState(action, button);
    window->addAction(action);
    return action;
}
