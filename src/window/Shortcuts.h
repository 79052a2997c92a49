#pragma once

#include <QKeySequence>

class QAbstractButton;
class QAction;
class QWidget;

// Keeps an action enabled exactly while a control is: a menu item or a shortcut that runs the control's
// command then never fires while the control could not be pressed (during a load, a check, a move).
void followEnabledState(QAction* action, QWidget* control);

// A window-wide keyboard shortcut for a push button: an action on the window that clicks the button, so the
// key runs the very slot the button runs, with its guards and questions, and only while the button is enabled.
// name: the action's object name.
QAction* addButtonShortcut(QWidget* window, QAbstractButton* button, const QKeySequence& keys, const char* name);
