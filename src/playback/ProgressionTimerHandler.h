#pragma once
// The progression timer's tick: polls the slides, starts the automatic fade-out or cross fade near
// the end of a play-list sound, enforces custom cue ends, frees ended channels, moves the progress
// bar and the meters, and at the end of a sound stops, replays it in Loop mode or goes on with the
// play list. GUI thread only.
#include "playback/Playback.h"
#include "playback/ProgressionMeters.h"

#include <QString>

#include <cstdint>

class ProgressionTimerHandler
{
public:
    ProgressionTimerHandler(const PlaybackContext& context, Playback& playback, ProgressionWindow& view);

    // The tick. A tick that arrives while another one runs or inside a busy wait (both pump
    // messages) only polls the slides and the meters, so nothing is stopped or started twice.
    void ProgressionTimerAdvance();

private:
    // A board address; valid only when it names a button.
    struct Address
    {
        int group = 0;
        int page = 0;
        int button = 0;
    };

    void Tick();
    void PollOnly();
    void PollSlides();
    // The automatic fades (ProgressionAutoFade.cpp); true when the tick ends there.
    bool AutoCrossFade();
    bool AutoFadeOut();
    bool WaitForFadeOut();
    // While the playing channel lives: custom end, progress bar and meters.
    void FollowPlayingChannel();
    void ShowProgress(bool customCue, const Address& playing);
    // Every slot free and the playing channel ended.
    void EndOfSound();
    void LoopReplay(const Address& ended);

    Address PlayingAddress() const;
    bool HasCustomCue(const Address& at) const;
    bool PagePlayOn(int group, int page) const;
    bool AnySlotTaken() const;
    void ShowError();

    PlaybackState& s_;
    Board& board_;
    Selection& sel_;
    Settings& set_;
    Tracer& tracer_;
    PlayLog& log_;
    Dialogs& dialogs_;
    EventPump& pump_;
    Clock& clock_;
    PlaybackWindow& win_;
    Playback& play_;
    ProgressionWindow& view_;
    ProgressionMeters meters_;
    bool ticking_ = false;
    bool errorShowing_ = false;
};
