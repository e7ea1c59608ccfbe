// Capture and restore of a scaled window's design layout, and fitting the client to the screen.
#include "controls/GTSize32.h"

#include "controls/GTSize32Controls.h"
#include "controls/GTSize32Hold.h"
#include "platform/Rounding.h"

#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <algorithm>
#include <cstdlib>

namespace {

// Font heights are kept in pixels, as the class library's Font.Height was.
int FontPixelHeight(const QFont& font, int dpiY)
{
    if (font.pixelSize() > 0) {
        return font.pixelSize();
    }
    if (font.pointSizeF() > 0.0) {
        return std::max(1, RoundHalfEven(font.pointSizeF() * dpiY / 72.0));
    }
    return 0;
}

void SetFontPixelHeight(QWidget& widget, int height)
{
    QFont font = widget.font();
    font.setPixelSize(std::max(1, height));
    widget.setFont(font);
}

// "1080-2": the screen size before the first "-", the margin after it.
void ParseDesign(const QString& text, int fallbackScreen, int& screen, int& margin)
{
    const qsizetype dash = text.indexOf(QLatin1Char('-'));
    bool ok = false;
    const int value = (dash < 0 ? text : text.left(dash)).trimmed().toInt(&ok);
    // A missing or zero design screen is taken as the current one, so nothing divides by zero.
    screen = ok && value > 0 ? value : std::max(1, fallbackScreen);
    if (dash >= 0) {
        const int parsed = text.mid(dash + 1).trimmed().toInt(&ok);
        if (ok) {
            margin = std::abs(parsed);
        }
    }
}

} // namespace

std::vector<QObject*> GTForm::Components() const
{
    return GTControls::ComponentsOf(*form_, this);
}

int GTForm::ClientWidth() const
{
    return form_ ? form_->width() : 0;
}

// The client lies below the menu bar: controls scale with the room they have, so the bottom row
// reaches the window's bottom at every size, however tall the desktop's menu font makes the bar.
int GTForm::ClientHeight() const
{
    return form_ ? std::max(0, form_->height() - NonClientHeight()) : 0;
}

// A maximized or full-screen window has the size the window manager gave it; resizing it would
// end the maximized state and push its frame past the screen.
bool GTForm::SizeFixedByWindowManager() const
{
    return form_ && (form_->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) &&
           form_->isVisible();
}

void GTForm::SetClientWidth(int width)
{
    if (form_ && !SizeFixedByWindowManager()) {
        form_->resize(std::clamp(width, 1, QWIDGETSIZE_MAX), form_->height());
    }
}

void GTForm::SetClientHeight(int height)
{
    if (form_ && !SizeFixedByWindowManager()) {
        form_->resize(form_->width(),
                      std::clamp(height, 1, QWIDGETSIZE_MAX - NonClientHeight()) + NonClientHeight());
    }
}

void GTForm::SetClientSize(int width, int height)
{
    SetClientHeight(height);
    SetClientWidth(width);
}

// The menu bar of a main window is the part of the frame whose height can change (when it wraps).
int GTForm::NonClientHeight() const
{
    const auto* window = qobject_cast<const QMainWindow*>(form_.data());
    const QWidget* menu = window != nullptr ? window->menuWidget() : nullptr;
    if (menu == nullptr || menu->isHidden()) {
        return 0;
    }
    const int forWidth = menu->heightForWidth(ClientWidth());
    return forWidth > 0 ? forWidth : menu->sizeHint().height();
}

int GTForm::FormFontHeight() const
{
    return form_ ? FontPixelHeight(form_->font(), form_->logicalDpiY()) : 0;
}

void GTForm::SetFormFontHeight(int height)
{
    if (!form_ || height <= 0) {
        return;
    }
    // The menu bar belongs to the frame and keeps the desktop's menu font: grown with the window's
    // font it would wrap or heighten, and the height taken from the controls would depend on the
    // order of sizes the window went through.
    auto* window = qobject_cast<QMainWindow*>(form_.data());
    QWidget* menu = window != nullptr ? window->menuWidget() : nullptr;
    if (menu != nullptr && !menu->testAttribute(Qt::WA_SetFont)) {
        menu->setFont(menu->font());
    }
    SetFontPixelHeight(*form_, height);
}

QPointer<QWidget> GTForm::FocusedControl() const
{
    return form_ ? QPointer<QWidget>(form_->focusWidget()) : QPointer<QWidget>();
}

void GTForm::RestoreFocus(const QPointer<QWidget>& control) const
{
    if (NormalState() && control && control->isVisible() && !control->hasFocus()) {
        control->setFocus();
    }
}

