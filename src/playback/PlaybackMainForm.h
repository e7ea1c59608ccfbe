#pragma once
// The main window with playback wired in: slot clicks, STOP, Pause, Loop and Talk reach the
// playback routines, and the window's own stop and master-volume calls go through them too. The
// application creates this in place of a bare TForm1.
#include "board/MainForm.h"
#include "playback/MainFormPlaybackWindow.h"
#include "playback/Playback.h"

#include <memory>

struct PlaybackServices
{
    PlaybackState& state;
    EventPump& pump;
    Clock& clock;
};

class ModeButtonsWiring;

class PlaybackMainForm final : public TForm1
{
public:
    PlaybackMainForm(MainFormContext& context, const PlaybackServices& services, QWidget* parent = nullptr);
    ~PlaybackMainForm() override;

    Playback& Player() { return *player_; }
    MainFormPlaybackWindow& PlaybackView() { return view_; }
    // The mode buttons, bars and keys as wired on this window (the equalizer hook lives there).
    ModeButtonsWiring& ModeWiring() { return *modeWiring_; }

    void ProcessSoundButton(int slot) override;
    bool StopProcess(const QString& reason) override;
    bool SetVolume(int volume) override;
    void CancelWaitingStarts() override;
    std::vector<TBitBtnWithColor*> ModeButtonsOn() const override;

    // Points the channel-table entries and the playing address of one board address at another.
    void RepointChannels(int fromGroup, int fromPage, int fromButton, int toGroup, int toPage, int toButton);

private:
    PlaybackState& state_;
    MainFormPlaybackWindow view_;
    std::unique_ptr<Playback> player_;
    ModeButtonsWiring* modeWiring_ = nullptr;
};
