#pragma once

#include "controls/SlideBarTypes.h"
#include "platform/Color.h"

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QWidget>

#include <array>

class PixelPaint;
class QPainter;

enum class zPanelType
{
    zpStandard,
    zpEdgeHorz,
    zpEdgeVert
};

// The class library's brush styles, for the meter housing.
enum class TBrushStyle
{
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};

// An analogue panel meter: a housing, a face with a 100-degree scale, a needle, a hub and a
// caption. Values from Alert up are drawn in AlertColor, and the crossing of Alert is reported
// once each way through OnAlert and OnNotAlert.
class TzPanelMeter : public QWidget
{
    Q_OBJECT

public:
    static constexpr int MaxScaleWidth = 5;
    static constexpr TColor SteelShadowColor = 0x808080;
    static constexpr TColor SteelHighColor = 0xFFFFFF;

    explicit TzPanelMeter(QWidget* parent = nullptr);
    ~TzPanelMeter() override;

    int Min() const { return min_; }
    int Max() const { return max_; }
    // Min never passes Max (and the reverse); Value is written again so it stays in range and
    // the alert events follow.
    void SetMin(int value);
    void SetMax(int value);
    int Value() const { return value_; }
    // Clamped to Min..Max; fires the alert events on a crossing, then OnChange on every write,
    // and repaints at once.
    void SetValue(int value);
    // Off by default: a Value write repaints at once. A window that writes several meters on each
    // frame turns it on, so they reach the screen together in one paint (one trip to the display).
    void SetQueuedPaints(bool value) { queuedPaints_ = value; }
    int Alert() const { return alert_; }
    void SetAlert(int value);
    bool UseAlert() const { return useAlert_; }
    void SetUseAlert(bool value) { StoreAndInvalidate(useAlert_, value); }
    bool ShowAll() const { return showAll_; }
    void SetShowAll(bool value) { StoreAndInvalidate(showAll_, value); }
    zPanelType PanelType() const { return panelType_; }
    void SetPanelType(zPanelType value) { StoreAndInvalidate(panelType_, value); }

    TColor HouseColor() const { return houseColor_; }
    void SetHouseColor(TColor value) { StoreAndInvalidate(houseColor_, value); }
    TBrushStyle HouseStyle() const { return houseStyle_; }
    void SetHouseStyle(TBrushStyle value) { StoreAndInvalidate(houseStyle_, value); }
    TColor ShadowColor() const { return shadowColor_; }
    // Either bevel colour turns the steel look off.
    void SetShadowColor(TColor value);
    TColor HighColor() const { return highColor_; }
    void SetHighColor(TColor value);
    TColor FaceColor() const { return faceColor_; }
    void SetFaceColor(TColor value) { StoreAndInvalidate(faceColor_, value); }
    TColor NormalColor() const { return normalColor_; }
    void SetNormalColor(TColor value) { StoreAndInvalidate(normalColor_, value); }
    TColor AlertColor() const { return alertColor_; }
    void SetAlertColor(TColor value) { StoreAndInvalidate(alertColor_, value); }
    TColor Hand() const { return hand_; }
    void SetHand(TColor value) { StoreAndInvalidate(hand_, value); }
    bool Ticks() const { return ticks_; }
    void SetTicks(bool value) { StoreAndInvalidate(ticks_, value); }
    // Zero or less draws no ticks.
    int StepPerTick() const { return stepPerTick_; }
    void SetStepPerTick(int value) { StoreAndInvalidate(stepPerTick_, value); }
    int ScaleWidth() const { return scaleWidth_; }
    // Refused outside 0..5.
    void SetScaleWidth(int value);
    bool SteelLook() const { return steelLook_; }
    // On: the housing takes the steel pattern and the bevels turn gray and white.
    void SetSteelLook(bool value);

    QString Caption() const { return caption_; }
    void SetCaption(const QString& value);
    // The caption's colour (the class library keeps it in the font).
    TColor FontColor() const { return fontColor_; }
    void SetFontColor(TColor value) { StoreAndInvalidate(fontColor_, value); }

    // The percentage of Min..Max a value stands at (0 when the range is empty).
    int PercentOf(int value) const;
    // The dial's scale point at a percentage, raised by d pixels.
    QPoint ArcPoint(int percent, int d) const;
    // The needle's tip at a percentage (its scale point, not raised).
    QPoint NeedleTip(int percent) const;

    TNotifyEvent OnPaint;
    TNotifyEvent OnAlert;
    TNotifyEvent OnNotAlert;
    TNotifyEvent OnChange;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseMove;
    TMouseEvent OnMouseUp;

    // The meter as painted, for printing and for checks of its look.
    QImage PaintToImage() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void PaintHousing(QPainter& painter) const;
    void PaintStandard(QPainter& painter, PixelPaint& canvas) const;
    void PaintDialScale(PixelPaint& canvas) const;
    void PaintEdge(QPainter& painter, PixelPaint& canvas, bool vertical) const;
    void PaintCaption(QPainter& painter, const QRect& face, int alignment) const;
    QColor ScaleColor(bool alert) const;
    void PaintNeedle(PixelPaint& canvas) const;
    // Where the needle runs from, and the rectangle its line covers at a value.
    QPoint NeedleHub() const;
    QRect NeedleBounds(int value) const;
    // The value now draws another picture than the last one painted.
    bool NeedleMoved() const;
    // The meter without its needle; the standard dial's is kept between value writes.
    QImage PaintFace() const;
    const QImage& KeptFace() const;
    // A change of anything but the value: the kept face is drawn again.
    void Invalidate()
    {
        faceStale_ = true;
        update();
    }
    template <typename T> void StoreAndInvalidate(T& field, const T& value)
    {
        field = value;
        Invalidate();
    }

    int min_ = 0;
    int max_ = 100;
    int value_ = 0;
    int alert_ = 75;
    bool alerted_ = false;
    bool useAlert_ = true;
    bool showAll_ = true;
    zPanelType panelType_ = zPanelType::zpStandard;
    TColor houseColor_ = clBtnFace;
    TBrushStyle houseStyle_ = TBrushStyle::bsDiagCross;
    TColor shadowColor_ = clBtnShadow;
    TColor highColor_ = clBtnHighlight;
    TColor faceColor_ = 0xFFFFFF;
    TColor normalColor_ = clBlack;
    TColor alertColor_ = 0x0000FF;
    TColor hand_ = 0x008000;
    bool ticks_ = true;
    int stepPerTick_ = 10;
    int scaleWidth_ = 2;
    bool steelLook_ = false;
    QString caption_;
    TColor fontColor_ = clWindowText;
    // The needle moves on every progression tick and only it changes: the rest of the standard
    // dial (housing, face, caption and the scale's hundreds of strokes) is kept here.
    mutable QImage face_;
    mutable bool faceStale_ = true;
    // The tip of every percentage at the present size: each tick looks up the shown and the new
    // needle's tips several times.
    mutable std::array<QPoint, 101> needleTips_{};
    mutable QSize needleTipsSize_;
    bool queuedPaints_ = false;
    bool painted_ = false;
    int paintedValue_ = 0; // the value of the last paint
};

using TzPanel = TzPanelMeter;
