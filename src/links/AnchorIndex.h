#pragma once

#include <QSet>
#include <QString>
#include <QStringView>

// The targets of in-page links in one text, collected in one pass, so that in-page links are looked up
// without scanning the document again for every link: the NAME value of each "<A " tag and the ID value
// of any tag ("<" and a letter). Only a tag's first NAME, and its first ID, counts; its value is quoted
// or bare as an HREF value is, blanks allowed around the "=", and a quoted value without its closing
// quote names nothing.
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

// True (the search ran) with found set when text has an in-page target (see AnchorIndex) equal to name.
bool findNameAnchor(const QString& text, const QString& name, bool& found);
