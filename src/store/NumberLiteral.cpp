#include "NumberLiteral.h"

#include <QRegularExpression>

#include <clocale>
#include <cmath>
#include <cstdlib>

namespace {

const QRegularExpression& numberPattern()
{
    static const QRegularExpression pattern(
        QStringLiteral("^[ \\t]*[+-]?(?:[0-9][0-9,]*(?:\\.[0-9]*)?|\\.[0-9]+)(?:[EeDd][+-]?[0-9]+)?[ \\t]*$"));
    return pattern;
}

// strtod in the "C" locale: the program's own locale may use a decimal comma. Overflow gives an
// infinity and underflow zero, which the range test then judges correctly.
double parseDouble(const QByteArray& literal)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return strtod_l(literal.constData(), nullptr, cLocale);
}

} // namespace

bool isNumberLiteral(const QString& text)
{
    return numberPattern().match(text).hasMatch();
}

std::optional<qint64> roundedNumber(const QString& text, qint64 minimum, qint64 maximum)
{
    if (!isNumberLiteral(text))
        return std::nullopt;
    QByteArray literal = text.toLatin1().trimmed();
    literal.replace(',', QByteArray()).replace('D', 'E').replace('d', 'e');
    // nearbyint rounds in the default mode, to nearest with halves to even.
    const double rounded = std::nearbyint(parseDouble(literal));
    if (!(rounded >= double(minimum) && rounded <= double(maximum)))
        return std::nullopt;
    return qint64(rounded);
}
