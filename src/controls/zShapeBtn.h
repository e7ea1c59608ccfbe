#pragma once

#include "controls/SlideBarTypes.h"
#include "platform/Color.h"

#include <QImage>
#include <QRegion>
#include <QWidget>

#include <functional>

enum class sbType
{
    sbRectangle,
    sbUpTriangle,
    sbDnTriangle,
    sbLTriangle,
    sbRTriangle,
    sbTLTriangle,
    sbTRTriangle,
    sbBLTriangle,
    sbBRTriangle,
    sbPlus,
    sbMinus,
    sbCircle,
    sbUpTrapezoid,
    sbDnTrapezoid,
    sbLTrapezoid,
    sbRTrapezoid,
    sbOwnerDraw,
    sbUpLTriangle,
    sbUpRTriangle,
    sbDnRTriangle,
    sbDnLTriangle,
    sb000,
    sb045,
    sb090,
    sb135,
    sb180,
    sb225,
    sb270,
    sb315,
    sb360
};

class PixelPaint;

// Supplies the region of an owner-drawn shape; an empty region means the whole rectangle.
using TsbGetRegEvent = std::function<void(QObject* sender, QRegion& region, int height, int width)>;
using TsbDrawEvent = std::function<void(QObject* sender, QPainter& canvas, TColor highlight, TColor shadow,
                                        const QRegion& region, int height, int width, bool pressed)>;

// A push button in one of thirty shapes. The shape's region is both what is painted and what
// is hit: a press outside it goes to whatever lies beneath. A click comes only from a release
// inside the shape after a press inside it.
class TzShapeBtn : public QWidget
{
    Q_OBJECT

public:
    explicit TzShapeBtn(QWidget* parent = nullptr);
    ~TzShapeBtn() override;

    sbType Shape() const { return shape_; }
    // sbPlus takes "+" as its accelerator and sbMinus "-"; any other shape clears it.
    void SetShape(sbType value);
    TColor HighLightColor() const { return highLight_; }
    void SetHighLightColor(TColor value);
    TColor ShadowColor() const { return shadow_; }
    void SetShadowColor(TColor value);
    TColor Color() const;
    void SetColor(TColor value);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    // ' ' when none.
    QChar AcceleratorKey() const;
    void SetAcceleratorKey(QChar value);

    // Deletes the region and builds the one for the shape at the present size.
    virtual void BuildRegion();
    // The region for the present size: a resize of a hidden control is seen here at once, before
    // Qt delivers the resize event on showing.
    const QRegion& ShapeRegion() const;
    bool Pressed() const { return pressed_; }

    // Clicks as a release inside the shape does.
    void Click();

    TNotifyEvent OnClick;
    TNotifyEvent OnPaint;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TsbGetRegEvent OnGetRegion;
    TsbDrawEvent OnOwnerDraw;

    // The button as painted (outside the region the image keeps the control's colour).
    QImage PaintToImage();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Paint(QPainter& painter);
    // Face and bevel, whether or not the button is transparent.
    void PaintShape(QPainter& painter);
    // The pixels the button paints: its region and the bevel lines along the region's edge.
    QRegion PaintedArea();
    void PaintRectangle(PixelPaint& canvas, const QColor& light, const QColor& dark);
    void PaintRTriangle(PixelPaint& canvas, const QColor& light, const QColor& dark);
    void PaintDnTrapezoid(PixelPaint& canvas, const QColor& light, const QColor& dark);
    void PaintPolygon(PixelPaint& canvas, const QPolygon& outline, const QColor& light, const QColor& dark);
    void PaintCircle(QPainter& painter, const QColor& light, const QColor& dark);
    void PaintMinus(PixelPaint& canvas, const QColor& light, const QColor& dark);
    void WatchWindow();

    sbType shape_ = sbType::sbRectangle;
    TColor highLight_ = clBtnHighlight;
    TColor shadow_ = clBtnShadow;
    TColor color_ = clBtnFace;
    bool parentColor_ = true;
    bool transparent_ = false;
    QString accelerator_;
    QRegion region_;
    QSize regionSize_;
    bool pressed_ = false;
    bool tracking_ = false;
    QWidget* watchedWindow_ = nullptr;
};

// The outline of a polygon shape at the given size (R = width - 1, B = height - 1); empty for the
// rectangle, circle, minus and owner-drawn shapes, whose regions are not one polygon.
QPolygon ShapePolygon(sbType shape, int width, int height);
