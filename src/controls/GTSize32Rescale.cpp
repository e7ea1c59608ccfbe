// Rescaling a scaled window's controls and fonts when the window changes size, keeping the
// aspect ratio of the captured layout and the minimum sizes.
#include "controls/GTSize32.h"

#include "controls/GTSize32Controls.h"
#include "controls/GTSize32Hold.h"
#include "platform/Rounding.h"

#include <QLabel>
#include <QScopedValueRollback>
#include <algorithm>

namespace {

bool HasAlignedChild(const QWidget& parent)
{
    for (const QObject* child : parent.children()) {
        const auto* w = qobject_cast<const QWidget*>(child);
        if (w != nullptr && !w->isWindow() && GTControls::AlignOf(*w) != TAlign::alNone) {
            return true;
        }
    }
    return false;
}

const Objs* EntryOf(const std::vector<Objs>& layout, const QObject* component)
{
    const auto it = std::find_if(layout.begin(), layout.end(),
                                 [component](const Objs& entry) { return entry.Component == component; });
    return it != layout.end() ? &*it : nullptr;
}

} // namespace

void GTForm::FormResize()
{
    if (!form_ || inResize_ || !created_) {
        return;
    }
    // A minimised or empty window has no size to scale to.
    if (form_->isMinimized() || ClientWidth() <= 0 || ClientHeight() <= 0) {
        return;
    }
    // Client-size changes made below must not re-enter.
    QScopedValueRollback<bool> detached(inResize_, true);
    GTRepaintHold hold(form_);

    int minWidth = RtMinimumWidth;
    int maxWidth = RtMaximumWidth;
    int minHeight = RtMinimumHeight;
    int maxHeight = RtMaximumHeight;
    if (enabled_ || active_) {
        const QSize screen = Screen();
        if (sameSize_ && screen.width() > 0 && screen.height() > 0) {
            ReadDesignStrings();
            const double w = double(screen.width()) / designScreenWidth_;
            const double h = double(screen.height()) / designScreenHeight_;
            minWidth = RoundHalfEven(minWidth * w);
            maxWidth = RoundHalfEven(maxWidth * w);
            minHeight = RoundHalfEven(minHeight * h);
            maxHeight = RoundHalfEven(maxHeight * h);
        }
        if (minWidth != 0 && minWidth >= ClientWidth()) {
            SetClientWidth(minWidth);
        }
        if (maxWidth != 0 && ClientWidth() >= maxWidth) {
            SetClientWidth(maxWidth);
        }
        if (minHeight != 0 && minHeight >= ClientHeight()) {
            SetClientHeight(minHeight);
        }
        if (maxHeight != 0 && ClientHeight() >= maxHeight) {
            SetClientHeight(maxHeight);
        }
    }
    const bool atMinima = ClientWidth() == minWidth && ClientHeight() == minHeight;
    const bool atMaxima = ClientWidth() == maxWidth && ClientHeight() == maxHeight;
    // Without a captured ratio there is nothing to keep.
    if (atMinima || atMaxima || !active_ || aspectRatio_ <= 0.0 || layout_.empty()) {
        FullRescale();
    } else {
        AspectRescale();
    }
}

void GTForm::AspectRescale()
{
    if (inAspectPass_) {
        return;
    }
    QScopedValueRollback<bool> pass(inAspectPass_, true);
    CheckChangedScreen();
    if (form_->isMaximized()) {
        active_ = false;
        FullRescale();
        maximizedTransition_ = true;
    }
    if (!active_ || layout_.empty() || aspectRatio_ <= 0.0) {
        return;
    }
    active_ = false;
    const Objs& design = layout_.front();
    // A layout scaled down to a third carries rounding errors; scale from the design instead.
    if (refHeight_ <= RoundHalfEven(design.Bottom / 3.0) || refWidth_ <= RoundHalfEven(design.Right / 3.0)) {
        RestoreKeepingClient();
    }
    if (ClientWidth() != refWidth_) {
        // The user changed the width: the height follows.
        FullRescale();
        refHeight_ = ClientHeight();
        SetClientHeight(RoundHalfEven(ClientWidth() * aspectRatio_));
    } else if (!maximizedTransition_) {
        // The user changed the height: the width follows.
        refWidth_ = ClientWidth();
        SetClientWidth(RoundHalfEven(ClientHeight() / aspectRatio_));
    }
    FullRescale();
    SetActive(true);
}

void GTForm::CheckChangedScreen()
{
    if (form_->isMaximized()) {
        return;
    }
    const QSize screen = Screen();
    if (screen.width() <= 0 || screen.height() <= 0) {
        return;
    }
    if (screenWidth_ != 0 && screenWidth_ != screen.width() && !layout_.empty()) {
        const Objs design = layout_.front();
        if (ClientWidth() != design.Right || ClientHeight() != design.Bottom || screenChange_) {
            enabled_ = false;
            active_ = false;
            int width = design.Right;
            int height = design.Bottom;
            if (sameSize_) {
                ReadDesignStrings();
                width = RoundHalfEven(double(width) * screen.width() / designScreenWidth_);
                height = RoundHalfEven(double(height) * screen.height() / designScreenHeight_);
            }
            SetClientSize(width, height);
            ScaleToClient(100);
            screenChange_ = false;
        }
        ComputeMinimumSizes();
        screenWidth_ = screen.width();
        screenHeight_ = screen.height();
        RebuildLayout();
        enabled_ = true;
        SetActive(true);
    }
    screenWidth_ = screen.width();
    screenHeight_ = screen.height();
}

