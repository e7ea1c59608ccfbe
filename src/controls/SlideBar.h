#pragma once

#include "controls/SlideBarThumbs.h"
#include "controls/SlideBarTypes.h"
#include "platform/Color.h"

#include <QImage>
#include <QRect>
#include <QSize>
#include <QStringList>
#include <QWidget>

class PixelPaint;

// A track bar drawn by the program: a groove, optional ticks on one or both sides and a thumb
// drawn from a small bitmap with a mask. The value moves by dragging, by clicking beside the
// thumb (one step toward the pointer) and by the keyboard. Outside code writes Value, Min, Max
// and TickStyle; the rest is set when the window is built.
class TzSlideBar : public QWidget
{
    Q_OBJECT

public:
    explicit TzSlideBar(QWidget* parent = nullptr);
    ~TzSlideBar() override;

    int Min() const { return min_; }
    int Max() const { return max_; }
    int Value() const { return value_; }
    // Refused unless Min stays below Max; Value is left alone.
    void SetMin(int value);
    void SetMax(int value);
    // A value outside Min..Max is not stored, yet the bar still repaints and reports a change.
    void SetValue(int value);

    // Follows the size: horizontal when Width >= Height, else vertical; a write holds until
    // the next size change.
    TOrientation Orientation() const;
    void SetOrientation(TOrientation value);
    int Thickness() const { return thickness_; }
    // Accepted only within 1..10.
    void SetThickness(int value);
    TBarStyle Style() const { return style_; }
    void SetStyle(TBarStyle value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    TThumbStyle ThumbStyle() const { return thumbStyle_; }
    void SetThumbStyle(TThumbStyle value);
    TColor FocusColor() const { return focusColor_; }
    void SetFocusColor(TColor value);
    TColor NonFocusColor() const { return nonFocusColor_; }
    void SetNonFocusColor(TColor value);
    bool Ticks() const { return ticks_; }
    void SetTicks(bool value);
    TzTickStyle TickStyle() const { return tickStyle_; }
    void SetTickStyle(TzTickStyle value);
    TBarTickStyle TickWhere() const { return tickWhere_; }
    void SetTickWhere(TBarTickStyle value);
    int TickSpace() const { return tickSpace_; }
    void SetTickSpace(int value);
    int TickSize() const { return tickSize_; }
    void SetTickSize(int value);
    int StepPerTick() const { return stepPerTick_; }
    // At least 1.
    void SetStepPerTick(int value);
    bool JumpToMouse() const { return jumpToMouse_; }
    void SetJumpToMouse(bool value) { jumpToMouse_ = value; }
    bool AutoFocus() const { return autoFocus_; }
    void SetAutoFocus(bool value) { autoFocus_ = value; }
    bool SteelLook() const { return steelLook_; }
    void SetSteelLook(bool value);
    // Kept for the window's use; never drawn.
    const QStringList& Labels() const { return labels_; }
    void SetLabels(const QStringList& value) { labels_ = value; }
    bool TabStop() const { return focusPolicy() != Qt::ClickFocus; }
    void SetTabStop(bool value);

    TNotifyEvent OnChange;
    TNotifyEvent OnMinimum;
    TNotifyEvent OnMaximum;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    // After every mouse-button release, once the value has been updated.
    TMouseEvent OnMouseUpTwo;
    TKeyEvent OnKeyDown;
    TsSlideTickOwnerDraw OnOwnerDraw;

    virtual int ValueFromPoint(int x, int y) const;
    virtual bool IsVertical() const;
    virtual QRect ComputeThumbRect() const;
    virtual void SetFirstEdgePen(PixelPaint& canvas) const;
    virtual void SetSecondEdgePen(PixelPaint& canvas) const;

    QSize ThumbSize() const { return thumb_.Bitmap.size(); }
    // The whole bar as painted, for printing and for checks of its look.
    QImage PaintToImage() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    struct Groove
    {
        int x1, y1, x2, y2;
    };
    Groove GrooveEdges() const;
    void RebuildThumb();
    void SyncOrientation() const;
    void PaintBackground(QPainter& painter) const;
    void PaintGroove(PixelPaint& canvas, const Groove& g) const;
    void PaintTicks(PixelPaint& canvas, const Groove& g) const;
    void PaintTick(PixelPaint& canvas, int pos, const Groove& g, bool leftSide, int tickNumber) const;
    void PaintThumb(QImage& image) const;
    // Everything the bar's picture without its thumb is drawn from.
    struct TrackLook
    {
        QSize size;
        bool vertical = false;
        bool steelLook = false;
        bool ticks = false;
        int style = 0;
        int thickness = 0;
        int tickStyle = 0;
        int tickWhere = 0;
        int tickSpace = 0;
        int tickSize = 0;
        int stepPerTick = 0;
        int min = 0;
        int max = 0;
        QSize thumb;
        int halfWidth = 0;
        int halfHeight = 0;
        QRgb back = 0;
        QRgb groove = 0;
        QRgb shadow = 0;
        QRgb highlight = 0;
        bool operator==(const TrackLook&) const = default;
    };
    TrackLook CurrentTrackLook() const;
    // The background, groove and ticks: kept while their look is unchanged, since a playing
    // sound moves only the thumb, on every tick. Owner-drawn ticks are drawn afresh each time.
    const QImage& KeptTrack() const;
    QImage PaintTrack() const;
    // Writers of the look end here: store, then repaint.
    template <typename T> void StoreAndRepaint(T& field, const T& value)
    {
        field = value;
        update();
    }

    int min_ = 0;
    int max_ = 10;
    int value_ = 0;
    mutable TOrientation orientation_ = TOrientation::orHorizontal;
    mutable QSize orientedSize_;
    int thickness_ = 2;
    TBarStyle style_ = TBarStyle::bsLowered;
    TColor color_ = clBtnFace;
    TThumbStyle thumbStyle_ = TThumbStyle::tsVertHigh;
    TColor focusColor_ = clActiveCaption;
    TColor nonFocusColor_ = clBtnFace;
    bool ticks_ = true;
    TzTickStyle tickStyle_ = TzTickStyle::tsNormal;
    TBarTickStyle tickWhere_ = TBarTickStyle::ttsBoth;
    int tickSpace_ = 3;
    int tickSize_ = 4;
    int stepPerTick_ = 1;
    bool jumpToMouse_ = true;
    bool autoFocus_ = false;
    bool steelLook_ = false;
    QStringList labels_;

    SlideBarThumb thumb_;
    mutable QImage track_;
    mutable TrackLook trackLook_;
    int halfWidth_ = 0;
    int halfHeight_ = 0;
    bool dragging_ = false;
    bool moved_ = false;
    int pressCoordinate_ = 0;
};

using SlideBar = TzSlideBar;