void GTForm::ScaleControlFont(QWidget* control, double factor)
{
    if (control == nullptr || !control->testAttribute(Qt::WA_SetFont)) {
        return;
    }
    const int height = FontPixelHeight(control->font(), control->logicalDpiY());
    if (factor == 450.0) {
        if (current_ != nullptr) {
            current_->FontHeight = height;
        }
        return;
    }
    if (factor == -450.0) {
        if (current_ != nullptr && current_->FontHeight > 0) {
            SetFontPixelHeight(*control, current_->FontHeight);
        }
        return;
    }
    // A font never shrinks to nothing, however small the window.
    const int scaled = std::max(1, RoundHalfEven(height * factor));
    if (height <= 0 || scaled == height) {
        return;
    }
    SetFontPixelHeight(*control, scaled);
    // Edit boxes take the height of their text, as they did when their font changed.
    if (qobject_cast<QLineEdit*>(control) != nullptr && !GTControls::IsLaidOut(*control)) {
        control->resize(control->width(), control->sizeHint().height());
    }
}

std::optional<QRect> GTForm::DesignBounds(const QWidget* control) const
{
    for (std::size_t i = 1; i < layout_.size(); ++i) {
        const Objs& entry = layout_[i];
        if (control != nullptr && entry.Component == control) {
            return QRect(entry.Left, entry.Top, entry.Right - entry.Left, entry.Bottom - entry.Top);
        }
    }
    return std::nullopt;
}

void GTForm::SetDesignBounds(QWidget* control, const QRect& bounds)
{
    if (control == nullptr) {
        return;
    }
    auto entry = std::find_if(layout_.begin() + (layout_.empty() ? 0 : 1), layout_.end(),
                              [control](const Objs& e) { return e.Component == control; });
    if (entry == layout_.end()) {
        control->setGeometry(bounds);
        return;
    }
    entry->Left = bounds.x();
    entry->Top = bounds.y();
    entry->Right = bounds.x() + bounds.width();
    entry->Bottom = bounds.y() + bounds.height();
    // The present bounds belong to the reference client; scale the edges as a rescale would.
    int left = entry->Left;
    int right = entry->Right;
    int top = entry->Top;
    int bottom = entry->Bottom;
    ScaleRectHorizontally(left, right, layout_.front().Right, refWidth_);
    ScaleRectVertically(top, bottom, layout_.front().Bottom, refHeight_);
    if (!GTControls::IsLaidOut(*control)) {
        control->setGeometry(left, top, right - left, bottom - top);
    }
}

QFont GTForm::ScaledFont(const QFont& designFont) const
{
    const int designHeight = layout_.empty() ? 0 : layout_.front().Bottom;
    const int clientHeight = ClientHeight();
    // Fonts keep their size on very small windows, as in a rescale.
    if (!form_ || designHeight <= 0 || clientHeight == designHeight || clientHeight < 100) {
        return designFont;
    }
    const int height = FontPixelHeight(designFont, form_->logicalDpiY());
    if (height <= 0) {
        return designFont;
    }
    QFont font = designFont;
    font.setPixelSize(std::max(1, RoundHalfEven(double(height) * clientHeight / designHeight)));
    return font;
}

void GTForm::RecordReferenceSize()
{
    refHeight_ = clientHeightDesign_;
    refWidth_ = clientWidthDesign_;
    MeasureMargins();
    const QSize screen = Screen();
    screenWidth_ = screen.width() > 0 ? screen.width() : 0;
    screenHeight_ = screen.height() > 0 ? screen.height() : 0;
}

void GTForm::MeasureMargins()
{
    if (!NormalState()) {
        return;
    }
    extentRight_ = 0;
    extentBottom_ = 0;
    for (QObject* component : Components()) {
        auto* control = qobject_cast<QWidget*>(component);
        if (!GTControls::IsControl(control) || control->parentWidget() != form_ ||
            GTControls::IsLaidOut(*control)) {
            continue;
        }
        extentRight_ = std::max(extentRight_, control->x() + control->width());
        extentBottom_ = std::max(extentBottom_, control->y() + control->height());
    }
    rightMargin_ = std::abs(ClientWidth() - extentRight_);
    bottomMargin_ = std::abs(ClientHeight() - extentBottom_);
}

void GTForm::ReadDesignStrings()
{
    const QSize screen = Screen();
    ParseDesign(designW_, screen.width(), designScreenWidth_, rightMargin_);
    ParseDesign(designH_, screen.height(), designScreenHeight_, bottomMargin_);
}

void GTForm::FitClientToScreen()
{
    MeasureMargins();
    ReadDesignStrings();
    const QSize screen = Screen();
    // A window whose controls all sit in Qt layouts has no extent to fit around.
    if (extentRight_ > 0 && screen.width() > 0) {
        SetClientWidth(RoundHalfEven(double(rightMargin_) / designScreenWidth_ * screen.width()) +
                       extentRight_);
    }
    if (extentBottom_ > 0 && screen.height() > 0) {
        SetClientHeight(RoundHalfEven(double(bottomMargin_) / designScreenHeight_ * screen.height()) +
                        extentBottom_);
    }
}

