#include "PlayListFixture.h"

namespace PlaybackTest {

void PlayListFixture::SetUp()
{
    PlaybackFixture::SetUp();
    const PlaybackContext context{state_, board_,   selection_, settings_, *tracer_,
                                  *log_,  dialogs_, pump_,      clock_,    listWindow_};
    play_ = std::make_unique<Playback>(context);
    play_->SetRandomSource(random_);
    keyboard_ = std::make_unique<Keyboard>(*play_, context, modes_);
    buttons_ = std::make_unique<ModeButtons>(*play_, context, modes_);
    board_.PagePlay[1][1] = QStringLiteral("T");
    state_.PlayListMode = true;
}

QString PlayListFixture::AddSoundOn(int group, int page, int button, double seconds)
{
    const QString path = dir_.filePath(QStringLiteral("g%1p%2b%3.wav").arg(group).arg(page).arg(button));
    WriteWav(path, 2, static_cast<int>(seconds * kRate), [](int, int) { return 0.25; });
    board_.ButtonFile[group][page][button] = path;
    board_.ButtonCaption[group][page][button] = QStringLiteral("Sound %1").arg(button);
    if (group == selection_.CurrentGroup && page == selection_.CurrentPage) {
        board_.PageFiles[static_cast<std::size_t>(button)] = path;
        window_.Captions[static_cast<std::size_t>(button)] = board_.ButtonCaption[group][page][button];
    }
    return path;
}

bool PlayListFixture::EndSoundAndContinue()
{
    state_.PlayListRunning = true;
    play_->StopProcess(QStringLiteral("EndSound"));
    return play_->PlayList();
}

} // namespace PlaybackTest
