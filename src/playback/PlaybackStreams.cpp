// Opening the streams of a sound by its file type, measuring lengths, the skip over leading
// silence and the master volume.
#include "playback/Playback.h"

#include "audio/ThreadWaitTime.h"
#include "board/BassErrorText.h"
#include "board/Board.h"
#include "board/Selection.h"
#include "board/Settings.h"
#include "board/TimeText.h"
#include "board/Tracer.h"
#include "platform/Dialogs.h"
#include "platform/Rounding.h"
#include "playback/PlaybackWindow.h"

#include <QFile>

#include <chrono>
#include <cstdlib>
#include <exception>
#include <vector>

namespace {
constexpr std::uint32_t SilenceBlockBytes = 20000;
constexpr std::chrono::milliseconds MaxSilenceScanWait{20};
}

std::int64_t Playback::CueBytes(std::int64_t storedBytes) const
{
    // C++ division truncates toward zero, as the halving must.
    return set_.StereoMode ? storedBytes : storedBytes / 2;
}

BassHandle Playback::CreateFileStream(const QString& path, std::uint32_t flags) const
{
    const QByteArray name = QFile::encodeName(path);
    if (s_.FileIsWMA) {
        return BASS_WMA_StreamCreateFile(false, name.constData(), 0, 0, flags);
    }
    if (s_.FileIsFLAC) {
        return BASS_FLAC_StreamCreateFile(false, name.constData(), 0, 0, flags);
    }
    return BASS_StreamCreateFile(false, name.constData(), 0, 0, flags);
}

bool Playback::CheckFileType(const QString& path, const QString& prefix)
{
    s_.FileType = path.right(3).toUpper();
    static const QStringList accepted{QStringLiteral("WAV"), QStringLiteral("MP1"), QStringLiteral("MP2"),
                                      QStringLiteral("MP3"), QStringLiteral("OGG"), QStringLiteral("BWF"),
                                      QStringLiteral("WMA"), QStringLiteral("LAC")};
    if (!accepted.contains(s_.FileType)) {
        const QString text = QStringLiteral("Error - Rallybox does not play files of type ") + s_.FileType;
        tracer_.WriteTracer(prefix + QStringLiteral(" - ") + text);
        dialogs_.MessageDlg(prefix + QStringLiteral("\r") + text, mtError, mbOK);
        return false;
    }
    s_.FileIsWMA = s_.FileType == QStringLiteral("WMA");
    s_.FileIsFLAC = s_.FileType == QStringLiteral("LAC");
    s_.FileIsStandard = !s_.FileIsWMA && !s_.FileIsFLAC;
    return true;
}

Playback::Opened Playback::OpenStreams(const QString& path, const QString& prefix, bool traceTempoFallback)
{
    s_.CurrentFile = path;
    if (path.isEmpty()) {
        dialogs_.MessageDlg(prefix + QStringLiteral(" - Rallybox problem with file name"), mtError, mbOK);
        return Opened::No;
    }
    s_.DecodeStream = CreateFileStream(path, BASS_STREAM_DECODE);
    if (s_.DecodeStream == 0) {
        if (BASS_ErrorGetCode() == BassError::Busy) {
            // Slow storage or a cold start: the sound starts when its file is open.
            tracer_.WriteTracer(prefix + QStringLiteral(" - waiting for the file ") + path);
            return Opened::Waiting;
        }
        BassErrorFunction(prefix + QStringLiteral(" - StreamCreateFile"), tracer_, dialogs_);
        return Opened::No;
    }
    // The measuring stream is optional (the decoding stream measures the same): a second open
    // that must wait is not waited for.
    s_.LengthStream = CreateFileStream(path, BassStreamIfAtHand);
    s_.SourceStream = s_.DecodeStream;
    s_.CurrentChannelInfo = BassChannelInfo{};
    BASS_ChannelGetInfo(s_.DecodeStream, s_.CurrentChannelInfo);
    s_.CurrentChannel = BASS_FX_TempoCreate(s_.DecodeStream, BASS_FX_FREESOURCE);
    if (s_.CurrentChannel == 0) {
        s_.CurrentChannel = s_.SourceStream;
        if (traceTempoFallback) {
            tracer_.WriteTracer(QStringLiteral("Couldn't create a resampled stream!"));
        }
    }
    return Opened::Yes;
}

