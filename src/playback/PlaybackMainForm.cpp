#include "playback/PlaybackMainForm.h"

#include "board/MainFormButtons.h"
#include "board/Selection.h"
#include "controls/GTSize32.h"
#include "playback/ModeButtonsWiring.h"
#include "playback/ProgressionWiring.h"

#include <QAction>
#include <QMetaObject>
#include <QPushButton>

PlaybackMainForm::PlaybackMainForm(MainFormContext& context, const PlaybackServices& services, QWidget* parent)
    : TForm1(context, services.state, parent), state_(services.state), view_(*this)
{
    MainFormContext& ctx = Context();
    player_ = std::make_unique<Playback>(PlaybackContext{state_, ctx.board, ctx.selection, ctx.settings, ctx.tracer,
                                                         ctx.playLog, ctx.dialogs, services.pump, services.clock,
                                                         view_});
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
        connect(AsPushButton(button), &QPushButton::clicked, this, [this, routine] { ((*player_).*routine)(); });
    };
    wire(StopPlayButton, &Playback::StopPlayButtonClick);
    wire(PauseButton, &Playback::PauseButtonClick);
    wire(LoopOnButton, &Playback::LoopOnButtonClick);
    connect(AsPushButton(VoiceOverButton), &QPushButton::clicked, this, [this] { player_->VoiceOver(); });
    connect(Stop1, &QAction::triggered, this, [this] { player_->Stop1Click(); });
    connect(Pause1, &QAction::triggered, this, [this] { player_->PauseButtonClick(); });
    connect(Loop1, &QAction::triggered, this, [this] { player_->Loop1Click(); });
    // A sound asked for while its file was still being opened starts when the engine says the
    // open is done; the engine's thread only posts the call to this window's thread.
    BassSetFileOpenedListener([this] {
        QMetaObject::invokeMethod(this, [this] { player_->StartWaitingSounds(); }, Qt::QueuedConnection);
    });
    // Keys, the play-mode buttons, Next and the bars; owned by the window as its child.
    modeWiring_ = new ModeButtonsWiring(*this, PlaybackContext{state_, ctx.board, ctx.selection, ctx.settings, ctx.tracer,
                                                 ctx.playLog, ctx.dialogs, services.pump, services.clock, view_});
    // The progression and display timers; the progression timer runs from here to exit.
    new ProgressionWiring(*this, PlaybackContext{state_, ctx.board, ctx.selection, ctx.settings, ctx.tracer,
                                                 ctx.playLog, ctx.dialogs, services.pump, services.clock, view_});
}

PlaybackMainForm::~PlaybackMainForm()
{
    // Returns once no call is under way; calls already posted go with this window.
    BassSetFileOpenedListener({});
}

void PlaybackMainForm::CancelWaitingStarts()
{
    player_->CancelWaitingStarts();
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

void PlaybackMainForm::ProcessSoundButton(int slot)
{
    if (!player_) {
        TForm1::ProcessSoundButton(slot);
        return;
    }
    player_->ProcessSoundButton(slot);
}

bool PlaybackMainForm::StopProcess(const QString& reason)
{
    if (!player_) {
        return TForm1::StopProcess(reason);
    }
    return player_->StopProcess(reason);
}

bool PlaybackMainForm::SetVolume(int volume)
{
    if (!player_) {
        return TForm1::SetVolume(volume);
    }
    return player_->SetVolume(volume);
}
