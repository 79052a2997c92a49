#pragma once

#include "links/LinkKinds.h"

#include <QString>

#include <optional>

class QComboBox;

// What the move list (▲ / ▼) and the link list's class filter choose between, in this order in both: every link,
// every failed link (the NG classes), or the links of one class.
struct LinkKindChoice {
    enum class Scope { AnyLink, FailedLinks, OneClass };
    Scope scope = Scope::AnyLink;
    LinkClass linkClass = LinkClass::OkWeb; // for OneClass

    // Whether a link of this class is one of the choice; nullopt: a link no check has classified.
    bool accepts(std::optional<LinkClass> linkClass) const;
};

// Fills a list with the choices, the first one worded anyLabel.
void fillLinkKindList(QComboBox& list, const QString& anyLabel);
// The choice of an entry of such a list; any link for none (-1).
LinkKindChoice linkKindChoiceAt(int index);
