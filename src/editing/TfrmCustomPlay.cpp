#include "editing/TfrmCustomPlay.h"

#include "board/Board.h"
#include "board/MainForm.h"
#include "board/Selection.h"
#include "board/Settings.h"
#include "board/SoundFileStream.h"
#include "controls/ButtonWithColor.h"
#include "controls/SlideBar.h"
#include "editing/MainFormSoundSlots.h"
#include "editing/SoundSlotView.h"
#include "platform/Dialogs.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStringList>
#include <QTimer>

#include <algorithm>
#include <cstdint>
#include <exception>

namespace {

CustomPlayContext ContextOf(TForm1& mainForm, SoundSlotView& view)
{
    MainFormContext& main = mainForm.Context();
    return CustomPlayContext{main.board, main.selection, main.settings, main.dialogs, view};
}

// Every type the play paths open; "LAC" is the end of ".FLAC".
bool PlayableType(const QString& type)
{
    static const QStringList accepted{QStringLiteral("WAV"), QStringLiteral("MP1"), QStringLiteral("MP2"),
                                      QStringLiteral("MP3"), QStringLiteral("OGG"), QStringLiteral("BWF"),
                                      QStringLiteral("WMA"), QStringLiteral("LAC")};
    return accepted.contains(type);
}

} // namespace

QString FormatByteCount(std::int64_t bytes)
{
    const QString digits = QString::number(bytes);
    if (digits.size() < 4 || digits.size() > 12) {
        return digits;
    }
    QString out;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            out += QLatin1Char(',');
        }
        out += digits[i];
    }
    return out;
}

TfrmCustomPlay::TfrmCustomPlay(TForm1* mainForm)
    : QDialog(mainForm), ownSlots_(std::make_unique<MainFormSoundSlots>(*mainForm)),
      ctx_(ContextOf(*mainForm, *ownSlots_))
{
    Create();
}

TfrmCustomPlay::TfrmCustomPlay(const CustomPlayContext& context, QWidget* parent)
    : QDialog(parent), ctx_(context)
{
    Create();
}

TfrmCustomPlay::~TfrmCustomPlay()
{
    FreeStream();
}

void TfrmCustomPlay::Create()
{
    setObjectName(QStringLiteral("frmCustomPlay"));
    setWindowTitle(QStringLiteral("Custom Cue Control Settings"));
    BuildLayout();
    WireSignals();
}

bool TfrmCustomPlay::Mono() const
{
    return !ctx_.settings.StereoMode;
}

void TfrmCustomPlay::ShowError(const QString& routine)
{
    ctx_.dialogs.MessageDlg(QStringLiteral("Error in ") + routine + QStringLiteral("\rNotify Program Author"),
                            mtError, mbOK);
}

int TfrmCustomPlay::ShowModal()
{
    // Once per opening: the dialog's own message boxes take the activation away and give it back,
    // and must neither undo the edits nor end the dialog.
    FormActivate();
    return exec();
}

void TfrmCustomPlay::Open()
{
    FormActivate();
    QDialog::open();
}

void TfrmCustomPlay::FormActivate()
{
    try {
        FreeStream();
        const Board& board = ctx_.board;
        const int g = ctx_.selection.PopupGroup;
        const int p = ctx_.selection.PopupPage;
        const int b = ctx_.selection.PopupButton;
        if (!Board::IsValidAddress(g, p, b)) {
            return;
        }
        SoundName->setText(board.ButtonCaption[g][p][b]);
        CustomPlayTime->setText(QStringLiteral("00:00"));
        CustomPlayStart = 0;
        CustomPlayEnd = 0;
        PanPosition->setText(QStringLiteral("0"));
        SetStart->setText(QStringLiteral("0"));
        SetEnd->setText(QStringLiteral("0"));
        CustomPlayPercent->setText(QStringLiteral("0%"));
        CustomPlaySeek = 0;
        PlayPosition = 0;
        LengthBytes = 0;
        PanEnd->setText(QStringLiteral("0"));
        CustomPlayTimeEnd->setText(board.ButtonTime[g][p][b]);
        StartCueSet = EndPointSet = false;
        CustomPlayPlaying = CustomPlayPreviewing = CustomPlayPaused = CustomPlayDragging = false;
        CustomPlayTimer->stop();
        CustomPlayTimer->setInterval(10);
        ShowPauseFace(true);
        PaintCueButton(SetStartButton, false);
        PaintCueButton(SetEndButton, false);
        CustomPlayStep = FineTune10->isChecked()      ? 10
                         : FineTune100->isChecked()   ? 100
                         : FineTune10000->isChecked() ? 10000
                                                      : 1000;
        CustomPlayVolume->SetValue(ctx_.slotView.MasterVolume());
        (board.ButtonCustomCue[g][p][b] == QStringLiteral("Y") ? CustomPlayOn : CustomPlayOff)
            ->setChecked(true);
        // Loading the bar's value moved the seek point; the opening starts at 0.
        CustomPlayProgressBar->SetValue(0);
        CustomPlaySeek = 0;
        PlayPosition = 0;
        const int shift = Mono() ? 1 : 0;
        if (board.ButtonCueStart[g][p][b] > 0) {
            CustomPlayStart = board.ButtonCueStart[g][p][b] >> shift;
            StartCueSet = true;
            PaintCueButton(SetStartButton, true);
        }
        SetStart->setText(FormatByteCount(CustomPlayStart));
        if (board.ButtonCueEnd[g][p][b] > 0) {
            CustomPlayEnd = board.ButtonCueEnd[g][p][b] >> shift;
            EndPointSet = true;
            PaintCueButton(SetEndButton, true);
        }
        SetEnd->setText(FormatByteCount(CustomPlayEnd));
        OpenStream();
    } catch (const std::exception&) {
        ShowError(QStringLiteral("CustomPlay - FormActivate"));
    }
}

