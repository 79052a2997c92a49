#include "StatusStrip.h"

#include "Twips.h"

#include <QPainter>

StatusStrip::StatusStrip(QWidget* parent) : QWidget(parent) {}

void StatusStrip::printText(int leftTwips, int topTwips, const QString& text)
{
    // Only the printed line is redrawn: the progress bar beside it need not paint again for every link.
    update(textRect());
    m_text = text;
    m_position = QPoint(twipsToPixels(leftTwips, this), twipsToPixels(topTwips, this));
    update(textRect());
}

void StatusStrip::clear()
{
    update(textRect());
    m_text.clear();
}

QRect StatusStrip::textRect() const
{
    if (m_text.isEmpty())
        return QRect();
    const QFontMetrics metrics(font());
    return QRect(m_position, QSize(metrics.horizontalAdvance(m_text) + 2, metrics.height()));
}

void StatusStrip::paintEvent(QPaintEvent*)
{
    if (m_text.isEmpty())
        return;
    QPainter painter(this);
    const QFontMetrics metrics(font());
    painter.drawText(m_position + QPoint(0, metrics.ascent()), m_text);
}
