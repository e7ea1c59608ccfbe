#include "controls/zShapeBtn.h"

#include <QBitmap>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

QPolygon ShapePolygon(sbType shape, int width, int height)
{
    const int r = width - 1;
    const int b = height - 1;
    const int g = b / 3;
    const int h = r / 3;
    switch (shape) {
    case sbType::sbUpTriangle:
    case sbType::sb000:
    case sbType::sb360:
        return QPolygon({{r / 2, 0}, {0, b}, {r, b}});
    case sbType::sbDnTriangle:
    case sbType::sb180:
        return QPolygon({{0, 0}, {r / 2, b}, {r, 0}});
    case sbType::sbLTriangle:
    case sbType::sb270:
        return QPolygon({{0, b / 2}, {r, 0}, {r, b}});
    case sbType::sbRTriangle:
    case sbType::sb090:
        return QPolygon({{0, 0}, {r, b / 2}, {0, b}});
    case sbType::sbTLTriangle:
        return QPolygon({{0, b}, {0, 0}, {r, 0}});
    case sbType::sbTRTriangle:
        return QPolygon({{0, 0}, {r, 0}, {r, b}});
    case sbType::sbBLTriangle:
        return QPolygon({{0, 0}, {0, b}, {r, b}});
    case sbType::sbBRTriangle:
        return QPolygon({{r, 0}, {r, b}, {0, b}});
    case sbType::sbPlus:
        return QPolygon({{h, 0},
                         {2 * h, 0},
                         {2 * h, g},
                         {3 * h, g},
                         {3 * h, 2 * g},
                         {2 * h, 2 * g},
                         {2 * h, 3 * g},
                         {h, 3 * g},
                         {h, 2 * g},
                         {0, 2 * g},
                         {0, g},
                         {h, g}});
    case sbType::sbUpTrapezoid:
        return QPolygon({{h, 0}, {2 * h, 0}, {r, b}, {0, b}});
    case sbType::sbDnTrapezoid:
        return QPolygon({{0, 0}, {r, 0}, {2 * h, b}, {h, b}});
    case sbType::sbLTrapezoid:
        return QPolygon({{r, 0}, {r, b}, {0, 2 * g}, {0, g}});
    case sbType::sbRTrapezoid:
        return QPolygon({{0, 0}, {0, b}, {r, 2 * g}, {r, g}});
    case sbType::sbUpLTriangle:
    case sbType::sb315:
        return QPolygon({{0, 0}, {r / 3, b}, {r, b / 3}});
    case sbType::sbUpRTriangle:
    case sbType::sb045:
        return QPolygon({{r, 0}, {r - r / 3, b}, {0, b / 3}});
    case sbType::sbDnRTriangle:
    case sbType::sb135:
        return QPolygon({{r, b}, {0, b - b / 3}, {r - r / 3, 0}});
    case sbType::sbDnLTriangle:
    case sbType::sb225:
        return QPolygon({{0, b}, {r / 3, 0}, {r, b - b / 3}});
    case sbType::sbRectangle:
    case sbType::sbMinus:
    case sbType::sbCircle:
    case sbType::sbOwnerDraw:
        break;
    }
    return {};
}

TzShapeBtn::TzShapeBtn(QWidget* parent) : QWidget(parent)
{
    resize(25, 25);
    // The region exists from the start, so hit-testing holds before the first paint.
    BuildRegion();
}

TzShapeBtn::~TzShapeBtn()
{
    if (watchedWindow_ != nullptr) {
        watchedWindow_->removeEventFilter(this);
    }
}

const QRegion& TzShapeBtn::ShapeRegion() const
{
    if (size() != regionSize_) {
        const_cast<TzShapeBtn*>(this)->BuildRegion();
    }
    return region_;
}

void TzShapeBtn::BuildRegion()
{
    regionSize_ = size();
    const int r = width() - 1;
    const int b = height() - 1;
    const int g = b / 3;
    const int h = r / 3;
    switch (shape_) {
    case sbType::sbRectangle:
        region_ = QRegion(0, 0, r, b);
        break;
    case sbType::sbMinus:
        region_ = QRegion(QRect(QPoint(0, g), QPoint(r - 1, 2 * g - 1)));
        region_ += QRegion(QRect(QPoint(h, 0), QPoint(2 * h - 1, g - b / 12 - 1)));
        region_ += QRegion(QRect(QPoint(h, 2 * g + b / 12), QPoint(2 * h - 1, 3 * g - 1)));
        break;
    case sbType::sbCircle:
        region_ = QRegion(0, 0, width() - 1, height() - 1, QRegion::Ellipse);
        break;
    case sbType::sbOwnerDraw: {
        QRegion supplied;
        if (OnGetRegion) {
            OnGetRegion(this, supplied, height(), width());
        }
        region_ = supplied.isEmpty() ? QRegion(0, 0, r, b) : supplied;
        break;
    }
    default:
        region_ = QRegion(ShapePolygon(shape_, width(), height()), Qt::OddEvenFill);
        break;
    }
    // Qt's mask clips the painting as well as the mouse, while the bevel's right and bottom lines
    // lie on the region's edge, outside it: the mask is what the button paints, and the mouse
    // handlers test the region itself. An empty shape (a control too small for one) hits nothing.
    const QRegion painted = PaintedArea();
    setMask(painted.isEmpty() ? QRegion(-1, -1, 1, 1) : painted);
}

