#include "LinkKindChoice.h"

#include "WindowTexts.h"

#include <QComboBox>

namespace {

// The entries before those of single classes.
constexpr int SharedEntries = 2;

} // namespace

bool LinkKindChoice::accepts(std::optional<LinkClass> classOfLink) const
{
    switch (scope) {
    case Scope::AnyLink:
        return true;
    case Scope::FailedLinks:
        return classOfLink == LinkClass::NgWeb || classOfLink == LinkClass::NgFile || classOfLink == LinkClass::NgPage;
    case Scope::OneClass:
        break;
    }
    return classOfLink == linkClass;
}

void fillLinkKindList(QComboBox& list, const QString& anyLabel)
{
    list.clear();
    list.addItem(anyLabel);
    list.addItem(failedLinksLabel());
    for (const LinkClass linkClass : AllLinkClasses)
        list.addItem(linkClassLabel(linkClass));
    list.setCurrentIndex(0);
}

LinkKindChoice linkKindChoiceAt(int index)
{
    if (index >= SharedEntries && index < SharedEntries + int(AllLinkClasses.size()))
        return {LinkKindChoice::Scope::OneClass, AllLinkClasses.at(size_t(index - SharedEntries))};
    return {index == 1 ? LinkKindChoice::Scope::FailedLinks : LinkKindChoice::Scope::AnyLink};
}
