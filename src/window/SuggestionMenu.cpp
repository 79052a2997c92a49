#include "SuggestionMenu.h"

#include <QCoreApplication>
#include <QMenu>

void popUpSuggestions(const QStringList& suggestions, const QPoint& globalPosition, QWidget* parent,
                      const std::function<void(const QString& value)>& chosen)
{
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("suggestionMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (const QString& value : suggestions) {
        // A value's "&" is no access key.
        QAction* item = menu->addAction(QString(value).replace(u'&', QStringLiteral("&&")));
        QObject::connect(item, &QAction::triggered, menu, [chosen, value] { chosen(value); });
    }
    if (suggestions.isEmpty())
        menu->addAction(QCoreApplication::translate("SuggestionMenu", "No suggestions"))->setEnabled(false);
    menu->popup(globalPosition);
}