QRegion TzShapeBtn::PaintedArea()
{
    if (shape_ == sbType::sbOwnerDraw) {
        return region_.isEmpty() ? QRegion() : QRegion(rect());
    }
    QImage image(std::max(1, width()), std::max(1, height()), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        PaintShape(painter);
    }
    return region_ | QRegion(QBitmap::fromImage(image.createAlphaMask()));
}

void TzShapeBtn::SetShape(sbType value)
{
    if (value == shape_) {
        return;
    }
    shape_ = value;
    accelerator_ = value == sbType::sbPlus    ? QStringLiteral("+")
                   : value == sbType::sbMinus ? QStringLiteral("-")
                                              : QString();
    BuildRegion();
    update();
}

void TzShapeBtn::SetHighLightColor(TColor value)
{
    if (value != highLight_) {
        highLight_ = value;
        update();
    }
}

void TzShapeBtn::SetShadowColor(TColor value)
{
    if (value != shadow_) {
        shadow_ = value;
        update();
    }
}

TColor TzShapeBtn::Color() const
{
    if (parentColor_ && parentWidget() != nullptr) {
        const QWidget* owner = parentWidget();
        return FromQColor(owner->palette().color(owner->backgroundRole()));
    }
    return color_;
}

void TzShapeBtn::SetColor(TColor value)
{
    color_ = value;
    parentColor_ = false;
    update();
}

void TzShapeBtn::SetParentColor(bool value)
{
    parentColor_ = value;
    update();
}

void TzShapeBtn::SetTransparent(bool value)
{
    transparent_ = value;
    update();
}

QChar TzShapeBtn::AcceleratorKey() const
{
    return accelerator_.isEmpty() ? QChar(' ') : accelerator_.back();
}

void TzShapeBtn::SetAcceleratorKey(QChar value)
{
    accelerator_ = value == QChar(' ') ? QString() : QString(value);
}

void TzShapeBtn::Click()
{
    if (OnClick) {
        OnClick(this);
    }
}

void TzShapeBtn::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    BuildRegion();
}

void TzShapeBtn::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        // A disabled button is never drawn pressed.
        pressed_ = false;
        tracking_ = false;
    }
    if (event->type() == QEvent::ParentChange) {
        WatchWindow();
    }
    update();
}

void TzShapeBtn::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    WatchWindow();
}

void TzShapeBtn::WatchWindow()
{
    // The accelerator works like a dialog character: a key no control of the window took
    // reaches the window, where the button picks it up.
    QWidget* top = window();
    if (top == watchedWindow_ || top == this) {
        return;
    }
    if (watchedWindow_ != nullptr) {
        watchedWindow_->removeEventFilter(this);
    }
    watchedWindow_ = top;
    watchedWindow_->installEventFilter(this);
}

bool TzShapeBtn::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == watchedWindow_ && event->type() == QEvent::Destroy) {
        watchedWindow_ = nullptr;
        return false;
    }
    if (watched == watchedWindow_ && event->type() == QEvent::KeyPress && !accelerator_.isEmpty() &&
        isEnabled() && isVisible()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->text() == accelerator_) {
            Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TzShapeBtn::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    if (OnMouseEnter) {
        OnMouseEnter(this);
    }
}

void TzShapeBtn::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    if (OnMouseLeave) {
        OnMouseLeave(this);
    }
}

void TzShapeBtn::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (OnMouseDown) {
        OnMouseDown(this, event->button(), event->modifiers(), at.x(), at.y());
    }
    if (event->button() != Qt::LeftButton || !isEnabled() || !ShapeRegion().contains(at)) {
        return;
    }
    if (!pressed_) {
        pressed_ = true;
        repaint();
    }
    tracking_ = true;
}

void TzShapeBtn::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (OnMouseMove) {
        OnMouseMove(this, Qt::NoButton, event->modifiers(), at.x(), at.y());
    }
    if (tracking_ && ShapeRegion().contains(at) != pressed_) {
        pressed_ = !pressed_;
        repaint();
    }
}

void TzShapeBtn::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    // Only a release inside the shape after a press inside it clicks.
    const bool click =
        event->button() == Qt::LeftButton && pressed_ && tracking_ && ShapeRegion().contains(at);
    if (click) {
        Click();
    }
    if (OnMouseUp) {
        OnMouseUp(this, event->button(), event->modifiers(), at.x(), at.y());
    }
    pressed_ = false;
    tracking_ = false;
    update();
}

void TzShapeBtn::paintEvent(QPaintEvent*)
{
    {
        QPainter painter(this);
        Paint(painter);
    }
    if (OnPaint) {
        OnPaint(this);
    }
}

QImage TzShapeBtn::PaintToImage()
{
    QImage image(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
    image.fill(ToQColor(Color()));
    QPainter painter(&image);
    Paint(painter);
    return image;
}
