#include "controls/PixelPaint.h"
#include "controls/SteelBrush.h"
#include "controls/ZsegShapes.h"
#include "controls/zPanel.h"
#include "controls/zPanelScale.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace {

Qt::BrushStyle ToQtBrushStyle(TBrushStyle style)
{
    switch (style) {
    case TBrushStyle::bsSolid:
        return Qt::SolidPattern;
    case TBrushStyle::bsClear:
        return Qt::NoBrush;
    case TBrushStyle::bsHorizontal:
        return Qt::HorPattern;
    case TBrushStyle::bsVertical:
        return Qt::VerPattern;
    case TBrushStyle::bsFDiagonal:
        return Qt::FDiagPattern;
    case TBrushStyle::bsBDiagonal:
        return Qt::BDiagPattern;
    case TBrushStyle::bsCross:
        return Qt::CrossPattern;
    case TBrushStyle::bsDiagCross:
        return Qt::DiagCrossPattern;
    }
    return Qt::SolidPattern;
}

} // namespace

QImage TzPanelMeter::PaintToImage() const
{
    if (panelType_ != zPanelType::zpStandard) {
        return PaintFace();
    }
    QImage image = KeptFace().copy();
    QPainter painter(&image);
    PixelPaint canvas(painter);
    PaintNeedle(canvas);
    return image;
}

const QImage& TzPanelMeter::KeptFace() const
{
    const QSize size(std::max(1, width()), std::max(1, height()));
    if (faceStale_ || face_.size() != size) {
        face_ = PaintFace();
        faceStale_ = false;
    }
    return face_;
}

QImage TzPanelMeter::PaintFace() const
{
    QImage image(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
    // A fresh bitmap is white; hatched and clear housings let it show through.
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintHousing(painter);
    PixelPaint canvas(painter);
    painter.setFont(font());
    switch (panelType_) {
    case zPanelType::zpStandard:
        PaintStandard(painter, canvas);
        break;
    case zPanelType::zpEdgeHorz:
        PaintEdge(painter, canvas, false);
        break;
    case zPanelType::zpEdgeVert:
        PaintEdge(painter, canvas, true);
        break;
    }
    return image;
}

void TzPanelMeter::paintEvent(QPaintEvent* event)
{
    painted_ = true;
    paintedValue_ = value_;
    {
        QPainter painter(this);
        if (panelType_ == zPanelType::zpStandard) {
            // Straight onto the window: the kept dial where it is asked for, then the needle.
            const QRect area = event->rect();
            painter.drawImage(area.topLeft(), KeptFace(), area);
            PixelPaint canvas(painter);
            PaintNeedle(canvas);
        } else {
            painter.drawImage(0, 0, PaintToImage());
        }
    }
    if (OnPaint) {
        OnPaint(this);
    }
}

void TzPanelMeter::PaintHousing(QPainter& painter) const
{
    const QRect all(0, 0, width(), height());
    if (steelLook_) {
        SteelBrush::Fill(painter, all);
        return;
    }
    painter.setBrushOrigin(0, 0);
    painter.fillRect(all, QBrush(ToQColor(houseColor_), ToQtBrushStyle(houseStyle_)));
}

QColor TzPanelMeter::ScaleColor(bool alert) const
{
    return ToQColor(alert ? alertColor_ : normalColor_);
}

void TzPanelMeter::PaintCaption(QPainter& painter, const QRect& face, int alignment) const
{
    if (caption_.isEmpty()) {
        return;
    }
    painter.setPen(ToQColor(fontColor_));
    painter.drawText(face.adjusted(2, 2, -2, -2), alignment | Qt::TextSingleLine, caption_);
}

void TzPanelMeter::PaintStandard(QPainter& painter, PixelPaint& canvas) const
{
    const int w = width();
    const int h = height();
    const int s = w / 11;
    const int b = h / 11;
    const int cx = w / 2;
    const int base = h - h / 4;
    const QColor shadow = ToQColor(steelLook_ ? SteelShadowColor : shadowColor_);
    const QColor high = ToQColor(steelLook_ ? SteelHighColor : highColor_);
    const QColor black(Qt::black);

    canvas.PenColor = shadow;
    canvas.Polyline({{s - 1, base - b}, {s - 1, b - 1}, {w - s, b - 1}});
    canvas.Polyline({{0, h - 1}, {0, 0}, {w - 1, 0}});
    canvas.Polyline({{w - 2, 1}, {w - 2, h - 2}, {0, h - 2}});
    canvas.Polyline({{s - 1, base - b}, {s - 1, b - 1}, {w - s - 1, b - 1}});
    canvas.PenColor = high;
    canvas.Polyline({{w - s + 1, b - 1}, {w - s + 1, base - b + 1}, {s - 1, base - b + 1}});
    canvas.Polyline({{1, h - 1}, {1, 1}, {w - 1, 1}});

    if (showAll_) {
        RoundShapes::Ellipse(canvas, cx - s + 2, base + 2, cx + s - 2, base + 2 * b - 2, black,
                             ToQColor(hand_));
    }
    canvas.PenColor = black;
    canvas.Polyline({{w - 1, 0}, {w - 1, h - 1}, {0, h - 1}});
    canvas.Polyline({{s, base - b - 1}, {s, b}, {w - s, b}});

    canvas.BrushColor = ToQColor(faceColor_);
    canvas.FillRect(s + 1, b + 1, w - s, base - b);
    PaintCaption(painter, EdgesToRect(s + 1, b + 1, w - s, base - b), Qt::AlignHCenter | Qt::AlignBottom);

    if (showAll_) {
        canvas.PenColor = high;
        canvas.MoveTo(cx - s + 5, base + b);
        canvas.LineTo(cx + s - 5, base + b);
        canvas.PenColor = shadow;
        canvas.MoveTo(cx - s + 5, base + b - 1);
        canvas.LineTo(cx + s - 5, base + b - 1);
    }

    PaintDialScale(canvas);
}

void TzPanelMeter::PaintNeedle(PixelPaint& canvas) const
{
    canvas.PenColor = ToQColor(hand_);
    const QPoint tip = NeedleTip(PercentOf(value_));
    const QPoint hub = NeedleHub();
    canvas.MoveTo(tip.x(), tip.y());
    canvas.LineTo(hub.x(), hub.y());
}

void TzPanelMeter::PaintDialScale(PixelPaint& canvas) const
{
    const zPanelScaleInput input{min_, max_, alert_, useAlert_, ticks_, stepPerTick_};
    for (const zPanelScaleMark& mark : zPanelScaleMarks(input)) {
        if (mark.HasTick) {
            const QColor tick = ScaleColor(mark.TickAlert);
            const QPoint near = ArcPoint(mark.Percent, scaleWidth_ + 1);
            const QPoint far = ArcPoint(mark.Percent, scaleWidth_ + 2);
            canvas.SetPixel(near.x(), near.y(), tick);
            canvas.SetPixel(far.x(), far.y(), tick);
        }
        canvas.PenColor = ScaleColor(mark.StrokeAlert);
        const QPoint from = ArcPoint(mark.Percent, -2);
        const QPoint to = ArcPoint(mark.Percent, scaleWidth_);
        canvas.MoveTo(from.x(), from.y());
        canvas.LineTo(to.x(), to.y());
    }
}
