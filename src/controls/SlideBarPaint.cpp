#include "controls/PixelPaint.h"
#include "controls/SlideBar.h"
#include "controls/SteelBrush.h"

#include <QPainter>

#include <cmath>

// Painting of the slide bar: the whole bar goes to an off-screen bitmap first, then onto the
// control in one piece, so a moving thumb never flickers.

void TzSlideBar::SetFirstEdgePen(PixelPaint& canvas) const
{
    canvas.PenColor = ToQColor(style_ == TBarStyle::bsLowered ? clBtnShadow : clBtnHighlight);
}

void TzSlideBar::SetSecondEdgePen(PixelPaint& canvas) const
{
    canvas.PenColor = ToQColor(style_ == TBarStyle::bsLowered ? clBtnHighlight : clBtnShadow);
}

TzSlideBar::Groove TzSlideBar::GrooveEdges() const
{
    const int tw = thumb_.Bitmap.width();
    const int th = thumb_.Bitmap.height();
    Groove g{};
    if (IsVertical()) {
        g.y1 = halfHeight_;
        g.y2 = height() + halfHeight_ - th;
        g.x1 = (width() - thickness_) / 2 - 1;
        g.x2 = g.x1 + thickness_ + 1;
    } else {
        g.x1 = halfWidth_;
        g.x2 = width() + halfWidth_ - tw;
        g.y1 = (height() - thickness_) / 2 - 1;
        g.y2 = g.y1 + thickness_ + 1;
    }
    return g;
}

QImage TzSlideBar::PaintToImage() const
{
    QImage image = KeptTrack().copy();
    PaintThumb(image);
    return image;
}

TzSlideBar::TrackLook TzSlideBar::CurrentTrackLook() const
{
    const QWidget* owner = parentWidget();
    TrackLook look;
    look.size = QSize(std::max(1, width()), std::max(1, height()));
    look.vertical = IsVertical();
    look.steelLook = steelLook_;
    look.ticks = ticks_;
    look.style = static_cast<int>(style_);
    look.thickness = thickness_;
    look.tickStyle = static_cast<int>(tickStyle_);
    look.tickWhere = static_cast<int>(tickWhere_);
    look.tickSpace = tickSpace_;
    look.tickSize = tickSize_;
    look.stepPerTick = stepPerTick_;
    look.min = min_;
    look.max = max_;
    look.thumb = thumb_.Bitmap.size();
    look.halfWidth = halfWidth_;
    look.halfHeight = halfHeight_;
    look.back =
        (owner ? owner->palette().color(owner->backgroundRole()) : palette().color(QPalette::Window)).rgb();
    look.groove = ToQColor(hasFocus() ? focusColor_ : nonFocusColor_).rgb();
    look.shadow = ToQColor(clBtnShadow).rgb();
    look.highlight = ToQColor(clBtnHighlight).rgb();
    return look;
}

const QImage& TzSlideBar::KeptTrack() const
{
    const TrackLook look = CurrentTrackLook();
    const bool ownerDrawn = ticks_ && tickStyle_ == TzTickStyle::tsOwnerDraw;
    if (ownerDrawn || track_.isNull() || !(look == trackLook_)) {
        track_ = PaintTrack();
        trackLook_ = look;
    }
    return track_;
}

QImage TzSlideBar::PaintTrack() const
{
    QImage image(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
    QPainter painter(&image);
    PaintBackground(painter);
    PixelPaint canvas(painter);
    const Groove g = GrooveEdges();
    PaintGroove(canvas, g);
    if (ticks_ && max_ > min_) {
        PaintTicks(canvas, g);
    }
    return image;
}

void TzSlideBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, PaintToImage());
}

void TzSlideBar::PaintBackground(QPainter& painter) const
{
    const QRect all(0, 0, width(), height());
    if (steelLook_) {
        SteelBrush::Fill(painter, all);
        return;
    }
    const QWidget* owner = parentWidget();
    const QColor back =
        owner ? owner->palette().color(owner->backgroundRole()) : palette().color(QPalette::Window);
    painter.fillRect(all, back);
}

