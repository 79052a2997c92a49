#pragma once

#include <QPointer>
#include <QWidget>

class QPushButton;
class QTextEdit;

// The legend of the link colours: seven lines, each written in the colour it explains, giving the
// meaning and the name of the link kind. A modeless window without owner; at most one is open.
class SFrm_ColorHelp : public QWidget {
    Q_OBJECT
public:
    // Shows the legend: a new one when none is open, else the open one brought up again as it is.
    // The legend closes when mainWindow closes (once the close has gone through and the window is
    // hidden; a minimised main window leaves it open). mainWindow must not be null. Returns the
    // legend shown.
    static SFrm_ColorHelp* showFor(QWidget* mainWindow);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit SFrm_ColorHelp(QWidget* mainWindow);
    void Form_Load();
    void RTextB_GotFocus();
    void fitTextBox();

    QPointer<QWidget> m_mainWindow;
    QTextEdit* m_rtextB;
    QPushButton* m_command1;
};