void Playback::FreeOpenedStreams()
{
    // The tempo stream frees its decoding stream with it.
    if (s_.CurrentChannel != 0) {
        BASS_StreamFree(s_.CurrentChannel);
    }
    if (s_.LengthStream != 0) {
        BASS_StreamFree(s_.LengthStream);
    }
    s_.CurrentChannel = 0;
    s_.LengthStream = 0;
    s_.DecodeStream = 0;
    s_.SourceStream = 0;
}

std::int64_t Playback::CustomPlayLength(std::int64_t length, int group, int page, int button) const
{
    if (board_.ButtonCustomCue[group][page][button] != QStringLiteral("Y")) {
        return length;
    }
    const std::int64_t start = CueBytes(board_.ButtonCueStart[group][page][button]);
    const std::int64_t end = CueBytes(board_.ButtonCueEnd[group][page][button]);
    // A cue kept from a longer file (the sound was replaced) may end past this file's end: it
    // then plays to the end of the file.
    return end < 1 || end > length ? length - start : end - start;
}

bool Playback::SetVolume(int volume)
{
    return Guarded(QStringLiteral("SetVolume"), [&] {
        tracer_.WriteTracer(QStringLiteral("Set Volume ") + QString::number(volume));
        s_.MasterVolume = volume;
        if (!BASS_SetVolume(static_cast<std::uint32_t>(volume < 0 ? 0 : volume))) {
            if (set_.OutputDevice > 1) {
                tracer_.WriteTracer(QStringLiteral("SetVolume failed - Device is ") +
                                    QString::number(set_.OutputDevice) + QStringLiteral("Exiting Set Volume routine"));
                return false;
            }
            BassErrorFunction(QStringLiteral("SetVolume"), tracer_, dialogs_);
        }
        win_.SetVolumeHint(QStringLiteral("Volume: ") + QString::number(set_.Volume) + QStringLiteral("%"));
        return true;
    });
}

bool Playback::DetermineDuration(int group, int page, int button)
{
    try {
        s_.FileType = board_.ButtonFile[group][page][button].right(3).toUpper();
        s_.FileIsWMA = s_.FileType == QStringLiteral("WMA");
        // The file's second open can be refused on its own while the first succeeded (opens are
        // bounded in time, and a busy machine can hold the second up): the decoding stream is the
        // same file and measures the same.
        const BassHandle measured = s_.LengthStream != 0 ? s_.LengthStream : s_.DecodeStream;
        s_.LengthBytes = BASS_ChannelGetLength(measured);
        s_.LengthBytes = CustomPlayLength(s_.LengthBytes, group, page, button);
        s_.LengthSeconds = BASS_ChannelBytes2Seconds(measured, s_.LengthBytes);
        if (s_.LengthSeconds < 0) {
            BassErrorFunction(QStringLiteral("DetermineDuration - bass seconds"), tracer_, dialogs_);
        }
        ShowDuration(group, page, button);
        s_.RemainingSeconds = s_.LongestSeconds;
        if (s_.LengthStream != 0) {
            BASS_StreamFree(s_.LengthStream);
            s_.LengthStream = 0;
        }
    } catch (const std::exception&) {
        tracer_.WriteTracer(QStringLiteral("DeterminationDuration Error"));
        ShowError(QStringLiteral("DetermineDuration"));
    }
    return true;
}

void Playback::ShowDuration(int group, int page, int button)
{
    s_.SoundSeconds = RoundHalfEven(s_.LengthSeconds);
    if (!set_.MultiPlay || s_.SoundSeconds > s_.LongestSeconds) {
        s_.LongestSeconds = s_.SoundSeconds;
    }
    s_.TotalSeconds = s_.LongestSeconds;
    if (!s_.AddingSounds) {
        win_.SetTotalTimeLabel(ConvertTime(s_.LongestSeconds, QStringLiteral("MM:SS")));
    }
    if (!set_.MultiPlay) {
        const QString text = ConvertTime(s_.TotalSeconds, QStringLiteral("MM:SS"));
        board_.ButtonTime[group][page][button] = text;
        if (OnDisplay(group, page) && button == sel_.CurrentButton) {
            win_.SetTimeLabel(button, text);
        }
    }
}

