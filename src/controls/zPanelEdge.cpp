#include "controls/PixelPaint.h"
#include "controls/zPanel.h"
#include "controls/zPanelScale.h"

#include <QPainter>

#include <algorithm>
#include <utility>

// The edge meters: a straight scale on a narrow face. The vertical one runs from Min at the
// bottom to Max at the top; the horizontal one is the same turned a quarter, Min at the left.
// Positions are named along the scale and across it, so one drawing serves both.
void TzPanelMeter::PaintEdge(QPainter& painter, PixelPaint& canvas, bool vertical) const
{
    const int w = width();
    const int h = height();
    const int across = vertical ? w / 5 : h / 5;
    const int along = vertical ? h / 11 : w / 11;
    const int fl = vertical ? across : along;
    const int ft = vertical ? along : across;
    const int fr = vertical ? w - across : w - along;
    const int fb = vertical ? h - along : h - across;
    const QColor shadow = ToQColor(steelLook_ ? SteelShadowColor : shadowColor_);
    const QColor high = ToQColor(steelLook_ ? SteelHighColor : highColor_);

    canvas.PenColor = shadow;
    canvas.Polyline({{0, h - 1}, {0, 0}, {w - 1, 0}});
    canvas.Polyline({{w - 2, 1}, {w - 2, h - 2}, {0, h - 2}});
    canvas.Polyline({{fl - 1, fb}, {fl - 1, ft - 1}, {fr + 1, ft - 1}});
    canvas.PenColor = high;
    canvas.Polyline({{1, h - 1}, {1, 1}, {w - 1, 1}});
    canvas.Polyline({{fr, ft}, {fr, fb}, {fl - 2, fb}});
    canvas.PenColor = Qt::black;
    canvas.Polyline({{w - 1, 0}, {w - 1, h - 1}, {0, h - 1}});
    canvas.Polyline({{fl, fb - 1}, {fl, ft}, {fr, ft}});

    canvas.BrushColor = ToQColor(faceColor_);
    canvas.FillRect(fl + 1, ft + 1, fr, fb);
    PaintCaption(painter, EdgesToRect(fl + 1, ft + 1, fr, fb), Qt::AlignCenter);

    // Inclusive pixel ranges inside the face, along the scale and across it.
    const int alongFirst = vertical ? fb - 4 : fl + 4;
    const int alongLast = vertical ? ft + 4 : fr - 4;
    const int acrossFirst = vertical ? fl + 1 : ft + 1;
    const int acrossLast = vertical ? fr - 1 : fb - 1;
    const int acrossMiddle = (acrossFirst + acrossLast + 1) / 2;
    const int barFirst = acrossMiddle - (scaleWidth_ + 1) / 2;
    const int barLast = barFirst + scaleWidth_;
    const auto position = [&](int percent) { return alongFirst + (alongLast - alongFirst) * percent / 100; };
    const auto fill = [&](int a0, int a1, int c0, int c1, const QColor& colour) {
        if (a1 < a0) {
            std::swap(a0, a1);
        }
        const QRect r =
            vertical ? QRect(QPoint(c0, a0), QPoint(c1, a1)) : QRect(QPoint(a0, c0), QPoint(a1, c1));
        painter.fillRect(r, colour);
    };

    fill(position(0), position(100), barFirst, barLast, ScaleColor(false));
    if (useAlert_ && alert_ <= max_) {
        fill(position(PercentOf(std::max(alert_, min_))), position(100), barFirst, barLast, ScaleColor(true));
    }
    const zPanelScaleInput input{min_, max_, alert_, useAlert_, ticks_, stepPerTick_};
    for (const zPanelScaleMark& mark : zPanelScaleMarks(input)) {
        if (mark.HasTick) {
            const int at = position(mark.Percent);
            fill(at, at, acrossFirst, acrossLast, ScaleColor(mark.TickAlert));
        }
    }
    const int hand = position(PercentOf(value_));
    fill(hand, hand, acrossFirst, acrossLast, ToQColor(hand_));
}
