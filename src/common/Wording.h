#pragma once

#include <QString>
#include <QStringList>

// How a text is worded: in the language of the translation installed (the window's Japanese, the
// command's by the locale), or in the English of its source, for reports that scripts read.
enum class Wording { Translated, English };

// One text of the program, marked for translation with QT_TRANSLATE_NOOP(context, source).
QString worded(const char* context, const char* source, Wording wording = Wording::Translated);

// The text with %1 ... %9 replaced by the arguments in one pass: an argument that itself holds "%2" (a
// URL with an escape, say) stays as it is. A number with no argument is left out.
QString withArgs(const QString& text, const QStringList& args);
