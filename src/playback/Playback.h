#pragma once
// playback/: Playback (this file, the play paths), PlaybackState (channel table and play flags),
// PlaybackMainForm (the main window with playback), Keyboard (HotKeyProcess), ModeButtons and
// ModeButtonsWiring (mode buttons, bars, key events of the window), ProgressionTimers and
// DisplayTimerHandler (the timers), TFormEqualizer, TTimedStartSet, TFormAutoStartTimer and
// TFormAssignVolumeLevel (windows).
// The playback routines over the channel table: opening streams, the play paths, stop, pause and
// loop, fades, cross fades, voice-over and manual control. Split by concern over the
// Playback*.cpp files. GUI thread only; the busy waits pump messages through the EventPump, so
// any routine here may run inside another one's wait (see PlaybackState's counters).
#include "platform/Random.h"
#include "playback/PlaybackState.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

class Board;
class Clock;
class Dialogs;
class EventPump;
class PlayLog;
class PlaybackWindow;
class Tracer;
struct Selection;
struct Settings;

struct PlaybackContext
{
    PlaybackState& state;
    Board& board;
    Selection& selection;
    Settings& settings;
    Tracer& tracer;
    PlayLog& playLog;
    Dialogs& dialogs;
    EventPump& pump;
    Clock& clock;
    PlaybackWindow& window;
};

class Playback
{
public:
    explicit Playback(const PlaybackContext& context);

    // --- Channel table (PlaybackChannels.cpp)
    bool TableChannel(int group, int page, int button);
    bool RoomInTableChannel();
    void ChannelStackDown(int slot);
    void StopChannel();
    void StopAllChannels();
    bool AllChannelsIdle();
    bool InitEqualizerChannel(int slot);

    // --- Streams, lengths and the master volume (PlaybackStreams.cpp)
    bool SetVolume(int volume);
    bool DetermineDuration(int group, int page, int button);
    bool DetermineNewDuration(int group, int page, int button);
    // The playing sound's length in bytes as the engine now gives it: the times follow when it
    // differs from the figure they were made from.
    void RefineDuration(int group, int page, int button, std::int64_t lengthBytes);
    void GetSilenceLength();
    // A custom cue position as it applies to a channel: halved (toward zero) under mono output.
    std::int64_t CueBytes(std::int64_t storedBytes) const;

    // --- Play paths (PlaybackSoundButton.cpp, PlaybackHotKey.cpp)
    bool ProcessSoundButton(int button);
    bool HotKeyPlaySound();
    bool CheckMultiPlayStop(int button);
    bool MultiPlayEndPoints();

    // --- Sounds waiting for their files (PlaybackWaitingStarts.cpp). Starts, in the order they
    // were asked for, the waiting sounds whose files are now open (or tells why one was refused).
    // Called when the engine says an open in the background has finished.
    void StartWaitingSounds();
    // Drops every waiting start: the STOP button, leaving the program.
    void CancelWaitingStarts();

    // --- Stop, pause and loop (PlaybackStop.cpp, PlaybackPause.cpp)
    bool StopProcess(const QString& reason);
    void StopPlayButtonClick();
    void Stop1Click();
    void PauseButtonClick();
    void LoopOnButtonClick();
    void Loop1Click();

    // --- Fades (PlaybackFades.cpp, PlaybackCrossFades.cpp)
    bool FadeInExecute();
    bool IsFadeInOver();
    bool FadeInStopIt();
    bool FadeOutExecute();
    bool IsFadeOutOver();
    bool FadeOutStopIt();
    bool PauseFadeInExecute();
    bool IsPauseFadeInOver();
    bool PauseFadeOutExecute();
    bool IsPauseFadeOutOver();
    bool CrossFadeInExecute();
    bool IsCrossFadeInOver();
    bool CrossFadeInStopIt();
    bool CrossFadeOutExecute();
    bool IsCrossFadeOutOver();
    bool CrossFadeOutStopIt();
    bool CheckCrossFadeOutOver();

    // --- Voice-over and manual control (PlaybackVoiceOver.cpp)
    bool VoiceOver();
    bool ManualControl(int step);

    // --- Play list and Next (PlayList*.cpp, NextShuffle.cpp). The progression tick calls PlayList
    // when a play-list sound ends or reaches its cross-fade point.
    bool PlayList();
    bool SongAvailable();
    bool SongAvailableAll();
    void ShufflePlayButtonClick();
    // Shuffle draws come from here; tests hand in a seeded source.
    void SetRandomSource(RandomSource& random) { random_ = &random; }
    // A fresh seed for the program's own source (the Shuffle button turned on).
    void ReseedRandom();

    // Margin added to a fade's length to bound each busy wait.
    static constexpr int WaitMarginMs = 1000;
    // How often a wait looks at what it waits for (a slide's end): well under what an ear or a
    // fade's step would notice.
    static constexpr int PollMs = 5;
    // Turns of the stop's Delay wait beyond one per ms, should the clock stand still.
    static constexpr int MaxDelaySlices = 1000;

private:
    enum class FadeFamily { FadeIn, FadeOut, CrossFade, PauseFadeIn, PauseFadeOut };

