// Filling cells from outside the sound-button editor: several files picked at once go onto
// consecutive buttons of the page on display, and a sound dragged onto another page button moves
// to the first free button of that page.
#include "board/MainForm.h"

#include "audio/Bass.h"
#include "board/BassErrorText.h"
#include "board/Board.h"
#include "board/MainFormButtons.h"
#include "board/Selection.h"
#include "board/SetFileText.h"
#include "board/Settings.h"
#include "board/SoundFileStream.h"
#include "board/SoundLengthFollower.h"
#include "board/TimeText.h"
#include "controls/ClickLabel.h"
#include "controls/ColorPanel.h"
#include "platform/Dialogs.h"
#include "platform/Rounding.h"

#include <QFileInfo>
#include <QPushButton>

#include <algorithm>
#include <exception>

namespace {

constexpr int MaxCaptionLength = 99;

// The file's name without folder and extension, at most 99 characters, without its first "&"
// (a caption shows "&" as a shortcut mark). Both "/" and "\" end a folder; a ":" stays.
QString CaptionOfFile(const QString& path)
{
    const qsizetype slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    QString name = path.mid(slash + 1);
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot > 0) {
        name.truncate(dot);
    }
    name.truncate(MaxCaptionLength);
    const qsizetype amp = name.indexOf(u'&');
    if (amp >= 0) {
        name.remove(amp, 1);
    }
    return name;
}

bool IsReservedColor(TColor color)
{
    for (TColor reserved : {TColor(0x0000FF), TColor(0x00FF00), TColor(0x00FFFF), TColor(0xFFFF00), TColor(0),
                            TColor(0xFF00FF), clTeal, TForm1::CuedColor}) {
        if (color == reserved) {
            return true;
        }
    }
    return false;
}

const QString AddOverPlayingRefusal =
    QStringLiteral("A Sound Button you are adding to is playing.\rStop it before you add sounds over it.");

} // namespace

bool TForm1::RefuseAddingOverPlaying(int firstSlot, int fileCount)
{
    const Selection& sel = ctx_.selection;
    const int lastSlot = std::min(firstSlot + std::max(fileCount, 1) - 1, ButtonCount);
    for (int b = firstSlot; b <= lastSlot; ++b) {
        if (Windows().IsAddressPlaying(sel.PopupGroup, sel.PopupPage, b)) {
            ctx_.dialogs.MessageDlg(AddOverPlayingRefusal, mtError, mbOK);
            return true;
        }
    }
    return false;
}

bool TForm1::AddSoundButton()
{
    Selection& sel = ctx_.selection;
    try {
        // A playing slot keeps its channel pointing at its address, so a sound written over it
        // would turn played when the old one ends: nothing is added over a playing sound.
        if (RefuseAddingOverPlaying(sel.PopupButton, 1)) {
            AddingSounds = false;
            return true;
        }
        FileDialogOptions options;
        options.Title = QStringLiteral("Add New Sound Button - Select Sound File(s)");
        options.Filter = QStringLiteral("Music Files (*.mp3, *.wav, *.wma, *.flac, *.ogg)|"
                                        "*.mp3;*.wav;*.wma;*.flac;*.ogg|All Files (*.*)|*.*");
        QStringList files;
        if (ctx_.dialogs.OpenFilesDialog(options, files) &&
            !RefuseAddingOverPlaying(sel.PopupButton, static_cast<int>(files.size()))) {
            for (const QString& path : files) {
                // Files past the last button are not placed.
                if (sel.PopupButton < 1 || sel.PopupButton > ButtonCount) {
                    break;
                }
                if (!SetFileCanHoldPath(path)) {
                    ctx_.dialogs.MessageDlg(PathWithLineBreakText(path), mtError, mbOK);
                    continue;
                }
                PlaceAddedFile(path, sel.PopupButton);
                if (files.size() > 1) {
                    ++sel.PopupButton;
                }
            }
        }
        // Also after running past button 48: the page did change.
        WritePageTotals(sel.PopupGroup, sel.PopupPage);
    } catch (const std::exception&) {
        ShowError(QStringLiteral("AddSoundButton"));
    }
    AddingSounds = false;
    return true;
}

