#include "controls/SlideBarThumbs.h"

#include "controls/PixelPaint.h"

#include <QPainter>

#include <algorithm>
#include <functional>

namespace {

const QColor kGray(0x80, 0x80, 0x80);
const QColor kBlack(0, 0, 0);
const QColor kWhite(0xFF, 0xFF, 0xFF);

// Shorthand for the thumb art below.
class ThumbCanvas
{
public:
    ThumbCanvas(QImage& image) : painter_(&image), canvas_(painter_) {}
    void Poly(const QColor& color, std::initializer_list<QPoint> points)
    {
        canvas_.PenColor = color;
        canvas_.Polyline(points);
    }
    void Shape(const QColor& color, const QPolygon& points)
    {
        canvas_.PenColor = color;
        canvas_.BrushColor = color;
        canvas_.Polygon(points);
    }

private:
    QPainter painter_;
    PixelPaint canvas_;
};

QImage NewImage(int w, int h, const QColor& color)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

// The four bevelled thumbs the program's windows use, drawn exactly as designed.
SlideBarThumb VertHigh(const QColor& face)
{
    SlideBarThumb t{NewImage(10, 20, face), NewImage(10, 20, kBlack)};
    ThumbCanvas c(t.Bitmap);
    c.Poly(kGray, {{0, 19}, {0, 0}, {9, 0}, {5, 0}, {5, 18}, {2, 18}, {8, 18}, {8, 2}});
    c.Poly(kBlack, {{1, 19}, {9, 19}, {9, 0}});
    c.Poly(kWhite, {{6, 1}, {8, 1}});
    c.Poly(kWhite, {{1, 18}, {1, 1}, {4, 1}, {4, 17}});
    return t;
}

SlideBarThumb HorzHigh(const QColor& face)
{
    SlideBarThumb t{NewImage(20, 10, face), NewImage(20, 10, kBlack)};
    ThumbCanvas c(t.Bitmap);
    c.Poly(kGray, {{0, 9}, {0, 0}, {19, 0}});
    c.Poly(kGray, {{0, 5}, {18, 5}, {18, 8}, {2, 8}});
    c.Poly(kGray, {{18, 2}, {18, 3}});
    c.Poly(kBlack, {{19, 1}, {19, 9}, {0, 9}});
    c.Poly(kWhite, {{1, 6}, {1, 8}});
    c.Poly(kWhite, {{18, 1}, {1, 1}, {1, 4}, {18, 4}});
    return t;
}

SlideBarThumb VertLow(const QColor& face)
{
    SlideBarThumb t{NewImage(10, 20, face), NewImage(10, 20, kBlack)};
    ThumbCanvas c(t.Bitmap);
    c.Poly(kGray, {{0, 19}, {0, 0}, {9, 0}, {4, 0}, {4, 18}, {2, 18}, {8, 18}, {8, 2}});
    c.Poly(kBlack, {{9, 1}, {9, 19}, {0, 19}});
    c.Poly(kWhite, {{1, 18}, {1, 1}, {3, 1}});
    c.Poly(kWhite, {{8, 1}, {5, 1}, {5, 17}});
    return t;
}

SlideBarThumb HorzLow(const QColor& face)
{
    SlideBarThumb t{NewImage(20, 10, face), NewImage(20, 10, kBlack)};
    ThumbCanvas c(t.Bitmap);
    c.Poly(kGray, {{19, 0}, {0, 0}, {0, 9}, {0, 4}, {18, 4}, {18, 2}, {18, 8}, {2, 8}});
    c.Poly(kBlack, {{1, 9}, {19, 9}, {19, 0}});
    c.Poly(kWhite, {{1, 8}, {1, 5}, {17, 5}});
    c.Poly(kWhite, {{1, 3}, {1, 1}, {18, 1}});
    return t;
}

SlideBarThumb Top(const QColor& face)
{
    SlideBarThumb t{NewImage(11, 27, face), NewImage(11, 27, kBlack)};
    const QPolygon notch(QList<QPoint>{{0, 6}, {0, 0}, {10, 0}, {10, 6}, {5, 1}});
    ThumbCanvas(t.Mask).Shape(kWhite, notch);
    ThumbCanvas c(t.Bitmap);
    c.Shape(kBlack, notch);
    c.Shape(face, QPolygon(QList<QPoint>{{5, 4}, {2, 7}, {2, 24}, {8, 24}, {8, 7}}));
    c.Poly(kGray, {{5, 2}, {0, 7}, {0, 27}});
    c.Poly(kGray, {{0, 25}, {9, 25}, {9, 7}, {5, 3}});
    c.Poly(kBlack, {{1, 26}, {10, 26}, {10, 7}, {5, 2}});
    return t;
}

// A plain bevelled block: light top and left, dark bottom and right.
SlideBarThumb Block(int w, int h, const QColor& face)
{
    SlideBarThumb t{NewImage(w, h, face), NewImage(w, h, kBlack)};
    ThumbCanvas c(t.Bitmap);
    c.Poly(kWhite, {{0, h - 1}, {0, 0}, {w, 0}});
    c.Poly(kGray, {{1, h - 2}, {w - 2, h - 2}, {w - 2, 0}});
    c.Poly(kBlack, {{0, h - 1}, {w - 1, h - 1}, {w - 1, -1}});
    return t;
}

// A bevelled frame whose inside is see-through, optionally crossed by a centre line.
enum class CentreLine
{
    None,
    Horizontal,
    Vertical
};

SlideBarThumb Hollow(int w, int h, int border, const QColor& face, CentreLine line)
{
    SlideBarThumb t = Block(w, h, face);
    const int l = border, tp = border, r = w - border, b = h - border;
    QRect centre;
    if (line == CentreLine::Horizontal) {
        centre = EdgesToRect(l, h / 2, r, h / 2 + 1);
    } else if (line == CentreLine::Vertical) {
        centre = EdgesToRect(w / 2, tp, w / 2 + 1, b);
    }
    {
        QPainter mask(&t.Mask);
        mask.fillRect(EdgesToRect(l, tp, r, b), kWhite);
        if (!centre.isNull()) {
            mask.fillRect(centre, kBlack);
        }
    }
    {
        QPainter bitmap(&t.Bitmap);
        bitmap.fillRect(EdgesToRect(l, tp, r, b), kBlack);
    }
    ThumbCanvas c(t.Bitmap);
    c.Poly(kGray, {{l - 1, b}, {l - 1, tp - 1}, {r + 1, tp - 1}});
    c.Poly(kWhite, {{l, b}, {r, b}, {r, tp - 1}});
    return t;
}

// A thumb whose outline follows a shape: opaque inside, light upper edge, dark lower edge.
SlideBarThumb Shaped(int w, int h, const QColor& face, const std::function<bool(int, int)>& inside,
                     const std::function<bool(int, int)>& lit)
{
    SlideBarThumb t{NewImage(w, h, kBlack), NewImage(w, h, kWhite)};
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (!inside(x, y)) {
                continue;
            }
            t.Mask.setPixel(x, y, qRgb(0, 0, 0));
            const bool edge =
                !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
            const QColor color = edge ? (lit(x, y) ? kWhite : kBlack) : face;
            t.Bitmap.setPixel(x, y, color.rgb());
        }
    }
    return t;
}

