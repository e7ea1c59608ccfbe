#pragma once
// The played share of the sound as a yellow bar on black under the advance bar. It moves on the
// progression tick while a sound plays, so it paints itself whole and opaque (nothing under it is
// drawn again) and only the strip between the old and the new end of the bar is repainted.
#include <QWidget>

class TProgressGauge final : public QWidget
{
public:
    explicit TProgressGauge(QWidget* parent = nullptr);

    int Min() const { return min_; }
    int Max() const { return max_; }
    int Value() const { return value_; }
    // A maximum below the minimum is taken as the minimum; the value is kept within the range.
    void SetRange(int min, int max);
    // Outside the range is ignored. The bar is drawn in the window's next paint, not at once.
    void SetValue(int value);
    // The width of the yellow part in pixels for the present value and width.
    int FilledWidth() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int min_ = 0;
    int max_ = 100;
    int value_ = 0;
};