void GTForm::FullRescale()
{
    const QSize screen = Screen();
    if (NormalState() && !inAspectPass_ && screenWidth_ != 0 && screen.width() > 0 &&
        screen.width() != screenWidth_) {
        const bool wasActive = active_;
        active_ = true;
        AspectRescale();
        active_ = wasActive;
        return;
    }
    const QPointer<QWidget> focus = FocusedControl();
    // A window created maximized gets its design layout back when first shown at a normal size.
    if (shared_.StartedMaximized && !form_->isMaximized()) {
        shared_.StartedMaximized = false;
        RestoreDesignLayout();
        return;
    }
    if (inFullRescale_) {
        return;
    }
    inFullRescale_ = true;
    if (form_->isMaximized()) {
        maximizedTransition_ = true;
    }
    // A menu bar that wraps to a second line must not shrink the room for the controls.
    const int extra = NonClientHeight() - baseNonClientHeight_;
    if (extra != extraNonClientHeight_) {
        SetClientHeight(ClientHeight() + (extra - extraNonClientHeight_));
    }
    extraNonClientHeight_ = extra;
    if (!enabled_ && !maximizedTransition_) {
        enabled_ = true;
    }
    if (!layout_.empty() && refHeight_ <= RoundHalfEven(layout_.front().Bottom / 3.0)) {
        RestoreKeepingClient();
    }
    MinimumClientHeight(100, focus);
    inFullRescale_ = false;
    ScaleToClient(100);
    if (shared_.AdaptationPending) {
        shared_.AdaptationPending = false;
        shared_.Rescaled = true;
    } else {
        RestoreFocus(focus);
    }
    if (maximizedTransition_) {
        if (inAspectPass_) {
            active_ = true;
        }
        maximizedTransition_ = false;
    }
    PlaceLabels();
    if (GTOnResize) {
        GTOnResize(form_);
    }
}

// Puts the design layout back under the size the user chose, so the next scale starts from it.
void GTForm::RestoreKeepingClient()
{
    const int width = ClientWidth();
    const int height = ClientHeight();
    RestoreDesignLayout();
    SetClientSize(width, height);
}

void GTForm::MinimumClientHeight(int threshold, const QPointer<QWidget>& focus)
{
    if (shared_.AdaptationPending) {
        return;
    }
    if (ClientHeight() >= threshold || minimumEnforced_) {
        return;
    }
    RestoreFocus(focus);
    if (form_->isMaximized()) {
        return;
    }
    if (ClientWidth() < refWidth_) {
        SetClientWidth(refWidth_);
    }
    if (ClientHeight() < refHeight_) {
        SetClientHeight(refHeight_);
    }
    if (active_) {
        AspectRescale();
    }
}

void GTForm::ScaleToClient(int threshold)
{
    if (ClientHeight() == refHeight_ && ClientWidth() == refWidth_) {
        return;
    }
    // Nothing to scale from: the present size becomes the reference.
    if (refHeight_ <= 0 || refWidth_ <= 0) {
        StoreReference();
        return;
    }
    const QPointer<QWidget> focus = FocusedControl();
    minimumEnforced_ = false;
    if (!maximizedTransition_) {
        EnforceMinimumSize();
    }
    double factor = double(ClientHeight()) / refHeight_;
    labelsAutoSize_ = inAspectPass_;
    // Fonts keep their size on very small windows; bounds still scale.
    if (ClientHeight() < threshold) {
        factor = 1.0;
    }
    if (!aspectStepPending_ && maximizedTransition_) {
        factor = ClientWidth() * aspectRatio_ / refHeight_;
        aspectStepPending_ = true;
    } else if (aspectStepPending_) {
        aspectStepPending_ = false;
        if (refWidth_ * aspectRatio_ > 0.0) {
            factor = ClientHeight() / (refWidth_ * aspectRatio_);
        }
    }
    if (factor <= 0.0) {
        factor = 1.0;
    }
    ScaleControls(factor);
    if (refFontHeight_ > 0.0) {
        SetFormFontHeight(std::max(1, RoundHalfEven(refFontHeight_ * factor)));
    }
    if (labelsAutoSize_) {
        AutoSizeLabels();
    }
    StoreReference();
    RestoreFocus(focus);
}

