#pragma once

class QAbstractButton;
class QAction;

// Makes a push button one more way to trigger an action: a click triggers it, and the button is enabled
// exactly while the action is, so a command's enabled state lives in one place, its action.
void bindButton(QAbstractButton* button, QAction* action);
