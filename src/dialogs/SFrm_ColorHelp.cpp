#include "SFrm_ColorHelp.h"

#include "AppIcon.h"
#include "common/RichTextBox.h"
#include "links/LinkKinds.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QtMath>

#include <vector>

SFrm_ColorHelp* SFrm_ColorHelp::showFor(QWidget* mainWindow)
{
    // A closed legend lingers hidden until its deferred deletion: only a visible one counts as open.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* legend = qobject_cast<SFrm_ColorHelp*>(window);
        if (legend && legend->isVisible()) {
            legend->showNormal();
            legend->raise();
            legend->activateWindow();
            return legend;
        }
    }
    auto* legend = new SFrm_ColorHelp(mainWindow);
    legend->show();
    return legend;
}

SFrm_ColorHelp::SFrm_ColorHelp(QWidget* mainWindow)
    : QWidget(nullptr), m_mainWindow(mainWindow), m_rtextB(new QTextEdit), m_command1(new QPushButton)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("リンク文字列の色"));
    setWindowIcon(appIcon());

    auto* label1 = new QLabel(QStringLiteral("リンク文字列の色と意味"));
    label1->setObjectName(QStringLiteral("Label1"));

    m_rtextB->setObjectName(QStringLiteral("RTextB"));
    m_rtextB->setReadOnly(true);
    m_rtextB->setLineWrapMode(QTextEdit::NoWrap);
    // A proportional gothic face standing in for the legend's own, bold at 11.25 points.
    QFont legendFont(QStringLiteral("IPAPGothic"));
    legendFont.setStyleHint(QFont::SansSerif);
    legendFont.setPointSizeF(11.25);
    legendFont.setBold(true);
    m_rtextB->setFont(legendFont);
    m_rtextB->installEventFilter(this);

    m_command1->setObjectName(QStringLiteral("Command1"));
    m_command1->setText(QStringLiteral("OK(&O)"));
    connect(m_command1, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_command1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label1);
    layout->addWidget(m_rtextB);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    Form_Load();
    fitTextBox();
    m_command1->setFocus();
    mainWindow->installEventFilter(this);
}

bool SFrm_ColorHelp::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_rtextB && event->type() == QEvent::FocusIn)
        RTextB_GotFocus();
    // A hidden main window has been closed for good (a minimised one is not hidden in this sense), and
    // no window of the program outlives it.
    else if (watched == m_mainWindow && event->type() == QEvent::Hide && m_mainWindow->isHidden())
        close();
    return QWidget::eventFilter(watched, event);
}

void SFrm_ColorHelp::Form_Load()
{
    struct Span {
        int start;
        int length;
        Colorref color;
    };
    // One line per display class, in list order: the caret sentence, then the label in parentheses.
    // Every line but the last ends with CR LF, and each line's span covers its break.
    QString text;
    std::vector<Span> spans;
    for (int kind = AnyLinkKind + 1; kind < LinkKindCount; ++kind) {
        const LinkKind& entry = LinkKinds[kind];
        const int start = int(text.size());
        text += QString::fromUtf16(entry.sentence) + u'(' + QString::fromUtf16(entry.label) + u')';
        if (kind < LinkKindCount - 1)
            text += QStringLiteral("\r\n");
        spans.push_back({start, int(text.size()) - start, entry.color});
    }
    RichTextBox legend(m_rtextB->document());
    legend.setText(text);
    legend.beginBatch();
    for (const Span& span : spans) {
        legend.setSelection(span.start, span.length);
        legend.setSelColor(span.color);
    }
    legend.endBatch();
    // The caret at the beginning, nothing selected.
    m_rtextB->setTextCursor(QTextCursor(m_rtextB->document()));
}

void SFrm_ColorHelp::RTextB_GotFocus()
{
    // The legend is never edited: the keyboard stays with the OK button.
    m_command1->setFocus();
}

void SFrm_ColorHelp::fitTextBox()
{
    // Large enough for the seven lines, unwrapped and without scroll bars, with a character's room to
    // spare at the right.
    QTextDocument* document = m_rtextB->document();
    const int frame = 2 * m_rtextB->frameWidth();
    m_rtextB->setFixedSize(qCeil(document->idealWidth()) + m_rtextB->fontMetrics().averageCharWidth() + frame,
                           qCeil(document->size().height()) + frame);
}
