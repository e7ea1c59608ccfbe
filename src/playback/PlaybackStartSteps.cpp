// The steps every start path shares (the click, the hot key, the play list and Next): a mend made
// here reaches all of them.
#include "playback/Playback.h"

#include "board/BassErrorText.h"
#include "board/Board.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "playback/PlaybackWindow.h"

#include <algorithm>

void Playback::ShowNowPlaying(int group, int page, const QString& path)
{
    win_.SetNowPlaying(true, QStringLiteral("[") + board_.GroupLetters[static_cast<std::size_t>(group)] +
                                 QStringLiteral("/") + board_.PageName[group][page] + QStringLiteral("] - ") + path);
    win_.SetStopEnabled(true);
    win_.SetPauseEnabled(true);
}

void Playback::ShowIdleUnlessPlaying()
{
    if (!s_.Playing) {
        win_.SetNowPlaying(false, QString());
        win_.SetStopEnabled(false);
        win_.SetPauseEnabled(false);
    }
}

bool Playback::EnterStartInTable(int group, int page, int button)
{
    const BassHandle handle = s_.CurrentChannel;
    if (!TableChannel(group, page, button)) {
        // The table's refusal may have moved CurrentChannel; the streams freed are this start's.
        const BassHandle kept = s_.CurrentChannel;
        s_.CurrentChannel = handle;
        FreeOpenedStreams();
        s_.CurrentChannel = kept;
        return false;
    }
    ++s_.StartCount;
    if (!set_.MultiPlay) {
        // This sound ends any that was still waiting for its file, as it would end it playing.
        s_.WaitingStarts.clear();
    }
    return true;
}

int Playback::StartVolume(int group, int page, int button) const
{
    const QString& own = board_.ButtonVolume[group][page][button];
    if (Board::IsBlank(own)) {
        return std::clamp(set_.IndividualVolume, 0, 100);
    }
    bool ok = false;
    const int volume = own.trimmed().toInt(&ok);
    return std::clamp(ok ? volume : set_.IndividualVolume, 0, 100);
}

void Playback::SetStartVolume(int volume)
{
    BASS_ChannelSetAttributes(s_.CurrentChannel, -1, volume, -101);
    s_.CurrentVolume = volume;
    if (s_.TableChannelPosition >= 1 && s_.TableChannelPosition <= ChannelSlots) {
        s_.ChannelVolume[static_cast<std::size_t>(s_.TableChannelPosition)] = volume;
    }
}

void Playback::DuckUnderTalk(const QString& errorContext)
{
    if (!s_.lVoiceOver) {
        return;
    }
    if (set_.VoiceOverBlink) {
        win_.SetDisplayInterval(250);
    }
    if (!BASS_ChannelSetAttributes(s_.CurrentChannel, -1, set_.VoiceOverVolume, -101)) {
        BassErrorFunction(errorContext, tracer_, dialogs_);
    }
}

void Playback::StartElapsedDisplay()
{
    s_.lSoundTimer = true;
    s_.ElapsedSeconds = 0;
    win_.StartDisplayTimer();
}
