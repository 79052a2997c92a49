#include "StatusStrip.h"

#include "Twips.h"

#include <QPainter>

StatusStrip::StatusStrip(QWidget* parent) : QWidget(parent) {}

void StatusStrip::printText(int leftTwips, int topTwips, const QString& text)
{
    m_text = text;
    m_position = QPoint(twipsToPixels(leftTwips, this), twipsToPixels(topTwips, this));
    update();
}

void StatusStrip::clear()
{
    m_text.clear();
    update();
}

void StatusStrip::paintEvent(QPaintEvent*)
{
    if (m_text.isEmpty())
        return;
    QPainter painter(this);
    const QFontMetrics metrics(font());
    painter.drawText(m_position + QPoint(0, metrics.ascent()), m_text);
}
