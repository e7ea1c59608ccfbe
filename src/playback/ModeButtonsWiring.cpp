#include "playback/ModeButtonsWiring.h"

#include "board/MainFormButtons.h"
#include "board/VirtualKeys.h"
#include "controls/GTSize32.h"
#include "controls/SlideBar.h"
#include "platform/Color.h"
#include "playback/PlaybackMainForm.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QWindow>

ModeButtonsWiring::ModeButtonsWiring(PlaybackMainForm& form, const PlaybackContext& context)
    : QObject(&form), form_(form), view_(form), keyboard_(form.Player(), context, view_),
      buttons_(form.Player(), context, view_)
{
    WireButtons();
    WireBars();
    form_.GTForm1->GTOnActivate = [this](QWidget*) { buttons_.CheckSBHotKey(); };
    // The window previews every key: each key is taken once, where it enters the window, before
    // any control sees it. Handling it again at each widget it passes on its way up would run one
    // release several times.
    qApp->installEventFilter(this);
}

void ModeButtonsWiring::WireButtons()
{
    auto wire = [this](TBitBtnWithColor* button, void (ModeButtons::*handler)()) {
        connect(AsPushButton(button), &QPushButton::clicked, this,
                [this, handler] { (buttons_.*handler)(); });
    };
    wire(form_.ShuffleButton, &ModeButtons::ShuffleButtonClick);
    wire(form_.PlayListButton, &ModeButtons::PlayListButtonClick);
    wire(form_.RapidFireButton, &ModeButtons::RapidFireButtonClick);
    wire(form_.CrossFadeButton, &ModeButtons::CrossFadeButtonClick);
    wire(form_.AutoFadeButton, &ModeButtons::AutoFadeButtonClick);
    wire(form_.MultiPlayButton, &ModeButtons::MultiPlayButtonClick);
    wire(form_.FadeInButton, &ModeButtons::FadeInButtonClick);
    wire(form_.FadeOutButton, &ModeButtons::FadeOutButtonClick);
    wire(form_.EqualizerButton, &ModeButtons::EqualizerButtonClick);
    connect(AsPushButton(form_.NextButton), &QPushButton::clicked, this,
            [this] { form_.Player().ShufflePlayButtonClick(); });
    for (QPushButton* dummy : {form_.DummyButton, form_.DummyButton1}) {
        connect(dummy, &QPushButton::clicked, this, [this] { buttons_.DummyButton1Click(); });
    }
}

void ModeButtonsWiring::WireBars()
{
    TzSlideBar* volume = form_.VolumeControl;
    volume->OnChange = [this](QObject*) { buttons_.VolumeControl1Change(form_.VolumeControl->Value()); };
    volume->SetTicks(true);
    // One tick per five steps keeps the zone edges (75, 90) on ticks of a narrow bar.
    volume->SetStepPerTick(5);
    volume->SetTickStyle(TzTickStyle::tsOwnerDraw);
    volume->SetTickSpace(5);
    volume->SetTickSize(7);
    volume->OnOwnerDraw = [this](QPainter& canvas, int x, int y, bool leftSide, int tickNumber) {
        const TzSlideBar* bar = form_.VolumeControl;
        const int tick = bar->Min() + tickNumber * bar->StepPerTick();
        const QColor color = ToQColor(ModeButtons::VolumeTickColor(tick, bar->Value()));
        canvas.setPen(color);
        canvas.setBrush(color);
        canvas.drawRect(ModeButtons::VolumeTickRect(x, y, leftSide, bar->width(), bar->Max(),
                                                    bar->StepPerTick(), bar->TickSize(), bar->TickSpace()));
    };
    TzSlideBar* progress = form_.AdvanceBar;
    progress->OnChange = [this](QObject*) { buttons_.AdvanceBarChange(form_.AdvanceBar->Value()); };
    progress->OnMouseDown = [this](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
        buttons_.AdvanceMouseDown();
    };
    progress->OnMouseUpTwo = [this](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
        buttons_.AdvanceMouseUp(form_.AdvanceBar->Value());
    };
    // The bars never keep the keyboard: entering, leaving or touching one parks the focus again.
    auto park = [this](QObject*) { buttons_.VolumeControlExit(); };
    volume->OnMouseLeave = park;
    volume->OnEnter = park;
    volume->OnExit = park;
    progress->OnEnter = park;
    progress->OnExit = park;
}

void ModeButtonsWiring::KeyUp(QKeyEvent* event)
{
    // A held key repeats its press and release; only the real release counts.
    if (event->isAutoRepeat()) {
        return;
    }
    // The modifiers count as they were when the key went down: an operator who lets Ctrl go a
    // moment before K still means Ctrl+K. A release whose press the board never saw (pressed in
    // another window or a menu) is not the operator's key for the board.
    const auto pressed = pressedShift_.find(PhysicalKey(*event));
    if (pressed == pressedShift_.end()) {
        return;
    }
    const int shift = pressed->second;
    pressedShift_.erase(pressed);
    keyboard_.HotKeyProcess(VirtualKeyOfEvent(*event), shift);
}

void ModeButtonsWiring::KeyDown(QKeyEvent* event)
{
    const int key = VirtualKeyOfEvent(*event);
    const int shift = ShiftStateOfEvent(*event);
    if (!event->isAutoRepeat()) {
        pressedShift_[PhysicalKey(*event)] = shift;
    }
    keyboard_.VolumeChangeProcess(key, shift);
}

// The key itself, whatever the modifiers make of it: the scan code where the window system gives
// one (Shift+1 and 1 are one key), else the key's code.
quint32 ModeButtonsWiring::PhysicalKey(const QKeyEvent& event)
{
    return event.nativeScanCode() != 0 ? event.nativeScanCode() : quint32(VirtualKeyOfEvent(event)) | 0x80000000u;
}

bool ModeButtonsWiring::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease) {
        return false;
    }
    if (watched->isWindowType()) {
        // The window system hands each key to the window once, whichever control has the focus.
        // Keys that reach the window while a menu is open choose the menu's items (the window
        // system hands them to the window when the menu has no keyboard grab of its own).
        if (watched == form_.windowHandle() && QApplication::activePopupWidget() == nullptr) {
            Handle(static_cast<QKeyEvent*>(event));
            fromWindow_ = event;
        }
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != &form_) {
        return false;
    }
    const bool parking = watched == form_.DummyButton || watched == form_.DummyButton1;
    if (event == fromWindow_) {
        // Already acted on where it entered the window; the control that gets it first ends that.
        fromWindow_ = nullptr;
    } else if (parking) {
        // A key given straight to the focus button (not through the window) acts there, once.
        Handle(static_cast<QKeyEvent*>(event));
    }
    // The focus buttons and the bars only hold the focus: a key already acted on the board and
    // must not click a focus button or move a bar as well.
    return parking || watched == form_.VolumeControl || watched == form_.AdvanceBar;
}

void ModeButtonsWiring::Handle(QKeyEvent* event)
{
    if (event->type() == QEvent::KeyRelease) {
        KeyUp(event);
    } else {
        KeyDown(event);
    }
}
