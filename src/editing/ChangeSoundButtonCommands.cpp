// Browse, OK, Delete and Custom Cue Control of the sound-button editor.
#include "board/Board.h"
#include "board/HotKeyCode.h"
#include "board/Selection.h"
#include "board/SoundLengthFollower.h"
#include "board/TimeText.h"
#include "editing/CaptionMemo.h"
#include "editing/ChangeSoundButton.h"
#include "editing/ChangeSoundButtonText.h"
#include "editing/SoundFileLength.h"
#include "editing/SoundSlotView.h"
#include "platform/Dialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>

#include <exception>

namespace {

// The hourglass for the duration of a command, restored on every way out.
class HourglassCursor
{
public:
    HourglassCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~HourglassCursor() { QApplication::restoreOverrideCursor(); }
    HourglassCursor(const HourglassCursor&) = delete;
    HourglassCursor& operator=(const HourglassCursor&) = delete;
};

} // namespace

void TFormChangeSoundButton::BrowseButtonClick()
{
    try {
        FileDialogOptions options;
        options.Title = QStringLiteral("Change Sound Button - Select Sound File");
        options.Filter = SoundFileFilter();
        const QString current = NewFileName->text().trimmed();
        options.FileName = current;
        options.InitialDir = current.isEmpty() ? QString() : QFileInfo(current).absolutePath();
        QString chosen;
        if (!ctx_.dialogs.OpenFileDialog(options, chosen)) {
            return;
        }
        NewFileName->setText(chosen);
        const QString caption = DefaultCaptionOfFile(chosen);
        NewCaption->setText(caption);
        MemoCaption->SetText(caption);
        NewNote->setText(caption);
    } catch (const std::exception&) {
        ShowError(QStringLiteral("BrowseButtonClick"));
    }
}

void TFormChangeSoundButton::OKButtonClick()
{
    HourglassCursor hourglass;
    try {
        StoreFields();
        if (!StoreHotKey()) {
            return;
        }
        MeasureSoundFile();
        ctx_.slotView.ShowPageTotals(ctx_.selection.PopupGroup, ctx_.selection.PopupPage);
        taken_.clear();
        done(mrOk);
    } catch (const std::exception&) {
        ShowError(QStringLiteral("OKButtonClick"));
    }
}

void TFormChangeSoundButton::StoreFields()
{
    Board& board = ctx_.board;
    SoundSlotView& view = ctx_.slotView;
    const int g = ctx_.selection.PopupGroup;
    const int p = ctx_.selection.PopupPage;
    const int b = ctx_.selection.PopupButton;

    QString caption = BoardCaptionOfMemo(MemoCaption->Text());
    if (caption.contains(u'&')) {
        caption = RemoveFirstAmpersand(caption);
        MemoCaption->SetText(MemoTextOfCaption(caption));
    }
    view.SetSoundButtonCaption(b, caption);
    board.ButtonCaption[g][p][b] = caption;
    view.SetMemoText(b, caption);

    const QString file = NewFileName->text();
    board.PageFiles[static_cast<std::size_t>(b)] = file;
    board.ButtonFile[g][p][b] = file;
    if (!file.trimmed().isEmpty()) {
        view.SetSoundButtonVisible(b, true);
    }

    board.ButtonNote[g][p][b].clear();
    view.SetSlotHint(b, QString());
    board.ButtonLoop[g][p][b] = cbLoopSound->isChecked() ? QStringLiteral("L") : QString();
    if (!NewNote->text().trimmed().isEmpty()) {
        board.ButtonNote[g][p][b] = NewNote->text();
        view.SetSlotHint(b, NewNote->text());
    }
    board.BoardChanged = true;
}

