#include "controls/GTSize32.h"

#include "controls/GTSize32Controls.h"
#include "platform/Rounding.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

QSize PrimaryScreenSize()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->size() : QSize();
}

} // namespace

GTForm::GTForm(QWidget& form, GTScalerShared& shared, ScreenSource screen)
    : QObject(&form), form_(&form), formType_(typeid(form)), shared_(shared),
      screen_(screen ? std::move(screen) : ScreenSource(PrimaryScreenSize))
{
    setObjectName(QStringLiteral("GTForm1"));
    shared_.Adapted = false;
    IgnoreTag = 1;
    form.installEventFilter(this);
    shared_.AdaptationPending = false;
    GTUpdate = false;
}

GTForm::~GTForm()
{
    enabled_ = false;
    if (form_) {
        form_->removeEventFilter(this);
    }
}

void GTForm::SetSameSize(bool value)
{
    sameSize_ = value;
    RecordReferenceSize();
}

void GTForm::SetGTDesignH(const QString& value)
{
    designH_ = value.left(15);
}

void GTForm::SetGTDesignW(const QString& value)
{
    designW_ = value.left(15);
}

void GTForm::SetGTClientHeight(int value)
{
    clientHeightDesign_ = value;
    if (value > 0) {
        SetClientHeight(value);
    }
}

void GTForm::SetGTClientWidth(int value)
{
    clientWidthDesign_ = value;
    if (value > 0) {
        SetClientWidth(value);
    }
}

void GTForm::SetActive(bool value)
{
    active_ = value;
    if (value) {
        enabled_ = true;
    }
}

// Once the window's own class has been destroyed its handlers must not run: Qt still sends
// events (hide, resize) to the remaining QWidget part, whose type then no longer matches.
bool GTForm::NormalState() const
{
    return form_ && std::type_index(typeid(*form_)) == formType_;
}

QSize GTForm::Screen() const
{
    return screen_();
}

bool GTForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != form_ || !NormalState()) {
        return false;
    }
    return Forward(event);
}

bool GTForm::Forward(QEvent* event)
{
    switch (event->type()) {
    case QEvent::WindowActivate:
        OnActivate();
        break;
    case QEvent::WindowDeactivate:
        OnDeactivate();
        break;
    case QEvent::Show:
        if (!event->spontaneous()) {
            OnShow();
        }
        break;
    case QEvent::Hide:
        if (!event->spontaneous() && GTOnHide) {
            GTOnHide(form_);
        }
        break;
    case QEvent::Resize:
        if (enabled_) {
            FormResize();
        }
        break;
    case QEvent::WindowStateChange:
        // A window manager may size the window while it still counts as minimised (as it maps
        // it maximised); that resize scaled nothing, so the layout catches up once it shows.
        if (enabled_) {
            CatchUpWithClientSize();
        }
        break;
    case QEvent::Close:
        if (GTOnClose) {
            GTOnClose(form_, static_cast<QCloseEvent*>(event));
            // A close the window's handler refused stays refused.
            return !event->isAccepted();
        }
        break;
    case QEvent::Paint:
        if (GTOnPaint) {
            GTOnPaint(form_);
        }
        break;
    case QEvent::KeyPress:
        return ForwardKey(GTOnKeyDown, static_cast<QKeyEvent*>(event));
    case QEvent::KeyRelease:
        return ForwardKey(GTOnKeyUp, static_cast<QKeyEvent*>(event));
    case QEvent::ChildAdded:
    case QEvent::ChildRemoved:
        // Controls arriving while the window is being built move the reference with them.
        if (!created_ && GTControls::IsControl(static_cast<QChildEvent*>(event)->child())) {
            RecordReferenceSize();
        }
        break;
    default:
        break;
    }
    return false;
}

bool GTForm::ForwardKey(const TKeyEvent& handler, QKeyEvent* event)
{
    if (!handler) {
        return false;
    }
    const bool wasAccepted = event->isAccepted();
    event->ignore();
    handler(form_, event);
    const bool consumed = event->isAccepted();
    event->setAccepted(consumed || wasAccepted);
    return consumed;
}

void GTForm::OnActivate()
{
    if (shared_.Adapted) {
        enabled_ = true;
    }
    if (shared_.AdaptationPending && !shared_.StartedMaximized) {
        RestoreDesignLayout();
    }
    // The window manager may size a window that is not active (a display change, its window
    // menu); that resize scaled nothing, so the layout follows the size it has now.
    if (enabled_) {
        CatchUpWithClientSize();
    }
    // Tab pages are sized by their Qt tab widget, so there are no page bounds to mend here.
    if (GTOnActivate) {
        GTOnActivate(form_);
    }
}