void GTForm::CaptureLayout()
{
    layout_.clear();
    labels_.clear();
    Objs window;
    window.Right = ClientWidth();
    window.Bottom = ClientHeight();
    window.FontHeight = FormFontHeight();
    window.Component = form_.data();
    layout_.push_back(window);
    aspectRatio_ = window.Right > 0 ? double(window.Bottom) / window.Right : 0.0;

    const std::vector<QObject*> components = Components();
    for (QObject* component : components) {
        Objs entry;
        entry.Component = component;
        if (GTControls::IsControl(component)) {
            auto* control = static_cast<QWidget*>(component);
            entry.Left = control->x();
            entry.Top = control->y();
            entry.Right = control->x() + control->width();
            entry.Bottom = control->y() + control->height();
            current_ = &entry;
            ScaleControlFont(control, 450.0);
            current_ = nullptr;
        }
        layout_.push_back(entry);
    }
    for (QObject* component : components) {
        if (GTControls::IsPlainLabel(component)) {
            auto* label = static_cast<QLabel*>(component);
            labels_.push_back({label, label->alignment()});
        }
    }
}

void GTForm::StoreReference()
{
    refWidth_ = ClientWidth();
    refHeight_ = ClientHeight();
    refFontHeight_ = FormFontHeight();
}

void GTForm::RebuildLayout()
{
    CaptureLayout();
    StoreReference();
    ComputeMinimumSizes();
    RestoreDesignLayout();
}

void GTForm::RestoreDesignLayout()
{
    if (!form_ || layout_.empty()) {
        return;
    }
    GTRepaintHold hold(form_);
    bool reactivate = false;
    // Two passes, as aligned controls and edit heights settle only once their parents have their size.
    for (int pass = 0; pass < 2; ++pass) {
        enabled_ = false;
        if (active_) {
            active_ = false;
            reactivate = true;
        }
        RestorePass();
    }
    if (reactivate) {
        SetActive(true);
    }
    enabled_ = true;
}

void GTForm::RestorePass()
{
    const Objs window = layout_.front();
    SetClientHeight(window.Bottom);
    SetClientWidth(window.Right);
    SetFormFontHeight(window.FontHeight);
    for (std::size_t i = 1; i < layout_.size(); ++i) {
        Objs& entry = layout_[i];
        auto* control = qobject_cast<QWidget*>(entry.Component.data());
        if (!GTControls::IsControl(control)) {
            continue;
        }
        current_ = &entry;
        if (!GTControls::IsLaidOut(*control)) {
            control->setGeometry(entry.Left, entry.Top, entry.Right - entry.Left, entry.Bottom - entry.Top);
        }
        ScaleControlFont(control, -450.0);
        current_ = nullptr;
    }
    MeasureMargins();
    StoreReference();
    ComputeMinimumSizes();
}

void GTForm::ComputeMinimumSizes()
{
    labelsAutoSize_ = false;
    bool found = false;
    bool mediaPlayer = false;
    for (QObject* component : Components()) {
        auto* control = qobject_cast<QWidget*>(component);
        if (!GTControls::IsControl(control)) {
            continue;
        }
        const GTSpecialKind kind = GTControls::SpecialKindOf(*control);
        const bool navigator = kind == GTSpecialKind::DBNavigator || kind == GTSpecialKind::GTNavigator;
        if (kind != GTSpecialKind::MediaPlayer && !(navigator && !mediaPlayer)) {
            continue;
        }
        const int floorWidth = kind == GTSpecialKind::MediaPlayer ? 253 : 241;
        specialLeft_ = control->x();
        specialTop_ = control->y();
        specialRight_ = control->x() + std::max(control->width(), floorWidth);
        specialBottom_ = control->y() + control->height();
        if (kind == GTSpecialKind::MediaPlayer) {
            minimumHeight_ = 20;
            minimumWidth_ = 253;
            mediaPlayer = true;
        } else if (kind == GTSpecialKind::DBNavigator) {
            minimumHeight_ = 18;
            minimumWidth_ = 191;
        } else {
            minimumHeight_ = 14;
            minimumWidth_ = 151;
        }
        found = true;
    }
    if (!found) {
        specialLeft_ = 0;
        specialTop_ = 0;
        specialRight_ = refWidth_;
        specialBottom_ = refHeight_;
        minimumHeight_ = RoundHalfEven(refHeight_ * 0.25);
        minimumWidth_ = RoundHalfEven(refWidth_ * 0.25);
    }
    if (refWidth_ > 0) {
        widthRatio_ = std::max(widthRatio_, double(specialRight_ - specialLeft_) / refWidth_);
    }
    if (refHeight_ > 0) {
        heightRatio_ = std::max(heightRatio_, double(specialBottom_ - specialTop_) / refHeight_);
    }
}
