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
    // The same duties between two drawn ticks, nothing drawn: the custom end, the end of the sound
    // and what follows it (the play list, Loop), and an automatic fade whose time has come. Left
    // to the running tick when one runs.
    void ProgressionDutyAdvance();
    // Milliseconds until the playing channel reaches its end (or its custom end), as far as its
    // position tells; -1 while nothing plays towards one.
    int MsToNextDuty() const;
    // A sound plays or is paused, or the needles still fall: the ticks have work to do.
    bool NeedsTicks() const { return s_.Playing || s_.Paused || metersMoving_; }

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
    // The needles fall one step on a drawn tick.
    void FallMeters();
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
    bool RapidFireShown() const;
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
    bool dutyOnly_ = false;     // the tick draws nothing
    bool metersMoving_ = false; // the last drawn tick moved a needle
    bool errorShowing_ = false;
};
