#pragma once

#include "controls/SlideBarTypes.h"
#include "platform/Color.h"

#include <QImage>
#include <QWidget>

enum class zcpOrientation
{
    zcpVertical,
    zcpHorizontal
};

enum class zcDotStyle
{
    zcdsDot,
    zcdsRect,
    zcdsRound
};

// A level shown as a row or column of separate segments, like an LED bar. Segments below the
// level are lit; each takes the colour of its zone (the first from 0, the second from Color2Pos,
// the third from Color3Pos). Value and the two zone starts are kept as whole percentages of
// Min..Max, so a change of range moves what they read back, not what is drawn.
class TzcPeakOmeter : public QWidget
{
    Q_OBJECT

public:
    static constexpr int MinBars = 10;
    static constexpr int MaxBars = 100;

    explicit TzcPeakOmeter(QWidget* parent = nullptr);

    int Min() const { return min_; }
    int Max() const { return max_; }
    // Above Max stores Max; below Min stores Min. Neither repaints nor touches the percentages.
    void SetMin(int value);
    void SetMax(int value);

    int Value() const { return PercentToValue(valuePercent_); }
    int Color2Pos() const { return PercentToValue(color2Percent_); }
    int Color3Pos() const { return PercentToValue(color3Percent_); }
    // The value is clamped to Min..Max and kept as a percentage; an unchanged percentage does
    // nothing at all, a changed one fires OnChange and repaints.
    void SetValue(int value);
    void SetColor2Pos(int value);
    void SetColor3Pos(int value);
    int ValuePercent() const { return valuePercent_; }
    int Color2Percent() const { return color2Percent_; }
    int Color3Percent() const { return color3Percent_; }

    int NumberOfBars() const { return numberOfBars_; }
    // Refused outside 10..100.
    void SetNumberOfBars(int value);
    bool UseGap() const { return useGap_; }
    void SetUseGap(bool value) { StoreAndRepaint(useGap_, value); }
    zcpOrientation Orientation() const { return orientation_; }
    void SetOrientation(zcpOrientation value) { StoreAndRepaint(orientation_, value); }
    zcDotStyle Style() const { return style_; }
    void SetStyle(zcDotStyle value) { StoreAndRepaint(style_, value); }

    TColor Color() const;
    // Writing the colour stops following the parent's.
    void SetColor(TColor value);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value) { StoreAndRepaint(parentColor_, value); }
    TColor LitColor1() const { return litColor1_; }
    void SetLitColor1(TColor value) { StoreAndRepaint(litColor1_, value); }
    TColor UnLitColor1() const { return unLitColor1_; }
    void SetUnLitColor1(TColor value) { StoreAndRepaint(unLitColor1_, value); }
    TColor LitColor2() const { return litColor2_; }
    void SetLitColor2(TColor value) { StoreAndRepaint(litColor2_, value); }
    TColor UnLitColor2() const { return unLitColor2_; }
    void SetUnLitColor2(TColor value) { StoreAndRepaint(unLitColor2_, value); }
    TColor LitColor3() const { return litColor3_; }
    void SetLitColor3(TColor value) { StoreAndRepaint(litColor3_, value); }
    TColor UnLitColor3() const { return unLitColor3_; }
    void SetUnLitColor3(TColor value) { StoreAndRepaint(unLitColor3_, value); }

    // After every paint.
    TNotifyEvent OnPaint;
    // After every accepted change of Value.
    TNotifyEvent OnChange;
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseMove;
    TMouseEvent OnMouseUp;

    // The meter as painted, for printing and for checks of its look.
    QImage PaintToImage() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    int ValueToPercent(int value) const;
    int PercentToValue(int percent) const;
    void NormalisePercents();
    TColor SegmentColor(int threshold) const;
    template <typename T> void StoreAndRepaint(T& field, const T& value)
    {
        if (field != value) {
            field = value;
            update();
        }
    }

    int min_ = 0;
    int max_ = 100;
    int valuePercent_ = 0;
    int color2Percent_ = 75;
    int color3Percent_ = 90;
    int numberOfBars_ = 25;
    bool useGap_ = true;
    zcpOrientation orientation_ = zcpOrientation::zcpVertical;
    zcDotStyle style_ = zcDotStyle::zcdsRect;
    TColor color_ = clBlack;
    bool parentColor_ = false;
    TColor litColor1_ = 0x00FF00;
    TColor unLitColor1_ = 0x002000;
    TColor litColor2_ = 0x00FFFF;
    TColor unLitColor2_ = 0x002020;
    TColor litColor3_ = 0x0000FF;
    TColor unLitColor3_ = 0x000020;
};

using TZseg = TzcPeakOmeter;
