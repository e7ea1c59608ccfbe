#pragma once
// Connects the main window's mode buttons, Next, the volume and progress bars, the focus buttons,
// its key up and key down (previewed from every control of the window, as the keyboard handling
// must see each key first) and its activation to the keyboard and mode-button handlers. The
// window and playback share one set of play modes, so no call needs wrapping.
#include "playback/Keyboard.h"
#include "playback/ModeButtons.h"
#include "playback/ModeButtonsMainWindow.h"

#include <QObject>

#include <functional>
#include <map>

class PlaybackMainForm;
class QKeyEvent;

class ModeButtonsWiring final : public QObject
{
public:
    ModeButtonsWiring(PlaybackMainForm& form, const PlaybackContext& context);

    Keyboard& Keys() { return keyboard_; }
    ModeButtons& Buttons() { return buttons_; }
    ModeButtonsMainWindow& View() { return view_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void WireButtons();
    void WireBars();
    void KeyUp(QKeyEvent* event);
    void KeyDown(QKeyEvent* event);
    void Handle(QKeyEvent* event);
    static quint32 PhysicalKey(const QKeyEvent& event);

    PlaybackMainForm& form_;
    ModeButtonsMainWindow view_;
    Keyboard keyboard_;
    ModeButtons buttons_;
    // The key event the window itself passed on last, until a control of the window receives it.
    const QEvent* fromWindow_ = nullptr;
    // The shift state of each key held down on the board, by physical key.
    std::map<quint32, int> pressedShift_;
};
