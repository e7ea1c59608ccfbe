#include "playback/PlaybackMainForm.h"

#include "board/MainFormButtons.h"
#include "board/Selection.h"
#include "controls/GTSize32.h"
#include "playback/ModeButtonsWiring.h"
#include "playback/ProgressionWiring.h"

#include <QAction>
#include <QPushButton>

PlaybackMainForm::PlaybackMainForm(MainFormContext& context, const PlaybackServices& services, QWidget* parent)
    : TForm1(context, parent), state_(services.state), view_(*this)
{
    MainFormContext& ctx = Context();
    player_ = std::make_unique<Playback>(PlaybackContext{state_, ctx.board, ctx.selection, ctx.settings, ctx.tracer,
                                                         ctx.playLog, ctx.dialogs, services.pump, services.clock,
                                                         view_});
    state_.MasterVolume = MasterVolume;
    // Edit mode's slot click opens the same editor as the window's own edit-mode path.
    // The create step ran inside TForm1's constructor; the scaler now forwards the form events
    // (close, resize) to this finished window.
    GTForm1->FormBuilt();
    view_.OpenEditor = [this] { Windows().ShowSoundButtonEditor(); };
    // A playing sound moved to another page keeps its channel: the table follows the new address.
    SoundMoved = [this](int fromGroup, int fromPage, int fromButton, int toGroup, int toPage, int toButton) {
        RepointChannels(fromGroup, fromPage, fromButton, toGroup, toPage, toButton);
    };
    auto wire = [this](TBitBtnWithColor* button, void (Playback::*routine)()) {
        connect(AsPushButton(button), &QPushButton::clicked, this, [this, routine] {
            Run([&] {
                ((*player_).*routine)();
                return true;
            });
        });
    };
    wire(StopPlayButton, &Playback::StopPlayButtonClick);
    wire(PauseButton, &Playback::PauseButtonClick);
    wire(LoopOnButton, &Playback::LoopOnButtonClick);
    connect(AsPushButton(VoiceOverButton), &QPushButton::clicked, this, [this] { Run([&] { return player_->VoiceOver(); }); });
    connect(Stop1, &QAction::triggered, this, [this] {
        Run([&] {
            player_->Stop1Click();
            return true;
        });
    });
    connect(Pause1, &QAction::triggered, this, [this] {
        Run([&] {
            player_->PauseButtonClick();
            return true;
        });
    });
    connect(Loop1, &QAction::triggered, this, [this] {
        Run([&] {
            player_->Loop1Click();
            return true;
        });
    });
    // Keys, the play-mode buttons, Next and the bars; owned by the window as its child.
    modeWiring_ = new ModeButtonsWiring(*this, PlaybackContext{state_, ctx.board, ctx.selection, ctx.settings, ctx.tracer,
                                                 ctx.playLog, ctx.dialogs, services.pump, services.clock, view_});
    // The progression and display timers; the progression timer runs from here to exit.
    new ProgressionWiring(*this, PlaybackContext{state_, ctx.board, ctx.selection, ctx.settings, ctx.tracer,
                                                 ctx.playLog, ctx.dialogs, services.pump, services.clock, view_});
}

void PlaybackMainForm::RepointChannels(int fromGroup, int fromPage, int fromButton, int toGroup, int toPage,
                                       int toButton)
{
    for (int n = 1; n <= ChannelSlots; ++n) {
        if (state_.ChannelGroup[n] == fromGroup && state_.ChannelPage[n] == fromPage &&
            state_.ChannelButton[n] == fromButton) {
            state_.ChannelGroup[n] = toGroup;
            state_.ChannelPage[n] = toPage;
            state_.ChannelButton[n] = toButton;
        }
    }
    Selection& sel = Context().selection;
    if (sel.PlayingGroup == fromGroup && sel.PlayingPage == fromPage && sel.PlayingButton == fromButton) {
        sel.PlayingGroup = toGroup;
        sel.PlayingPage = toPage;
        sel.PlayingButton = toButton;
    }
}

std::vector<TBitBtnWithColor*> PlaybackMainForm::ModeButtonsOn() const
{
    std::vector<TBitBtnWithColor*> on = TForm1::ModeButtonsOn();
    if (state_.Paused) {
        on.push_back(PauseButton);
    }
    if (state_.lVoiceOver) {
        on.push_back(VoiceOverButton);
    }
    return on;
}

void PlaybackMainForm::FlagsToPlayback()
{
    state_.AddingSounds = AddingSounds;
    state_.PlayListMode = PlayListMode;
    state_.ButtonDragMode = ButtonDragMode;
    // Showing another page ends manual control on the window; the cursor must not outlive it, or
    // Space would start a slot nobody chose on the new page. Only the keys turn it on, and they
    // copy it back to the window.
    if (!ManualControl) {
        state_.ManualControlMode = false;
    }
}

void PlaybackMainForm::FlagsFromPlayback()
{
    Playing = state_.Playing;
    PlayListMode = state_.PlayListMode;
    PlayListRunning = state_.PlayListRunning;
    LoopMode = state_.LoopMode;
    lCrossFadingIn = state_.lCrossFadingIn;
    lCrossFadingOut = state_.lCrossFadingOut;
    MasterVolume = state_.MasterVolume;
    ManualControl = state_.ManualControlMode;
}

void PlaybackMainForm::ProcessSoundButton(int slot)
{
    if (!player_) {
        TForm1::ProcessSoundButton(slot);
        return;
    }
    Run([&] { return player_->ProcessSoundButton(slot); });
}

bool PlaybackMainForm::StopProcess(const QString& reason)
{
    if (!player_) {
        return TForm1::StopProcess(reason);
    }
    return Run([&] { return player_->StopProcess(reason); });
}

bool PlaybackMainForm::SetVolume(int volume)
{
    if (!player_) {
        return TForm1::SetVolume(volume);
    }
    return Run([&] { return player_->SetVolume(volume); });
}