SlideBarThumb Pointed(const QColor& face)
{
    // 27 x 11 with the point at the left end; the body's corners sit at x = 5.
    const auto inside = [](int x, int y) {
        if (x < 0 || x > 26 || y < 0 || y > 10) {
            return false;
        }
        return x >= 5 || (y >= 5 - x && y <= 5 + x);
    };
    const auto lit = [](int x, int y) { return y < 5 || (x < 5 && y == 5); };
    return Shaped(27, 11, face, inside, lit);
}

SlideBarThumb Round(int w, int h, const QColor& face)
{
    // A disc (square size) or a capsule (wider than high); pixel centres are tested.
    const double radius = h / 2.0;
    const auto inside = [=](int x, int y) {
        if (x < 0 || x >= w || y < 0 || y >= h) {
            return false;
        }
        const double px = x + 0.5, py = y + 0.5;
        const double cx = std::clamp(px, radius, w - radius);
        return (px - cx) * (px - cx) + (py - radius) * (py - radius) <= radius * radius;
    };
    const auto lit = [=](int x, int y) { return x + y < (w + h) / 2 - 1; };
    return Shaped(w, h, face, inside, lit);
}

} // namespace

SlideBarThumb BuildSlideBarThumb(TThumbStyle style, const QColor& face)
{
    switch (style) {
    case TThumbStyle::tsHorzHigh:
        return HorzHigh(face);
    case TThumbStyle::tsVertHigh:
        return VertHigh(face);
    case TThumbStyle::tsHorzLow:
        return HorzLow(face);
    case TThumbStyle::tsVertLow:
        return VertLow(face);
    case TThumbStyle::tsSquare:
        return Block(20, 20, face);
    case TThumbStyle::tsSquarehollow:
        return Hollow(20, 20, 4, face, CentreLine::None);
    case TThumbStyle::tsLeft:
        return Pointed(face);
    case TThumbStyle::tsRight: {
        SlideBarThumb t = Pointed(face);
        return {t.Bitmap.mirrored(true, false), t.Mask.mirrored(true, false)};
    }
    case TThumbStyle::tsTop:
        return Top(face);
    case TThumbStyle::tsBottom: {
        SlideBarThumb t = Top(face);
        return {t.Bitmap.mirrored(false, true), t.Mask.mirrored(false, true)};
    }
    case TThumbStyle::tsRound:
        return Round(15, 15, face);
    case TThumbStyle::tsHorzRound:
        return Round(20, 10, face);
    case TThumbStyle::tsSquarehollowHorz:
        return Hollow(20, 10, 3, face, CentreLine::None);
    case TThumbStyle::tsSquarehollowVert:
        return Hollow(10, 20, 3, face, CentreLine::None);
    case TThumbStyle::tsSquarehollowHLine:
        return Hollow(20, 10, 3, face, CentreLine::Horizontal);
    case TThumbStyle::tsSquarehollowVLine:
        return Hollow(10, 20, 3, face, CentreLine::Vertical);
    }
    return VertHigh(face);
}
