#pragma once

#include <QWidget>

// A panel with an outer and an inner bevel of one pixel each, raised, lowered or none;
// its contents margins leave room for the bevels.
class TBevelPanel : public QWidget {
    Q_OBJECT
public:
    enum TBevel { bvNone, bvRaised, bvLowered };

    TBevelPanel(TBevel outer, TBevel inner, QWidget* parent = nullptr);

    TBevel bevelOuter() const { return m_outer; }
    TBevel bevelInner() const { return m_inner; }
    // Width of both bevels together, in pixels.
    int bevelWidth() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TBevel m_outer;
    TBevel m_inner;
};