bool TFormChangeSoundButton::StoreHotKey()
{
    Board& board = ctx_.board;
    const int g = ctx_.selection.PopupGroup;
    const int p = ctx_.selection.PopupPage;
    const int b = ctx_.selection.PopupButton;
    const QString code =
        HotKeyText->text().isEmpty() ? QString() : MakeHotKeyCode(LabelsModifier(), HotKeyText->text());
    if (code.isEmpty()) {
        board.ButtonHotKeyInfo[g][p][b].clear();
        board.ButtonHotKey[g][p][b].clear();
        ctx_.slotView.HideHotKeyLabel(b);
        return true;
    }
    if (IsReservedHotKey(code)) {
        ctx_.dialogs.MessageDlg(QString::fromLatin1(HotKeyReservedText), mtError, mbOK);
        return false;
    }
    // A key another button still holds moves to this one in the same step, so no OK can leave
    // the key on neither button.
    ClearDuplicateHotKeys(code);
    for (const TakenHotKey& owner : taken_) {
        HideLabelIfShown(owner.group, owner.page, owner.button);
    }
    board.ButtonHotKey[g][p][b] = code;
    ctx_.slotView.ShowHotKeyLabel(b, HotKeyMarker(code), HotKeyLongText(code));
    return true;
}

void TFormChangeSoundButton::ClearDuplicateHotKeys(const QString& code)
{
    const Selection& sel = ctx_.selection;
    Board& board = ctx_.board;
    for (int g = 1; g <= GroupCount; ++g) {
        for (int p = 1; p <= PageButtonCount; ++p) {
            for (int b = 1; b <= ButtonCount; ++b) {
                const bool edited = g == sel.PopupGroup && p == sel.PopupPage && b == sel.PopupButton;
                if (!edited && board.ButtonHotKey[g][p][b] == code) {
                    board.ButtonHotKey[g][p][b].clear();
                    HideLabelIfShown(g, p, b);
                }
            }
        }
    }
}

void TFormChangeSoundButton::HideLabelIfShown(int group, int page, int button)
{
    const Selection& sel = ctx_.selection;
    if (group == sel.CurrentGroup && page == sel.CurrentPage) {
        ctx_.slotView.HideHotKeyLabel(button);
    }
}

void TFormChangeSoundButton::MeasureSoundFile()
{
    Board& board = ctx_.board;
    SoundSlotView& view = ctx_.slotView;
    const int g = ctx_.selection.PopupGroup;
    const int p = ctx_.selection.PopupPage;
    const int b = ctx_.selection.PopupButton;
    const QString file = NewFileName->text();
    // While a sound plays, or without a file, the time and state stay as they were.
    if (file.trimmed().isEmpty() || !QFileInfo(file).isFile() || view.Playing()) {
        return;
    }
    const BassHandle stream = OpenStreamForLength(board.ButtonFile[g][p][b]);
    if (stream != 0) {
        MeasureButtonTime(stream);
    } else {
        BassErrorText();
        ctx_.dialogs.MessageDlg(QStringLiteral("Rallybox does not play this type of file"), mtError, mbOK);
    }
    const TColor panel = view.PanelColor(b);
    if (panel == clTeal) {
        view.SetPanelColor(b, clBtnFace);
    } else if (panel == clFuchsia) {
        // The missing file was replaced by one that exists.
        board.ButtonState[g][p][b] = bstNeutral;
        view.SetPanelColor(b, clBtnFace);
    }
    view.SetTimeLabel(b, board.ButtonTime[g][p][b]);
}

void TFormChangeSoundButton::MeasureButtonTime(BassHandle stream)
{
    Board& board = ctx_.board;
    const int g = ctx_.selection.PopupGroup;
    const int p = ctx_.selection.PopupPage;
    const int b = ctx_.selection.PopupButton;
    // Copied: a measured length arriving later is timed by the cue the button had when measured.
    const QString file = board.ButtonFile[g][p][b];
    const QString cue = board.ButtonCustomCue[g][p][b];
    const std::int32_t cueStart = board.ButtonCueStart[g][p][b];
    const std::int32_t cueEnd = board.ButtonCueEnd[g][p][b];
    const auto timeOf = [cue, cueStart, cueEnd](BassHandle s, std::int64_t bytes) {
        return ConvertTime(MeasuredSeconds(s, bytes, cue, cueStart, cueEnd), QStringLiteral("HH:MM:SS"));
    };
    if (ctx_.buttonLengths == nullptr) {
        bool exact = false;
        board.ButtonTime[g][p][b] =
            timeOf(stream, BassChannelGetLengthWithin(stream, SoundLengthFollower::kWaitMs, exact));
        BASS_StreamFree(stream);
    } else {
        const auto correct = ctx_.CorrectButtonTime;
        ctx_.buttonLengths->Measure(stream, [&board, g, p, b, file, timeOf, correct](BassHandle s, std::int64_t bytes,
                                                                                  bool later) {
            if (!later) {
                board.ButtonTime[g][p][b] = timeOf(s, bytes);
            } else if (correct) {
                correct(g, p, b, file, timeOf(s, bytes));
            }
        });
    }
    ctx_.slotView.SetTimeLabel(b, board.ButtonTime[g][p][b]);
}

