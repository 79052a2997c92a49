#include "ActionButton.h"

#include <QAbstractButton>
#include <QAction>

void bindButton(QAbstractButton* button, QAction* action)
{
    button->setEnabled(action->isEnabled());
    QObject::connect(button, &QAbstractButton::clicked, action, &QAction::trigger);
    QObject::connect(action, &QAction::enabledChanged, button, &QWidget::setEnabled);
}