void TzSlideBar::PaintGroove(PixelPaint& canvas, const Groove& g) const
{
    SetFirstEdgePen(canvas);
    canvas.MoveTo(g.x2, g.y1);
    canvas.LineTo(g.x1, g.y1);
    canvas.LineTo(g.x1, g.y2);
    SetSecondEdgePen(canvas);
    canvas.LineTo(g.x2, g.y2);
    canvas.LineTo(g.x2, g.y1 - 1);
    canvas.BrushColor = ToQColor(hasFocus() ? focusColor_ : nonFocusColor_);
    canvas.FillRect(g.x1 + 1, g.y1 + 1, g.x2, g.y2);
}

void TzSlideBar::PaintTicks(PixelPaint& canvas, const Groove& g) const
{
    const int track = IsVertical() ? height() - thumb_.Bitmap.height() : width() - thumb_.Bitmap.width();
    const double spacing = double(track) / (max_ - min_);
    const bool right = tickWhere_ != TBarTickStyle::ttsLeft;
    const bool left = tickWhere_ != TBarTickStyle::ttsRight;
    int n = 0;
    // Counting in 64 bits keeps a step near the integer limit from wrapping around.
    for (long long v = min_; v <= max_; v += stepPerTick_, ++n) {
        const int offset = int(std::trunc(double(v - min_) * spacing));
        int pos = 0;
        if (IsVertical()) {
            pos = v == max_ ? g.y1 : g.y2 - offset - 1;
        } else {
            pos = v == max_ ? g.x2 - 1 : g.x1 + offset;
        }
        if (right) {
            PaintTick(canvas, pos, g, false, n);
        }
        if (left) {
            PaintTick(canvas, pos, g, true, n);
        }
    }
}

void TzSlideBar::PaintTick(PixelPaint& canvas, int pos, const Groove& g, bool leftSide, int tickNumber) const
{
    // Distances are measured from the groove edge on the tick's side.
    const int near = IsVertical() ? g.x1 : g.y1;
    const int start = leftSide ? near - tickSpace_ : near + thickness_ + tickSpace_ + 1;
    const int end = leftSide ? start - tickSize_ : start + tickSize_;
    const bool vertical = IsVertical();
    const int x = vertical ? start : pos;
    const int y = vertical ? pos : start;
    if (tickStyle_ == TzTickStyle::tsOwnerDraw) {
        if (OnOwnerDraw) {
            OnOwnerDraw(canvas.Painter(), x, y, leftSide, tickNumber);
        }
        return;
    }
    SetFirstEdgePen(canvas);
    canvas.MoveTo(x, y);
    canvas.LineTo(vertical ? end : x, vertical ? y : end);
    SetSecondEdgePen(canvas);
    canvas.MoveTo(vertical ? x : x + 1, vertical ? y + 1 : y);
    canvas.LineTo(vertical ? end : x + 1, vertical ? y + 1 : end);
}

void TzSlideBar::PaintThumb(QImage& image) const
{
    // Background AND mask, then OR thumb: the thumb shows only where its mask is black.
    const QRect r = ComputeThumbRect();
    for (int ty = 0; ty < thumb_.Bitmap.height(); ++ty) {
        const int y = r.top() + ty;
        if (y < 0 || y >= image.height()) {
            continue;
        }
        auto* dst = reinterpret_cast<QRgb*>(image.scanLine(y));
        const auto* bits = reinterpret_cast<const QRgb*>(thumb_.Bitmap.constScanLine(ty));
        const auto* mask = reinterpret_cast<const QRgb*>(thumb_.Mask.constScanLine(ty));
        for (int tx = 0; tx < thumb_.Bitmap.width(); ++tx) {
            const int x = r.left() + tx;
            if (x >= 0 && x < image.width()) {
                dst[x] = 0xFF000000u | (((dst[x] & mask[tx]) | bits[tx]) & 0x00FFFFFFu);
            }
        }
    }
}
