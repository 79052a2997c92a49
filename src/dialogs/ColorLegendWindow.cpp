#include "ColorLegendWindow.h"

#include "AppIcon.h"
#include "ScreenPlacement.h"
#include "WindowFrame.h"
#include "editor/ShownColor.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QtMath>

#include <vector>

ColorLegendWindow* ColorLegendWindow::showFor(QWidget* mainWindow, const QList<Line>& lines)
{
    // A closed legend lingers hidden until its deferred deletion: only a visible one counts as open.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* legend = qobject_cast<ColorLegendWindow*>(window);
        if (legend && legend->isVisible()) {
            legend->showNormal();
            legend->raise();
            legend->activateWindow();
            return legend;
        }
    }
    auto* legend = new ColorLegendWindow(mainWindow, lines);
    // Beside the main window, where it can be read along with the text; not over the links it explains.
    legend->adjustSize();
    legend->move(positionBeside(mainWindow->frameGeometry(), legend->size().grownBy(expectedFrameMargins(*legend)),
                                mainWindow->screen()->availableGeometry()));
    legend->show();
    return legend;
}

ColorLegendWindow::ColorLegendWindow(QWidget* mainWindow, const QList<Line>& lines)
    : QWidget(nullptr), m_mainWindow(mainWindow), m_lines(lines), m_legendText(new QTextEdit),
      m_okButton(new QPushButton)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Link colours"));
    setWindowIcon(appIcon());

    auto* headingLabel = new QLabel(tr("The colours of links and what they mean"));
    headingLabel->setObjectName(QStringLiteral("headingLabel"));

    m_legendText->setObjectName(QStringLiteral("legendText"));
    m_legendText->setReadOnly(true);
    m_legendText->setLineWrapMode(QTextEdit::NoWrap);
    // A proportional gothic face standing in for the legend's own, bold at 11.25 points.
    QFont legendFont(QStringLiteral("IPAPGothic"));
    legendFont.setStyleHint(QFont::SansSerif);
    legendFont.setPointSizeF(11.25);
    legendFont.setBold(true);
    m_legendText->setFont(legendFont);
    m_legendText->installEventFilter(this);

    m_okButton->setObjectName(QStringLiteral("okButton"));
    m_okButton->setText(tr("OK(&O)"));
    connect(m_okButton, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_okButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(headingLabel);
    layout->addWidget(m_legendText);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    buildLegend();
    fitLegendText();
    m_okButton->setFocus();
    mainWindow->installEventFilter(this);
}

bool ColorLegendWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_legendText && event->type() == QEvent::FocusIn)
        onLegendTextFocused();
    // A new palette (a dark one, say) may show the colours otherwise.
    else if (watched == m_legendText && event->type() == QEvent::PaletteChange)
        buildLegend();
    // A hidden main window has been closed for good (a minimised one is not hidden in this sense), and
    // no window of the program outlives it.
    else if (watched == m_mainWindow && event->type() == QEvent::Hide && m_mainWindow->isHidden())
        close();
    return QWidget::eventFilter(watched, event);
}

void ColorLegendWindow::buildLegend()
{
    // One line per display class: its sentence, then its name in parentheses, in its colour; the lines are
    // paragraphs of the legend's document.
    QTextDocument* legend = m_legendText->document();
    legend->clear();
    QTextCursor writer(legend);
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        if (i > 0)
            writer.insertBlock();
        QTextCharFormat format;
        format.setForeground(shownLinkColor(m_lines[i].color, m_legendText->palette()));
        writer.insertText(m_lines[i].sentence + u'(' + m_lines[i].label + u')', format);
    }
    // The caret at the beginning, nothing selected.
    m_legendText->setTextCursor(QTextCursor(m_legendText->document()));
}

void ColorLegendWindow::onLegendTextFocused()
{
    // The legend is never edited: the keyboard stays with the OK button.
    m_okButton->setFocus();
}

void ColorLegendWindow::fitLegendText()
{
    // Large enough for the seven lines, unwrapped and without scroll bars, with a character's room to
    // spare at the right.
    QTextDocument* document = m_legendText->document();
    const int frame = 2 * m_legendText->frameWidth();
    m_legendText->setFixedSize(qCeil(document->idealWidth()) + m_legendText->fontMetrics().averageCharWidth() + frame,
                               qCeil(document->size().height()) + frame);
}
