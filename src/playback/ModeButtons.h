#pragma once
// The main window's play-mode buttons (Shuffle, Play List, Rapid Fire, cross fade, Auto Fade,
// Multi-Play, Fade In, Fade Out, Talk), the master volume and progress bars, the focus parking
// and the hot key handed over by a scoreboard. Every button shows its mode by colour and hands the
// keyboard focus back to DummyButton.
#include "platform/Color.h"
#include "playback/Playback.h"

#include <QRect>

#include <cstdint>

class ModeButtonsWindow;

class ModeButtons
{
public:
    ModeButtons(Playback& playback, const PlaybackContext& context, ModeButtonsWindow& modes);

    // --- Mode buttons (ModeButtons.cpp)
    void ShuffleButtonClick();
    void PlayListButtonClick();
    void RapidFireButtonClick();
    void CrossFadeButtonClick();
    void AutoFadeButtonClick();
    void MultiPlayButtonClick();
    void FadeInButtonClick();
    void FadeOutButtonClick();
    void VoiceOverButtonClick();

    // --- Bars, focus parking and activation (ModeButtonsBars.cpp)
    void VolumeControl1Change(int value);
    void AdvanceBarChange(int value);
    void AdvanceMouseDown();
    void AdvanceMouseUp(int value);
    void VolumeControlExit();
    void DummyButton1Click();
    void EqualizerButtonClick();
    void CheckSBHotKey();

    // Colour of the volume bar's tick at value `tick` while the bar stands at `value`.
    static TColor VolumeTickColor(int tick, int value);
    // The rectangle of one tick: x, y as handed to the owner-draw event, the first or second row.
    static QRect VolumeTickRect(int x, int y, bool firstRow, int barWidth, int max, int stepPerTick,
                                int tickSize, int tickSpace);
    // Byte position of a progress-bar seek to `percent` of a channel of `lengthBytes`; with a custom
    // cue the bar spans start..end (end at or before start: to the channel's end). Whole frames,
    // never negative.
    static std::int64_t AdvanceSeekPosition(int percent, std::int64_t lengthBytes, bool customCue,
                                            std::int64_t cueStart, std::int64_t cueEnd, int frameBytes);

private:
    void ShuffleOff();
    void RepaintSoundButtons();
    void ShowError(const QString& routine);
    bool Guarded(const QString& routine, const std::function<void()>& body);

    Playback& play_;
    PlaybackState& s_;
    Board& board_;
    Selection& sel_;
    Settings& set_;
    Tracer& tracer_;
    Dialogs& dialogs_;
    PlaybackWindow& win_;
    ModeButtonsWindow& modes_;
};