void TFormChangeSoundButton::BassErrorText()
{
    const int code = BASS_ErrorGetCode();
    if (code == 0) {
        return;
    }
    ctx_.dialogs.MessageDlg(ChangeSoundButtonErrorMessage(code), mtError, mbOK);
}

void TFormChangeSoundButton::DeleteButtonClick()
{
    try {
        ClearCell();
        // The deleted button did not keep the key it took, so its other button gets it back.
        RestoreTakenHotKeys();
        ctx_.slotView.ShowPageTotals(ctx_.selection.PopupGroup, ctx_.selection.PopupPage);
        done(mrOk);
    } catch (const std::exception&) {
        ShowError(QStringLiteral("DeleteButtonClick"));
    }
}

void TFormChangeSoundButton::ClearCell()
{
    Board& board = ctx_.board;
    SoundSlotView& view = ctx_.slotView;
    const int g = ctx_.selection.PopupGroup;
    const int p = ctx_.selection.PopupPage;
    const int b = ctx_.selection.PopupButton;
    const QString blank = QStringLiteral(" ");
    board.ButtonCaption[g][p][b] = blank;
    board.ButtonFile[g][p][b] = blank;
    board.ButtonTime[g][p][b] = blank;
    board.ButtonNote[g][p][b] = blank;
    board.ButtonState[g][p][b] = bstUnplayed;
    board.ButtonHotKey[g][p][b].clear();
    board.ButtonHotKeyInfo[g][p][b].clear();
    // The next file in this slot must not inherit the old sound's level, loop or cue points.
    board.ButtonVolume[g][p][b].clear();
    board.ButtonLoop[g][p][b].clear();
    board.ButtonCustomCue[g][p][b] = QStringLiteral("N");
    board.ButtonCueStart[g][p][b] = 0;
    board.ButtonCueEnd[g][p][b] = 0;
    board.PageFiles[static_cast<std::size_t>(b)] = blank;
    board.BoardChanged = true;

    view.SetSoundButtonCaption(b, blank);
    view.SetMemoText(b, QString());
    view.SetMemoHint(b, QString());
    view.SetSlotHint(b, QString());
    view.SetPanelColor(b, clTeal);
    view.SetTimeLabel(b, blank);
    view.HideHotKeyLabel(b);
    view.HideMarkerLabels(b);
    if (!board.EditMode) {
        view.SetSoundButtonVisible(b, false);
    }
}

void TFormChangeSoundButton::CustomPlaybackButtonClick()
{
    try {
        if (ctx_.slotView.Playing()) {
            ctx_.dialogs.MessageDlg(
                QStringLiteral("You cannot set a Custom Cue Control while another sound is playing."),
                mtInformation, mbOK);
            return;
        }
        if (!ctx_.ShowCustomCueEditor) {
            return;
        }
        const Selection& sel = ctx_.selection;
        const int g = sel.PopupGroup;
        const int p = sel.PopupPage;
        const int b = sel.PopupButton;
        const QString nameBefore =
            Board::IsValidAddress(g, p, b) ? ctx_.board.ButtonCaption[g][p][b] : QString();
        // The cue editor saves the name typed in its "Sound Clip" field into the cell; this
        // window's OK stores its own caption field, so a new name must reach that field or OK
        // would put the old one back. An unchanged name leaves whatever was typed here.
        if (ctx_.ShowCustomCueEditor() == 1 && Board::IsValidAddress(g, p, b) &&
            ctx_.board.ButtonCaption[g][p][b] != nameBefore) {
            const QString& saved = ctx_.board.ButtonCaption[g][p][b];
            NewCaption->setText(saved);
            MemoCaption->SetText(MemoTextOfCaption(saved));
        }
        // The output volume is the board's again, whatever happened while the cue editor was open.
        BASS_SetVolume(static_cast<std::uint32_t>(ctx_.slotView.MasterVolume()));
    } catch (const std::exception&) {
        ShowError(QStringLiteral("CustomPlaybackButtonClick"));
    }
}
