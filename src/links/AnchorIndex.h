#pragma once

#include "TaglessRanges.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringView>

// How a fragment meets the targets of a page, as a browser looks for it.
struct FragmentMatch {
    enum class Kind { Found, TopOfPage, DiffersInCase, Missing };
    Kind kind = Kind::Missing;
    QString nearest; // DiffersInCase: the id or name that differs from the fragment in letter case only
};

// The targets of links to a page's parts, collected in one pass: the NAME value of each "<A " tag and the
// ID value of any tag ("<" and a letter), with their character references decoded, outside comments and
// the contents of script, style, textarea and title. Only a tag's first NAME, and its first ID, counts;
// its value is quoted or bare as an HREF value is, blanks allowed around the "=", and a quoted value
// without its closing quote names nothing.
class AnchorIndex {
public:
    AnchorIndex() = default;
    // upper: the search copy of text.
    AnchorIndex(QStringView text, QStringView upper);

    // A fragment as written after the "#": found when an id or name equals it exactly (as written, or
    // percent-decoded); an empty fragment, and "top" in any letter case with no such target, is the top of
    // the page; a target equal to it but for letter case is reported as such.
    FragmentMatch match(const QString& fragment) const;
    // Whether an id or name is exactly this one.
    bool contains(const QString& name) const { return m_names.contains(name); }
    // Every id and name, as the page writes it.
    const QSet<QString>& names() const { return m_names; }

private:
    QSet<QString> m_names;
    QHash<QString, QString> m_byFoldedCase; // a name, case-folded, to one name of that spelling
};
