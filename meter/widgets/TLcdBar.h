#pragma once

#include <QWidget>

// The LCD's bar graph: a row of segments lit from the left in proportion to the
// position against the maximum (minimum 0). The position is kept as set and measured
// against the maximum at paint time, so the order of the two setters does not matter.
class TLcdBar : public QWidget {
    Q_OBJECT
public:
    explicit TLcdBar(QWidget* parent = nullptr);

    void setPosition(int position);
    void setMaximum(int maximum);
    int position() const { return m_position; }
    int maximum() const { return m_maximum; }
    // Lit length in pixels: the position clamped to 0 … maximum, against the maximum;
    // 0 when the maximum is 0.
    int filledWidth() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_position = 0;
    int m_maximum = 100;
};