void TfrmCustomPlay::OpenStream()
{
    const Board& board = ctx_.board;
    const QString file =
        board.ButtonFile[ctx_.selection.PopupGroup][ctx_.selection.PopupPage][ctx_.selection.PopupButton];
    const QString type = file.right(3).toUpper();
    if (!PlayableType(type)) {
        ctx_.dialogs.MessageDlg(
            QStringLiteral("CustomCueControl\rError - Rallybox does not play files of type ") + type, mtError,
            mbOK);
        return;
    }
    CurrentChannel = OpenFileStreamWaiting(file, 0);
    if (CurrentChannel != 0) {
        LengthBytes = BASS_ChannelGetLength(CurrentChannel);
        PanEnd->setText(FormatByteCount(LengthBytes));
        PlayLength = LengthBytes;
        CustomPlayVolumeChange();
    }
}

void TfrmCustomPlay::FreeStream()
{
    if (CustomPlayTimer != nullptr) {
        CustomPlayTimer->stop();
    }
    if (CurrentChannel != 0) {
        BASS_StreamFree(CurrentChannel);
        CurrentChannel = 0;
    }
    CustomPlayPlaying = CustomPlayPreviewing = CustomPlayPaused = false;
}

void TfrmCustomPlay::CustomPlaySaveButtonClick()
{
    try {
        FreeStream();
        Board& board = ctx_.board;
        const int g = ctx_.selection.PopupGroup;
        const int p = ctx_.selection.PopupPage;
        const int b = ctx_.selection.PopupButton;
        if (!Board::IsValidAddress(g, p, b)) {
            done(2);
            return;
        }
        board.ButtonCustomCue[g][p][b] =
            CustomPlayOn->isChecked() ? QStringLiteral("Y") : QStringLiteral("N");
        const QString caption = SoundName->text();
        board.ButtonCaption[g][p][b] = caption;
        if (g == ctx_.selection.CurrentGroup && p == ctx_.selection.CurrentPage) {
            ctx_.slotView.SetSoundButtonCaption(b, caption);
            ctx_.slotView.SetMemoText(b, caption);
        }
        const std::int64_t factor = Mono() ? 2 : 1;
        // Cue points stay inside the 32-bit cells they are stored in.
        board.ButtonCueStart[g][p][b] = static_cast<std::int32_t>(
            std::min<std::int64_t>(std::int64_t(CustomPlayStart) * factor, INT32_MAX));
        board.ButtonCueEnd[g][p][b] = static_cast<std::int32_t>(
            std::min<std::int64_t>(std::int64_t(CustomPlayEnd) * factor, INT32_MAX));
        if (board.ButtonCueStart[g][p][b] == 0 && board.ButtonCueEnd[g][p][b] == 0) {
            board.ButtonCustomCue[g][p][b] = QStringLiteral("N");
        }
        board.BoardChanged = true;
        done(1);
    } catch (const std::exception&) {
        ShowError(QStringLiteral("CustomPlaySaveButtonClick"));
    }
}

void TfrmCustomPlay::CancelButtonClick()
{
    FreeStream();
    done(2);
}

void TfrmCustomPlay::reject()
{
    CancelButtonClick();
}
