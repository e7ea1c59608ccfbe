// The master volume bar with its zone ticks, the progress bar's seek, the focus parking and the
// hot key a scoreboard hands over.
#include "playback/ModeButtons.h"

#include "board/BassErrorText.h"
#include "board/Board.h"
#include "board/Selection.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "platform/Rounding.h"
#include "playback/ModeButtonsWindow.h"
#include "playback/PlaybackWindow.h"

#include <algorithm>

void ModeButtons::VolumeControl1Change(int value)
{
    Guarded(QStringLiteral("VolumeControl1Change"), [&] {
        if (modes_.VolumeChanging()) {
            return;
        }
        tracer_.WriteTracer(QStringLiteral("Volume Change"));
        play_.SetVolume(value);
        set_.Volume = value;
        win_.SetVolumeHint(QStringLiteral("Volume: ") + QString::number(value) + QStringLiteral("%"));
    });
}

TColor ModeButtons::VolumeTickColor(int tick, int value)
{
    const bool reached = value >= tick;
    if (tick <= 74) {
        return reached ? static_cast<TColor>(0x00FF00) : static_cast<TColor>(0x008000);
    }
    if (tick <= 90) {
        return reached ? static_cast<TColor>(0x00FFFF) : static_cast<TColor>(0x008080);
    }
    return reached ? static_cast<TColor>(0x0000FF) : static_cast<TColor>(0x000080);
}

QRect ModeButtons::VolumeTickRect(int x, int y, bool firstRow, int barWidth, int max, int stepPerTick,
                                  int tickSize, int tickSpace)
{
    const int ticks = stepPerTick > 0 ? max / stepPerTick : 0;
    const int h = ticks > 0 ? (barWidth / ticks) / 2 : 0;
    const int d = firstRow ? -1 : tickSpace + 1;
    // Left, top, right and bottom edges as the tick's corners, right and bottom exclusive.
    return QRect(QPoint(x - h + 1, y - d), QPoint(x + h - 2 - 1, y + tickSize - d - 1));
}

void ModeButtons::AdvanceBarChange(int value)
{
    modes_.SetProgressGauge(value);
}

void ModeButtons::AdvanceMouseDown()
{
    s_.AdvanceBarDragging = true;
}

std::int64_t ModeButtons::AdvanceSeekPosition(int percent, std::int64_t lengthBytes, bool customCue,
                                              std::int64_t cueStart, std::int64_t cueEnd, int frameBytes)
{
    const double fraction = std::clamp(percent, 0, 100) / 100.0;
    std::int64_t position = 0;
    if (!customCue) {
        position = RoundHalfEven64(fraction * static_cast<double>(lengthBytes));
    } else {
        const std::int64_t start = std::max<std::int64_t>(cueStart, 0);
        const std::int64_t end = cueEnd > start ? cueEnd : lengthBytes;
        position = start + RoundHalfEven64(fraction * static_cast<double>(end - start));
    }
    // A position inside a frame would swap or shift the channels' samples.
    position = std::max<std::int64_t>(position, 0);
    if (frameBytes > 1) {
        position -= position % frameBytes;
    }
    return position;
}

void ModeButtons::AdvanceMouseUp(int value)
{
    Guarded(QStringLiteral("AdvanceMouseUp"), [&] {
        s_.AdvanceBarDragging = false;
        if (!s_.Playing || set_.MultiPlay) {
            return;
        }
        const BassHandle h = s_.CurrentChannel;
        const std::int64_t length = BASS_ChannelGetLength(h);
        const int g = sel_.PlayingGroup;
        const int p = sel_.PlayingPage;
        const int b = sel_.PlayingButton;
        const bool customCue =
            Board::IsValidAddress(g, p, b) && board_.ButtonCustomCue[g][p][b] == QStringLiteral("Y");
        const std::int64_t start = customCue ? play_.CueBytes(board_.ButtonCueStart[g][p][b]) : 0;
        const std::int64_t end = customCue ? play_.CueBytes(board_.ButtonCueEnd[g][p][b]) : 0;
        const int frameBytes = set_.StereoMode ? 4 : 2;
        const std::int64_t position =
            AdvanceSeekPosition(value, std::max<std::int64_t>(length, 0), customCue, start, end, frameBytes);
        if (!BASS_ChannelSetPosition(h, position)) {
            ChannelErrorFunction(QStringLiteral("AdvanceMouseUpA2"), tracer_, dialogs_);
        }
        if (s_.Playing) {
            s_.PlayPosition = BASS_ChannelGetPosition(h);
            if (s_.PlayPosition == -1) {
                ChannelErrorFunction(QStringLiteral("AdvanceMouseUpB"), tracer_, dialogs_);
            }
        }
    });
}

void ModeButtons::VolumeControlExit()
{
    win_.FocusDummy();
}

void ModeButtons::DummyButton1Click()
{
    win_.FocusDummy();
}

void ModeButtons::EqualizerButtonClick()
{
    win_.FocusDummy();
    Guarded(QStringLiteral("EqualizerButtonClick"), [&] { modes_.ShowEqualizer(); });
}

void ModeButtons::CheckSBHotKey()
{
    Guarded(QStringLiteral("CheckSBHotKey"), [&] {
        if (!s_.HotKeyPending) {
            return;
        }
        s_.HotKeyPending = false;
        play_.HotKeyPlaySound();
    });
}
