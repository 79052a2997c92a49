#pragma once

#include <QStringList>

#include <functional>

class QPoint;
class QWidget;

// Pops up the values that could repair a link, one item each, best first; choosing one hands it to chosen.
// With none, the menu says so. The menu is not modal: it goes on its own once closed.
void popUpSuggestions(const QStringList& suggestions, const QPoint& globalPosition, QWidget* parent,
                      const std::function<void(const QString& value)>& chosen);