void TForm1::PlaceAddedFile(const QString& path, int slot)
{
    Board& board = ctx_.board;
    const Selection& sel = ctx_.selection;
    const int g = sel.PopupGroup;
    const int p = sel.PopupPage;
    const auto i = static_cast<std::size_t>(slot);
    const QString caption = CaptionOfFile(path);
    AsPushButton(SoundButtons[i])->setText(caption);
    ButtonMemos[i]->setText(caption);
    ButtonMemos[i]->SetFontColor(clBlack);
    board.ButtonCaption[g][p][slot] = caption;
    board.ButtonFile[g][p][slot] = path;
    board.ButtonNote[g][p][slot] = caption;
    board.ButtonState[g][p][slot] = bstUnplayed;
    board.ForgetCueOrigin(g, p, slot);
    board.PageFiles[i] = path;
    AsPushButton(SoundButtons[i])->setToolTip(caption);
    ButtonPanels[i]->setToolTip(caption);
    if (!Board::IsBlank(path)) {
        const TColor last = ctx_.settings.LastSoundButtonColor;
        const TColor color = IsReservedColor(last) ? clBtnFace : last;
        ButtonPanels[i]->SetColor(color);
        board.ButtonCustomColor[g][p][slot] = color;
    }
    board.BoardChanged = true;
    // A file that cannot be measured shows no time rather than the time of the sound it replaced.
    board.ButtonTime[g][p][slot] = QStringLiteral(" ");
    if (!Board::IsBlank(path) && QFileInfo::exists(path)) {
        const BassHandle stream = OpenStreamForLength(path);
        if (stream != 0) {
            ButtonLengths().Measure(stream, [this, g, p, slot, path](BassHandle s, std::int64_t bytes, bool later) {
                const double seconds = BASS_ChannelBytes2Seconds(s, bytes);
                const QString time = ConvertTime(RoundHalfEven(seconds), QStringLiteral("MM:SS"));
                if (later) {
                    CorrectButtonTime(g, p, slot, path, time);
                } else if (seconds >= 0) {
                    ctx_.board.ButtonTime[g][p][slot] = time;
                } else {
                    BassErrorFunction(QStringLiteral("DetermineNewDuration - bass seconds"), ctx_.tracer,
                                      ctx_.dialogs);
                }
            });
        } else {
            BassErrorFunction(QStringLiteral("AddSoundButon - StreamCreateFile"), ctx_.tracer, ctx_.dialogs);
        }
    }
    TimeLabels[i]->setText(board.ButtonTime[g][p][slot]);
    board.ButtonHotKey[g][p][slot] = QStringLiteral(" ");
}

void TForm1::SoundToPage(int group, int page, int button, const QString& target)
{
    try {
        Board& board = ctx_.board;
        const Selection& sel = ctx_.selection;
        bool ok = false;
        const int t = target.trimmed().toInt(&ok);
        if (!ok || t == page || !Board::IsValidAddress(group, t, 1) ||
            !Board::IsValidAddress(group, page, button)) {
            return;
        }
        int free = 0;
        for (int n = 1; n <= ButtonCount && free == 0; ++n) {
            if (Board::IsBlank(board.ButtonCaption[group][t][n])) {
                free = n;
            }
        }
        if (free == 0) {
            ctx_.dialogs.MessageDlg(
                QStringLiteral("The Page you are trying to drag a sound to is already full."), mtError, mbOK);
            return;
        }
        board.SetCell(group, t, free, board.Cell(group, page, button));
        if (group == sel.CurrentGroup && page == sel.CurrentPage) {
            const auto i = static_cast<std::size_t>(button);
            QPushButton* source = AsPushButton(SoundButtons[i]);
            source->setText(QString());
            source->hide();
            source->setToolTip(QString());
            ButtonMemos[i]->setText(QString());
            ButtonMemos[i]->SetFontColor(clBlack);
            ButtonPanels[i]->setToolTip(QString());
            ButtonPanels[i]->SetColor(clTeal);
            HotKeyLabels[i]->setText(QString());
            HotKeyLabels[i]->hide();
            board.PageFiles[i].clear();
            TimeLabels[i]->setText(QString());
            for (TClickLabel* label : {CustomCueLabels[i], VolumeLabels[i], LoopLabels[i]}) {
                label->hide();
            }
        }
        board.SetCell(group, page, button, TSoundButtonCell{});
        board.BoardChanged = true;
        // A cue entry taken from the moved sound follows it, so the moved copy turns played when
        // the entry has played.
        for (int n = 1; n <= ButtonCount; ++n) {
            const auto k = static_cast<std::size_t>(n);
            if (board.CueOriginGroup[k] == group && board.CueOriginPage[k] == page &&
                board.CueOriginButton[k] == button) {
                board.CueOriginPage[k] = t;
                board.CueOriginButton[k] = free;
            }
        }
        if (SoundMoved) {
            SoundMoved(group, page, button, group, t, free);
        }
    } catch (const std::exception&) {
        ShowError(QStringLiteral("SoundToPage"));
    }
}

void TForm1::CorrectButtonTime(int group, int page, int button, const QString& file, const QString& time)
{
    Board& board = ctx_.board;
    if (board.ButtonFile[group][page][button] != file) {
        return;
    }
    board.ButtonTime[group][page][button] = time;
    if (group == ctx_.selection.CurrentGroup && page == ctx_.selection.CurrentPage) {
        TimeLabels[static_cast<std::size_t>(button)]->setText(time);
        WritePageTotals(group, page);
    }
}
