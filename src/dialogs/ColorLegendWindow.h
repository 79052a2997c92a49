#pragma once

#include "common/Colorref.h"

#include <QList>
#include <QPointer>
#include <QWidget>

class QPushButton;
class QTextEdit;

// The legend of the link colours: seven lines, each written in the colour it explains, giving the
// meaning and the name of the link kind, in the colours the editor shows on the same palette. A modeless window
// without owner, opened beside the main window; at most one is open.
class ColorLegendWindow : public QWidget {
    Q_OBJECT
public:
    // One line of the legend: what the colour means, the link kind's name, the colour.
    struct Line {
        QString sentence;
        QString label;
        Colorref color;
    };

    // Shows the legend: a new one when none is open, else the open one brought up again as it is.
    // The legend closes when mainWindow closes (once the close has gone through and the window is
    // hidden; a minimised main window leaves it open). mainWindow must not be null. Returns the
    // legend shown.
    static ColorLegendWindow* showFor(QWidget* mainWindow, const QList<Line>& lines);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ColorLegendWindow(QWidget* mainWindow, const QList<Line>& lines);
    void buildLegend();
    void onLegendTextFocused();
    void fitLegendText();

    QPointer<QWidget> m_mainWindow;
    QList<Line> m_lines;
    QTextEdit* m_legendText;
    QPushButton* m_okButton;
};