void GTForm::EnforceMinimumSize()
{
    const int width = ClientWidth();
    const int height = ClientHeight();
    if (refWidth_ > 0 && widthRatio_ > 0.0) {
        const int scaled = RoundHalfEven(double(width) * specialRight_ / refWidth_) -
                           RoundHalfEven(double(width) * specialLeft_ / refWidth_);
        if (scaled < minimumWidth_) {
            SetClientWidth(RoundHalfEven(minimumWidth_ / widthRatio_));
            minimumEnforced_ = true;
        }
    }
    if (refHeight_ > 0 && heightRatio_ > 0.0) {
        const int scaled = RoundHalfEven(double(height) * specialBottom_ / refHeight_) -
                           RoundHalfEven(double(height) * specialTop_ / refHeight_);
        if (scaled < minimumHeight_) {
            SetClientHeight(RoundHalfEven(minimumHeight_ / heightRatio_));
            minimumEnforced_ = true;
        }
    }
}

// Edges are scaled rather than widths, so controls that touched still touch.
void GTForm::ScaleRectHorizontally(int& left, int& right, int oldSize, int newSize) const
{
    if (oldSize != newSize && oldSize > 0) {
        left = RoundHalfEven(double(newSize) * left / oldSize);
        right = RoundHalfEven(double(newSize) * right / oldSize);
    }
}

void GTForm::ScaleRectVertically(int& top, int& bottom, int oldSize, int newSize) const
{
    if (oldSize != newSize && oldSize > 0) {
        top = RoundHalfEven(double(top) / oldSize * newSize);
        bottom = RoundHalfEven(double(newSize) * bottom / oldSize);
    }
}

void GTForm::ScaleControls(double factor)
{
    const int width = ClientWidth();
    const int height = ClientHeight();
    ScaleRectHorizontally(specialLeft_, specialRight_, refWidth_, width);
    ScaleRectVertically(specialTop_, specialBottom_, refHeight_, height);
    const std::vector<QObject*> components = Components();
    for (QObject* component : components) {
        if (!GTControls::IsControl(component)) {
            continue;
        }
        auto* control = static_cast<QWidget*>(component);
        if (!GTControls::IsLaidOut(*control)) {
            switch (GTControls::AlignOf(*control)) {
            case TAlign::alTop:
            case TAlign::alBottom:
                control->resize(control->width(),
                                RoundHalfEven(double(control->height()) / refHeight_ * height));
                break;
            case TAlign::alLeft:
                control->resize(RoundHalfEven(double(control->width()) / refWidth_ * width),
                                control->height());
                break;
            default: {
                int left = control->x();
                int top = control->y();
                int right = left + control->width();
                int bottom = top + control->height();
                ScaleRectHorizontally(left, right, refWidth_, width);
                ScaleRectVertically(top, bottom, refHeight_, height);
                control->setGeometry(left, top, right - left, bottom - top);
                break;
            }
            }
        }
        if (!control->inherits("GTStringGrid") && GTControls::TagOf(*control) != IgnoreTag) {
            ScaleControlFont(control, factor);
        }
    }
    // Aligned controls take their places once every parent has its new size (parents come first).
    if (HasAlignedChild(*form_)) {
        GTControls::AlignControls(*form_);
    }
    for (QObject* component : components) {
        auto* control = qobject_cast<QWidget*>(component);
        if (GTControls::IsControl(control) && HasAlignedChild(*control)) {
            GTControls::AlignControls(*control);
        }
    }
}

// While the aspect pass runs, plain labels take the size of their text after a font change,
// keeping their left edge (their right edge when right-aligned). A label whose text the program
// sets later (marked with GTKeepSizeProperty) keeps its scaled size: sized while empty it would
// show one letter of what it gets.
void GTForm::AutoSizeLabels()
{
    for (QObject* component : Components()) {
        if (!GTControls::IsPlainLabel(component)) {
            continue;
        }
        auto* label = static_cast<QLabel*>(component);
        if (GTControls::IsLaidOut(*label) || GTControls::SettingOf(*label, GTKeepSizeProperty).toBool()) {
            continue;
        }
        if (label->wordWrap()) {
            label->resize(label->width(), label->heightForWidth(label->width()));
            continue;
        }
        const QSize text = label->sizeHint();
        if (label->alignment() & Qt::AlignRight) {
            const int right = label->x() + label->width();
            label->setGeometry(right - text.width(), label->y(), text.width(), text.height());
        } else {
            label->resize(text);
        }
    }
}

void GTForm::PlaceLabels()
{
    for (const LabelAlign& captured : labels_) {
        QLabel* label = captured.Label;
        if (label == nullptr) {
            continue;
        }
        QWidget* focus = label->buddy();
        if (focus != nullptr && focus->parentWidget() == label->parentWidget()) {
            const Objs* labelEntry = EntryOf(layout_, label);
            const Objs* focusEntry = EntryOf(layout_, focus);
            const bool above =
                labelEntry != nullptr && focusEntry != nullptr && labelEntry->Top < focusEntry->Top &&
                labelEntry->Bottom < focusEntry->Top + (focusEntry->Bottom - focusEntry->Top) / 3.0;
            if (above) {
                label->move(label->x(), focus->y() - 5 - label->height());
            } else {
                label->move(focus->x() - 5 - label->width(), label->y());
            }
        }
        label->setAlignment(captured.Alignment);
    }
}
