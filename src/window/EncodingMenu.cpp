#include "EncodingMenu.h"

#include "common/Document.h"

#include <QActionGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

namespace {

struct Item {
    const char* caption;
    const char* encoding; // as DocumentLoader::load takes it; "UTF-16" finds its byte order in the document
};

constexpr Item Items[] = {
    {"UTF-8", "UTF-8"},   {"Shift_JIS", "CP932"},           {"EUC-JP", "EUC-JP"}, {"ISO-2022-JP", "ISO-2022-JP"},
    {"UTF-16", "UTF-16"}, {"Windows-1252", "WINDOWS-1252"},
};

// Whether an item stands for the encoding a document was read in.
bool standsFor(const QString& item, const QString& name)
{
    return name == item || (item == u"UTF-16" && (name == u"UTF-16LE" || name == u"UTF-16BE"));
}

} // namespace

EncodingMenu::EncodingMenu(const Document& document, QMenuBar* menuBar, QWidget* statusStrip, QObject* parent)
    : QObject(parent), m_document(document)
{
    m_menu = menuBar->addMenu(tr("&Encoding"));
    m_menu->setObjectName(QStringLiteral("encodingMenu"));
    m_items = new QActionGroup(this);
    // A document in an encoding the menu does not list marks no item.
    m_items->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (const Item& item : Items) {
        QAction* action = m_menu->addAction(QString::fromLatin1(item.caption));
        action->setCheckable(true);
        action->setData(QString::fromLatin1(item.encoding));
        m_items->addAction(action);
    }
    connect(m_items, &QActionGroup::triggered, this, [this](QAction* action) {
        emit encodingChosen(action->data().toString());
        // The reopen ran to its end, or was declined: the marks follow the document either way.
        refresh(true);
    });

    m_label = new QLabel(statusStrip);
    m_label->setObjectName(QStringLiteral("encodingLabel"));
    // Only the label is laid out: the strip's other children keep the places they are given.
    auto* layout = new QHBoxLayout(statusStrip);
    layout->setContentsMargins(0, 0, 6, 0);
    layout->addStretch();
    layout->addWidget(m_label);
    refresh(true);
}

void EncodingMenu::refresh(bool idle)
{
    const bool loaded = m_document.docLoaded;
    m_menu->setEnabled(idle && loaded);
    m_label->setText(loaded ? m_document.encoding.displayName() : QString());
    for (QAction* action : m_items->actions())
        action->setChecked(loaded && standsFor(action->data().toString(), m_document.encoding.name));
}
