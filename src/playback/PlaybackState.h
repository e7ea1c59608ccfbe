#pragma once
// The playback state that lives for the whole run: the five-slot channel table, the stream of the
// sound being started, the play and fade flags and the display totals. One instance is created by
// the application; tests build their own. Only the GUI thread touches it.
#include "audio/Bass.h"
#include "board/PlayModes.h"
#include "playback/WaitingStart.h"

#include <QString>

#include <array>
#include <cstdint>
#include <deque>
#include <utility>
#include <vector>

inline constexpr int ChannelSlots = 5;
inline constexpr int ChannelFxCount = 11; // ten equalizer bands, then the reverb

// The controls of the equalizer window that a new channel's effect chain is built from. The window
// keeps them current; the sample-rate range is set here when a slot is built.
struct EqualizerSliders
{
    int Reverb = 0;                     // 0..20
    int Tempo = 0;                      // percent, 0 = normal speed
    std::array<int, 11> Bands{};        // 1..10, each 0..30 (15 = 0 dB)
    int SampleRateMin = 0;
    int SampleRateMax = 1;
    int SampleRateValue = 0;
    EqualizerSliders() { Bands.fill(15); }
};

// The play modes come from PlayModes, which the main window shares.
struct PlaybackState : PlayModes
{
    // --- Channel table, indexed 1..5 (index 0 unused).
    std::array<BassHandle, ChannelSlots + 1> ChannelArray{};
    std::array<int, ChannelSlots + 1> ChannelButton{};
    std::array<int, ChannelSlots + 1> ChannelPage{};
    std::array<int, ChannelSlots + 1> ChannelGroup{};
    std::array<int, ChannelSlots + 1> ChannelPauseVolume{};
    std::array<int, ChannelSlots + 1> ChannelVolume{};
    std::array<QString, ChannelSlots + 1> ChannelCueFlag{" ", " ", " ", " ", " ", " "};
    std::array<std::int64_t, ChannelSlots + 1> ChannelCueEnd{};
    std::array<std::array<BassFxHandle, ChannelFxCount + 1>, ChannelSlots + 1> ChannelFX{};
    // Slot filled last by TableChannel: 6 after a refusal, 0 after a stop.
    int TableChannelPosition = 0;

    // --- The stream of the sound being started.
    BassHandle CurrentChannel = 0;
    BassHandle DecodeStream = 0;
    BassHandle SourceStream = 0;
    BassHandle LengthStream = 0;
    BassHandle NewFileStream = 0;
    BassChannelInfo CurrentChannelInfo;
    QString FileType;
    bool FileIsWMA = false;
    bool FileIsFLAC = false;
    bool FileIsStandard = true;
    QString CurrentFile;
    std::int64_t PlayLength = 0;
    std::int64_t PlayPosition = 0;
    std::int64_t LengthBytes = 0;
    double LengthSeconds = 0;
    int SoundSeconds = 0;
    int LongestSeconds = 0;
    int TotalSeconds = 0;
    int RemainingSeconds = 0;
    int ElapsedSeconds = 0;
    BassEqParams EqParams;
    BassReverbParams ReverbParams;
    bool EqualizerOn = false;
    EqualizerSliders Equalizer;
    int CurrentVolume = 0;

    // --- Play flags.
    bool Paused = false;
    bool lHKPlaying = false;
    bool lSoundTimer = false;
    bool NextPressed = false;
    // Shuffle over every play-list page of the group (the Shuffle button's second state); run-time only.
    bool ShuffleAll = false;
    // The operator holds the progress bar, so the progression tick leaves the bar where it is.
    bool AdvanceBarDragging = false;

    // The board address a hot key asks to play.
    int HotKeyGroup = 0;
    int HotKeyPage = 0;
    int HotKeyButton = 0;
    // A scoreboard window stored a hot-key address; the main window's activation plays it.
    bool HotKeyPending = false;

    // --- Timed start: the start time as the set window built it (empty after Cancel) and the
    // button of the shown page to play.
    QString TimedStartTime;
    int TimedStartButton = 0;

    // --- Fades: one running flag and one watched channel per family.
    bool lFadingIn = false;
    bool lFadingOut = false;
    BassHandle FadeInChannel = 0;
    BassHandle FadeOutChannel = 0;
    BassHandle CrossFadeInChannel = 0;
    BassHandle CrossFadeOutChannel = 0;
    int FadeInMs = 0;
    int FadeOutMs = 0;
    int CrossFadeInMs = 0;
    int CrossFadeOutMs = 0;
    // The volume a running fade-in or cross fade in is heading for; pausing or ducking during the
    // rise keeps this rather than the level the slide has reached.
    int FadeInTarget = 0;
    // The running fade-out is a pause fade: a stop during it must still stop every slot.
    bool PauseFadeOutRunning = false;
    // The running fade-in is the resume's pause fade: each slot rises to its pause volume.
    bool PauseFadeInRunning = false;
    // Older sounds still sliding out under a cross fade besides CrossFadeOutChannel; freed with it.
    std::vector<BassHandle> CrossFadeOutOthers;
    // When the cross fade out ends, on the program clock. A pause holds the outgoing sounds (the
    // engine would run their slide on through it) at the levels kept here, with the time left.
    std::int64_t CrossFadeOutEndMs = 0;
    int CrossFadeOutLeftMs = 0;
    std::vector<std::pair<BassHandle, int>> CrossFadeOutHeld;
    bool lVoiceOver = false;
    int ManualControlButton = 0;

    // --- Re-entrancy guards. A routine that pumped messages compares these with the values it
    // saw before and abandons its remaining steps when a sound started or a stop ran meanwhile.
    std::uint64_t StartCount = 0;
    std::uint64_t StopCount = 0;
    // Depth of busy waits in progress; a progression tick that finds it above 0 only polls.
    int BusyWaitDepth = 0;
    // The last sound left the table by the operator's click (Multi-Play), not by ending: the
    // progression tick closes the play down but neither replays it nor moves the list on.
    bool StoppedByClick = false;
    // The button a click restarts (PLAY): its stop is no end of a cue entry, which would empty
    // the entry before the restart reads it. Group, page, button; zeros when none.
    std::array<int, 3> RestartingButton{};

    // --- Sounds whose files are still being opened, in the order they were asked for.
    std::deque<WaitingStart> WaitingStarts;
    bool StartingWaitingSounds = false;
};