// A click does not wait for a long file's scan: its length starts as the container's estimate.
// When the exact figure arrives the times follow it.
void Playback::RefineDuration(int group, int page, int button, std::int64_t lengthBytes)
{
    if (lengthBytes <= 0 || lengthBytes == s_.LengthBytes || !Board::IsValidAddress(group, page, button)) {
        return;
    }
    s_.LengthBytes = lengthBytes;
    const double seconds = BASS_ChannelBytes2Seconds(s_.CurrentChannel, lengthBytes);
    if (seconds < 0) {
        return;
    }
    s_.LengthSeconds = seconds;
    if (RoundHalfEven(seconds) != s_.SoundSeconds) {
        ShowDuration(group, page, button);
    }
}

bool Playback::DetermineNewDuration(int group, int page, int button)
{
    return Guarded(QStringLiteral("DetermineNewDuration"), [&] {
        s_.FileType = board_.ButtonFile[group][page][button].right(3).toUpper();
        s_.FileIsWMA = s_.FileType == QStringLiteral("WMA");
        s_.FileIsFLAC = s_.FileType == QStringLiteral("LAC");
        s_.FileIsStandard = !s_.FileIsWMA && !s_.FileIsFLAC;
        const double seconds =
            BASS_ChannelBytes2Seconds(s_.NewFileStream, BASS_ChannelGetLength(s_.NewFileStream));
        if (seconds < 0) {
            BassErrorFunction(QStringLiteral("DetermineNewDuration - bass seconds"), tracer_, dialogs_);
        }
        const QString text = ConvertTime(RoundHalfEven(seconds), QStringLiteral("MM:SS"));
        board_.ButtonTime[group][page][button] = text;
        if (OnDisplay(group, page) && button == sel_.CurrentButton) {
            win_.SetTimeLabel(button, text);
        }
        BASS_StreamFree(s_.NewFileStream);
        s_.NewFileStream = 0;
        return true;
    });
}

void Playback::GetSilenceLength()
{
    if (!set_.InstantPlay || !(s_.lHKPlaying || win_.AdvanceBar() <= 0) || s_.PlayPosition != 0) {
        return;
    }
    tracer_.WriteTracer(QStringLiteral("GetSilenceLength"));
    const BassHandle scan = CreateFileStream(s_.CurrentFile, BASS_STREAM_DECODE | BassStreamIfAtHand);
    if (scan == 0) {
        return;
    }
    const int threshold = set_.InstantPlayThreshold;
    const int quarter = threshold / 4;
    std::vector<std::int16_t> buffer(SilenceBlockBytes / 2);
    std::int64_t pos = 0;
    // The scan reads on the window's thread: on slow storage it skips only the quiet part read
    // so far rather than hold the window.
    const BlockedTime blocked;
    while (BASS_ChannelIsActive(scan) != BassActiveStopped && blocked.elapsed() < MaxSilenceScanWait) {
        const int got = BASS_ChannelGetData(scan, buffer.data(), SilenceBlockBytes);
        if (got <= 0) {
            break;
        }
        const int samples = got / 2;
        int k = 0;
        while (k < samples && std::abs(static_cast<int>(buffer[static_cast<std::size_t>(k)])) <= threshold) {
            ++k;
        }
        if (k == samples) {
            pos += got;
            continue;
        }
        int j = k;
        while (j > 0 && std::abs(static_cast<int>(buffer[static_cast<std::size_t>(j)])) > quarter) {
            --j;
        }
        pos += 2 * j;
        break;
    }
    BASS_StreamFree(scan);
    tracer_.WriteTracer(QStringLiteral("GetSilenceLength ") + QString::number(pos));
    if (!BASS_ChannelSetPosition(s_.CurrentChannel, pos)) {
        BassErrorFunction(QStringLiteral("GetSilenceLength"), tracer_, dialogs_);
    }
    s_.PlayPosition = BASS_ChannelGetPosition(s_.CurrentChannel);
}
