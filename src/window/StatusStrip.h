#pragma once

#include <QWidget>

// The strip at the bottom of the window. Besides the progress bar and the two labels it holds, it
// can print one line of text at a position, as the running check prints the link being checked.
class StatusStrip : public QWidget {
    Q_OBJECT
public:
    explicit StatusStrip(QWidget* parent = nullptr);

    // Position in twips, in the strip's own coordinates (the text's top left).
    void printText(int leftTwips, int topTwips, const QString& text);
    void clear();
    QString printedText() const { return m_text; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect textRect() const;

    QString m_text;
    QPoint m_position;
};
