#pragma once

#include <QSet>
#include <QString>

// The NAME values of the "<A " tags of one text, collected in one pass, so that in-page links are
// looked up without scanning the document again for every link.
class AnchorIndex {
public:
    // upper: the search copy of the text.
    explicit AnchorIndex(QStringView upper);

    // name is expected upper-case.
    bool contains(const QString& name) const { return m_names.contains(name); }
    const QSet<QString>& names() const { return m_names; }

private:
    QSet<QString> m_names;
};

// True (the search ran) with found set when some "<A " tag of text has a NAME value equal to name.
bool findNameAnchor(const QString& text, const QString& name, bool& found);
