#include "FindBar.h"

#include <QAction>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// A button showing its action's text without the access key: the bar's keys are Enter, Shift+Enter and Escape.
QToolButton* buttonFor(QAction* action)
{
    auto* button = new QToolButton;
    button->setDefaultAction(action);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return button;
}

template <typename Widget> Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

FindBar::FindBar(const Actions& actions, QWidget* parent)
    : QWidget(parent), m_actions(actions), m_patternEdit(named(new QLineEdit, "findPatternEdit")),
      m_matchCaseBox(named(new QCheckBox(tr("Match case")), "matchCaseCheckBox")),
      m_regularExpressionBox(named(new QCheckBox(tr("Regular expression")), "regularExpressionCheckBox")),
      m_outcomeLabel(named(new QLabel, "findOutcomeLabel")), m_replaceRow(named(new QWidget, "replaceRow")),
      m_replacementEdit(named(new QLineEdit, "replacementEdit")),
      m_linkValuesBox(named(new QCheckBox(tr("Link values only")), "linkValuesCheckBox"))
{
    setObjectName(QStringLiteral("findBar"));
    auto* close = new QAction(tr("Close"), this);
    close->setObjectName(QStringLiteral("closeFindBarAction"));
    close->setShortcut(Qt::Key_Escape);
    close->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(close, &QAction::triggered, this, [this] {
        hide();
        emit closed();
    });
    addAction(close);

    auto* findLabel = new QLabel(tr("Find:"));
    findLabel->setBuddy(m_patternEdit);
    auto* findRow = new QHBoxLayout;
    findRow->setContentsMargins(0, 0, 0, 0);
    findRow->addWidget(findLabel);
    findRow->addWidget(m_patternEdit, 1);
    findRow->addWidget(buttonFor(actions.findPrevious));
    findRow->addWidget(buttonFor(actions.findNext));
    findRow->addWidget(m_matchCaseBox);
    findRow->addWidget(m_regularExpressionBox);
    findRow->addWidget(m_outcomeLabel);
    findRow->addWidget(buttonFor(close));

    auto* replaceLabel = new QLabel(tr("Replace with:"));
    replaceLabel->setBuddy(m_replacementEdit);
    auto* replaceRow = new QHBoxLayout(m_replaceRow);
    replaceRow->setContentsMargins(0, 0, 0, 0);
    replaceRow->addWidget(replaceLabel);
    replaceRow->addWidget(m_replacementEdit, 1);
    replaceRow->addWidget(buttonFor(actions.replaceOne));
    replaceRow->addWidget(buttonFor(actions.replaceAll));
    replaceRow->addWidget(m_linkValuesBox);

    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(4, 2, 4, 2);
    rows->setSpacing(2);
    rows->addLayout(findRow);
    rows->addWidget(m_replaceRow);

    // What was said of the last command no longer holds once the query changes.
    connect(m_patternEdit, &QLineEdit::textChanged, m_outcomeLabel, &QLabel::clear);
    for (QCheckBox* box : {m_matchCaseBox, m_regularExpressionBox, m_linkValuesBox})
        connect(box, &QCheckBox::toggled, m_outcomeLabel, &QLabel::clear);
    m_patternEdit->installEventFilter(this);
    hide();
}

void FindBar::open(bool withReplaceRow, const QString& pattern)
{
    m_replaceRow->setVisible(withReplaceRow);
    if (!pattern.isEmpty())
        m_patternEdit->setText(pattern);
    focusPattern();
}

void FindBar::focusPattern()
{
    show();
    m_patternEdit->selectAll();
    m_patternEdit->setFocus();
}

SearchQuery FindBar::query() const
{
    return {m_patternEdit->text(), m_matchCaseBox->isChecked(), m_regularExpressionBox->isChecked(),
            m_replaceRow->isVisibleTo(this) && m_linkValuesBox->isChecked()};
}

QString FindBar::replacement() const
{
    return m_replacementEdit->text();
}

void FindBar::showOutcome(const QString& text)
{
    m_outcomeLabel->setText(text);
}

bool FindBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_patternEdit && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            (key->modifiers() & Qt::ShiftModifier ? m_actions.findPrevious : m_actions.findNext)->trigger();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