    // PlaybackStreams.cpp
    bool CheckFileType(const QString& path, const QString& prefix);
    // Waiting: the file's open goes on in the background; nothing was opened and nothing shown.
    enum class Opened { Yes, No, Waiting };
    Opened OpenStreams(const QString& path, const QString& prefix, bool traceTempoFallback);
    BassHandle CreateFileStream(const QString& path, std::uint32_t flags) const;
    // Frees the streams of a start that could not be entered in the table.
    void FreeOpenedStreams();
    std::int64_t CustomPlayLength(std::int64_t length, int group, int page, int button) const;

    // PlaybackSoundButton.cpp: the click on button N of page p of group g.
    bool PlaySoundButton(int group, int page, int button);
    bool SoundButtonChecks(int group, int page, int button);
    bool StartSoundButton(int group, int page, int button);
    void SeekToStart(int group, int page, int button);
    void StartChannel(int group, int page, int button, bool loop, const QString& flagContext,
                      const QString& loopPlayContext, const QString& playContext);

    // PlayList*.cpp, NextShuffle.cpp
    struct ListStartStyle;
    enum class ListStart { Started, TryNext, Stop, Waiting };
    ListStart StartListSound(int group, int page, int button, const ListStartStyle& style);
    void PlayListSoundOn(int group, int page, int button, const ListStartStyle& style, bool wasPlaying);
    void EndPlayList(const QString& leavingTrace);
    void RearmPage(int group, int page, bool paintHighlighted);
    // Buttons a shuffle may draw on one page, or (page, button) pairs over the group's play-list pages.
    std::vector<int> ShuffleCandidates(int group, int page, const std::vector<int>& tried) const;
    std::vector<std::pair<int, int>> ShuffleAllCandidates(int group,
                                                          const std::vector<std::pair<int, int>>& tried) const;
    bool ListButtonQualifies(int group, int page, int button, bool skipPlayed) const;
    bool WalkPlayList(bool& rearmed);
    bool ShufflePlayList(bool& rearmed);
    bool NextShuffleDraw();
    RandomSource& Random() { return random_ != nullptr ? *random_ : ownRandom_; }
    // Shuffle All is the second state of Shuffle: a page shown without Shuffle ends it too.
    bool ShuffleAllOn() const;

    // Steps every start path takes (PlaybackStartSteps.cpp).
    // The now-playing text, with STOP and Pause usable.
    void ShowNowPlaying(int group, int page, const QString& path);
    // After a start that went no further: the window as it is when nothing plays, unless a sound does.
    void ShowIdleUnlessPlaying();
    // Enters the opened streams in the channel table and counts the start; a refusal frees them.
    bool EnterStartInTable(int group, int page, int button);
    // The button's own start volume, or the default one.
    int StartVolume(int group, int page, int button) const;
    // Sets the start volume on the new channel and remembers it for its slot.
    void SetStartVolume(int volume);
    // Under Talk a new sound starts at the ducked level.
    void DuckUnderTalk(const QString& errorContext);
    void StartElapsedDisplay();

    // PlaybackWaitingStarts.cpp
    // Keeps a start whose file is still being opened, to be made when the file is open.
    void WaitForFile(WaitingStartPath path, int group, int page, int button, const QString& file);
    // Takes back the waiting start of one button; false when it has none.
    bool CancelWaitingStart(int group, int page, int button);
    void StartWaitingSound(const WaitingStart& start);

    // PlaybackStop.cpp
    void ImmediateStop();
    void WaitStopDelay();
    void ShowDuration(int group, int page, int button);

    // PlaybackFades.cpp
    int FadeMs(double settingSec) const;
    void EndingRule(FadeFamily family);
    int TargetVolume(int slot) const;
    // Pumps messages until `over` is true or `ms` plus the margin has passed; true when over.
    bool BusyWait(const std::function<bool()>& over, int ms);

    // PlaybackCrossFades.cpp
    void FreeCrossFadeOutOthers();
    // Pause and resume of the sounds a cross fade is taking out: held at their level (or faded
    // with the pause over fadeMs), paused with the table, and sliding on over the time left.
    void HoldCrossFadeOut(int fadeMs);
    void PauseCrossFadeOut();
    void ResumeCrossFadeOut();

    // Helpers shared by several files (PlaybackChannels.cpp).
    bool OnDisplay(int group, int page) const;
    // CueEndPlay for a sound leaving the table, unless a click is restarting that very button.
    void EndCueEntry(int group, int page, int button);
    // The end of a sound's life: 13 -> 12, any other -> 2; the red panel when on display.
    void MarkPlayed(int group, int page, int button);
    void ShowError(const QString& routine);
    bool Guarded(const QString& routine, const std::function<bool()>& body);

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
    SeededRandom ownRandom_;
    RandomSource* random_ = nullptr;
};
