// Painting of the shaped button: the face, then a two-line bevel along the outline. Edges that
// face up or left get the light colour on their inner line, edges that face down or right black
// on their outer line; pressed, the two swap.
#include "controls/PixelPaint.h"
#include "controls/ZsegShapes.h"
#include "controls/zShapeBtn.h"

#include <QPainter>

#include <cmath>

namespace {

// Twice the polygon's signed area: negative when its points run clockwise on screen.
long long SignedArea2(const QPolygon& p)
{
    long long sum = 0;
    for (qsizetype i = 0; i < p.size(); ++i) {
        const QPoint a = p[i];
        const QPoint b = p[(i + 1) % p.size()];
        sum += static_cast<long long>(a.x()) * b.y() - static_cast<long long>(b.x()) * a.y();
    }
    return sum;
}

} // namespace

void TzShapeBtn::Paint(QPainter& painter)
{
    if (!isEnabled()) {
        pressed_ = false;
        tracking_ = false;
    }
    if (!transparent_) {
        PaintShape(painter);
    }
}

void TzShapeBtn::PaintShape(QPainter& painter)
{
    const QColor light = pressed_ ? QColor(Qt::black) : ToQColor(highLight_);
    const QColor dark = pressed_ ? ToQColor(highLight_) : QColor(Qt::black);
    PixelPaint canvas(painter);
    switch (shape_) {
    case sbType::sbRectangle:
        PaintRectangle(canvas, light, dark);
        break;
    case sbType::sbOwnerDraw:
        if (OnOwnerDraw) {
            OnOwnerDraw(this, painter, highLight_, shadow_, ShapeRegion(), height(), width(), pressed_);
        } else {
            PaintRectangle(canvas, light, dark);
        }
        break;
    case sbType::sbRTriangle:
    case sbType::sb090:
        PaintRTriangle(canvas, light, dark);
        break;
    case sbType::sbDnTrapezoid:
        PaintDnTrapezoid(canvas, light, dark);
        break;
    case sbType::sbCircle:
        PaintCircle(painter, light, dark);
        break;
    case sbType::sbMinus:
        PaintMinus(canvas, light, dark);
        break;
    default:
        PaintPolygon(canvas, ShapePolygon(shape_, width(), height()), light, dark);
        break;
    }
}

void TzShapeBtn::PaintRectangle(PixelPaint& canvas, const QColor& light, const QColor& dark)
{
    const int w = width();
    const int h = height();
    canvas.BrushColor = ToQColor(Color());
    canvas.FillRect(0, 0, w, h);
    canvas.PenColor = ToQColor(shadow_);
    canvas.Polyline({{0, h - 1}, {0, 0}, {w - 1, 0}});
    canvas.Polyline({{w - 2, 1}, {w - 2, h - 2}, {1, h - 2}});
    canvas.PenColor = light;
    canvas.Polyline({{1, h - 2}, {1, 1}, {w - 2, 1}});
    canvas.PenColor = dark;
    canvas.Polyline({{w - 1, 0}, {w - 1, h - 1}, {0, h - 1}});
}

void TzShapeBtn::PaintRTriangle(PixelPaint& canvas, const QColor& light, const QColor& dark)
{
    const int w = width();
    const int h = height();
    const int r = w - 1;
    const int b = h - 1;
    const int cy = b / 2;
    canvas.PenColor = ToQColor(shadow_);
    canvas.BrushColor = ToQColor(Color());
    canvas.Polygon(ShapePolygon(sbType::sbRTriangle, w, h));
    canvas.Polyline({{0, b}, {0, 0}, {r, cy}});
    canvas.Polyline({{1, h - 2}, {w - 2, cy}});
    canvas.PenColor = light;
    canvas.Polyline({{1, h - 2}, {1, 2}, {w - 3, cy}});
    canvas.PenColor = dark;
    canvas.Polyline({{0, b}, {r, cy}});
}

void TzShapeBtn::PaintDnTrapezoid(PixelPaint& canvas, const QColor& light, const QColor& dark)
{
    const int w = width();
    const int h = height();
    const int r = w - 1;
    const int b = h - 1;
    const int third = r / 3;
    canvas.PenColor = ToQColor(Color());
    canvas.BrushColor = ToQColor(Color());
    canvas.Polygon(ShapePolygon(sbType::sbDnTrapezoid, w, h));
    canvas.PenColor = light;
    canvas.Polyline({{third + 1, h - 2}, {2, 1}, {w - 2, 1}});
    canvas.PenColor = dark;
    canvas.Polyline({{third, b}, {2 * third, b}, {r, 1}});
    canvas.PenColor = ToQColor(shadow_);
    canvas.Polyline({{third, b}, {0, 0}, {w, 0}});
    canvas.Polyline({{third + 1, h - 2}, {2 * third - 1, h - 2}, {w - 2, 1}});
}

void TzShapeBtn::PaintPolygon(PixelPaint& canvas, const QPolygon& outline, const QColor& light,
                              const QColor& dark)
{
    if (outline.size() < 3) {
        return;
    }
    canvas.PenColor = ToQColor(shadow_);
    canvas.BrushColor = ToQColor(Color());
    canvas.Polygon(outline);
    // Outward normal of edge a->b is (dy, -dx) for counter-clockwise points on screen.
    const double orientation = SignedArea2(outline) < 0 ? -1.0 : 1.0;
    const QPointF centre = QRectF(outline.boundingRect()).center();
    for (qsizetype i = 0; i < outline.size(); ++i) {
        const QPoint a = outline[i];
        const QPoint b = outline[(i + 1) % outline.size()];
        const double nx = orientation * (b.y() - a.y());
        const double ny = orientation * -(b.x() - a.x());
        const bool facesUpOrLeft = ny < 0 || (ny == 0 && nx < 0);
        if (facesUpOrLeft) {
            // One pixel in from the edge, towards the shape's middle.
            const int dx = centre.x() > (a.x() + b.x()) / 2.0 ? 1 : -1;
            const int dy = centre.y() > (a.y() + b.y()) / 2.0 ? 1 : -1;
            const bool steep = std::abs(b.y() - a.y()) > std::abs(b.x() - a.x());
            const QPoint in = steep ? QPoint(dx, 0) : QPoint(0, dy);
            canvas.PenColor = light;
            canvas.Polyline({a + in, b + in});
        } else {
            canvas.PenColor = dark;
            canvas.Polyline({a, b});
        }
    }
}

void TzShapeBtn::PaintCircle(QPainter& painter, const QColor& light, const QColor& dark)
{
    PixelPaint canvas(painter);
    RoundShapes::Ellipse(canvas, 0, 0, width() - 1, height() - 1, ToQColor(shadow_), ToQColor(Color()));
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(light);
    painter.drawArc(QRect(1, 1, width() - 4, height() - 4), 45 * 16, 180 * 16);
    painter.setPen(dark);
    painter.drawArc(QRect(0, 0, width() - 2, height() - 2), 225 * 16, 180 * 16);
}

void TzShapeBtn::PaintMinus(PixelPaint& canvas, const QColor& light, const QColor& dark)
{
    for (const QRect& part : ShapeRegion()) {
        const int l = part.left();
        const int t = part.top();
        const int r = part.right() + 1;
        const int b = part.bottom() + 1;
        canvas.BrushColor = ToQColor(Color());
        canvas.FillRect(l, t, r, b);
        canvas.PenColor = light;
        canvas.Polyline({{l, b - 1}, {l, t}, {r - 1, t}});
        canvas.PenColor = dark;
        canvas.Polyline({{r - 1, t}, {r - 1, b - 1}, {l, b - 1}});
    }
}