void GTForm::CatchUpWithClientSize()
{
    if (created_ && !form_->isMinimized() &&
        ReferenceClientSize() != QSize(ClientWidth(), ClientHeight())) {
        FormResize();
    }
}

void GTForm::OnDeactivate()
{
    if (GTOnDeactivate) {
        GTOnDeactivate(form_);
    }
    // A window that is not active does not rescale.
    enabled_ = false;
}

void GTForm::OnShow()
{
    const QSize screen = Screen();
    if (created_ && screenWidth_ != 0 && screen.width() > 0 && screen.width() != screenWidth_) {
        screenChange_ = true;
        FormResize();
    }
    if (GTOnShow) {
        GTOnShow(form_);
    }
}

void GTForm::FormBuilt()
{
    if (form_) {
        formType_ = typeid(*form_);
    }
}

void GTForm::FormCreate()
{
    if (created_ || !form_) {
        return;
    }
    created_ = true;
    formType_ = typeid(*form_);
    // A window without a design client size keeps the size it was built with.
    if (clientWidthDesign_ <= 0) {
        clientWidthDesign_ = ClientWidth();
    }
    if (clientHeightDesign_ <= 0) {
        clientHeightDesign_ = ClientHeight();
    }
    SetClientHeight(clientHeightDesign_);
    SetClientWidth(clientWidthDesign_);
    baseNonClientHeight_ = NonClientHeight();
    extraNonClientHeight_ = 0;
    if (form_->isMaximized()) {
        SetSameSize(false);
        shared_.StartedMaximized = true;
    }
    FitClientToScreen();
    AdaptToScreen();
    SetActive(true);

    if (!form_->isMaximized()) {
        MeasureMargins();
        ReadDesignStrings();
        const QSize screen = Screen();
        if (extentRight_ > 0 && extentBottom_ > 0 && screen.width() > 0 && screen.height() > 0) {
            refWidth_ =
                RoundHalfEven(double(rightMargin_) / designScreenWidth_ * screen.width()) + extentRight_;
            refHeight_ =
                RoundHalfEven(double(bottomMargin_) / designScreenHeight_ * screen.height()) + extentBottom_;
            ScaleToClient(100);
        }
    }

    // The window's own create handler sees the fitted client, and what it leaves is captured.
    if (GTOnCreate) {
        GTOnCreate(form_);
    }

    if (!form_->isMaximized() && RtDisplayWidth != 0 && RtDisplayHeight != 0) {
        const bool wasActive = active_;
        int width = RtDisplayWidth;
        int height = RtDisplayHeight;
        const QSize screen = Screen();
        if (sameSize_ && screen.width() > 0 && screen.height() > 0) {
            ReadDesignStrings();
            width = RoundHalfEven(double(width) * screen.width() / designScreenWidth_);
            height = RoundHalfEven(double(height) * screen.height() / designScreenHeight_);
        }
        SetGTClientWidth(width);
        SetGTClientHeight(height);
        active_ = wasActive;
    }
    RebuildLayout();
}

void GTForm::AdaptToScreen()
{
    RecordReferenceSize();
    if (!shared_.Adapted) {
        shared_.AdaptationPending = true;
    }
    if (extentRight_ != 0 || extentBottom_ != 0) {
        refWidth_ = rightMargin_ + extentRight_;
        refHeight_ = bottomMargin_ + extentBottom_;
    }
    if (shared_.AdaptationPending && !shared_.Adapted) {
        CaptureLayout();
    }
    const QSize screen = Screen();
    if (sameSize_ && screen.width() > 0 && screen.height() > 0) {
        ReadDesignStrings();
        const double width = double(clientWidthDesign_) * screen.width() / designScreenWidth_;
        const double height = double(clientHeightDesign_) * screen.height() / designScreenHeight_;
        // A first pass at nine tenths keeps the controls from being clipped on the way up.
        SetClientSize(RoundHalfEven(width * 0.9), RoundHalfEven(height * 0.9));
        ScaleToClient(100);
        SetClientSize(RoundHalfEven(width), RoundHalfEven(height));
        ScaleToClient(100);
    }
    shared_.Adapted = true;
    if (shared_.Rescaled) {
        shared_.AdaptationPending = false;
    }
    StoreReference();
}
