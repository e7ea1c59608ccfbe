// The set-file commands of the menu and the toolbar: open, save, save as and new.
#include "board/MainForm.h"

#include "board/Board.h"
#include "board/MainFormButtons.h"
#include "board/SetFile.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "controls/ClickLabel.h"
#include "controls/ColorPanel.h"
#include "platform/Dialogs.h"
#include "platform/IniFile.h"

#include <QPushButton>

#include <exception>

namespace {

QString FolderOfFile(const QString& path)
{
    const qsizetype cut = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return cut < 0 ? QString() : path.left(cut + 1);
}

FileDialogOptions OpenSetDialog(const QString& initialDir)
{
    FileDialogOptions options;
    options.Title = QStringLiteral("Open Another Set File:");
    options.Filter = QStringLiteral("Rallybox Files  (*.set)|*.set| All Files  (*.*)|*.*");
    options.InitialDir = initialDir;
    return options;
}

} // namespace

bool TForm1::LoadSetFile()
{
    for (int page = 1; page <= PageButtonSlots; ++page) {
        AsPushButton(PageButtons[static_cast<std::size_t>(page)])->setText(QStringLiteral(" "));
    }
    for (int n = 1; n <= SlotCount; ++n) {
        const auto i = static_cast<std::size_t>(n);
        QPushButton* button = AsPushButton(SoundButtons[i]);
        button->setText(QStringLiteral(" "));
        button->hide();
        TimeLabels[i]->setText(QStringLiteral(" "));
        HotKeyLabels[i]->setText(QStringLiteral(" "));
        HotKeyLabels[i]->hide();
        VolumeLabels[i]->setText(QStringLiteral(" "));
        VolumeLabels[i]->hide();
    }
    const bool loaded = ctx_.setFile.LoadSetFile();
    SetMainCaption(true, false);
    return loaded;
}

bool TForm1::AskSaveBeforeOpen(const QString& routine)
{
    if (!ctx_.board.BoardChanged) {
        return true;
    }
    const TModalResult answer = ctx_.dialogs.MessageDlg(
        QStringLiteral("You have made changes to your existing .set file,\rdo you wish to save it before opening a "
                       "new .set file?"),
        mtWarning, mbYesNoCancel);
    if (answer == mrYes) {
        Tracer& tracer = ctx_.tracer;
        const bool saved = ctx_.setFile.SaveSetFile(Exiting);
        tracer.WriteTracer(routine + QStringLiteral(" - SaveSetFile ") +
                           (saved ? QStringLiteral("Completed") : QStringLiteral("Failed")));
        tracer.WriteTracer(routine + QStringLiteral(" - SaveActivity"));
        ctx_.setFile.SaveActivityFile(Exiting);
        tracer.WriteTracer(routine + QStringLiteral(" - SaveActivity Completed"));
        return true;
    }
    return answer == mrNo;
}

void TForm1::OpenSet1Click()
{
    Settings& s = ctx_.settings;
    if (s.SecurityLocked) {
        return;
    }
    try {
        if (!AskSaveBeforeOpen(QStringLiteral("OpenSet1Click"))) {
            return;
        }
        QString fileName;
        if (ctx_.dialogs.OpenFileDialog(OpenSetDialog(s.LastFolder), fileName)) {
            ctx_.board.SetFileName = fileName;
            s.LastFolder = FolderOfFile(fileName);
            LoadSetFile();
            ShowOpenedBoard();
            SetMainCaption(true, true);
        }
    } catch (const std::exception&) {
        ShowError(QStringLiteral("OpenSet1Click"));
    }
}

void TForm1::OpenButtonClick()
{
    // Like the menu command, the toolbar asks before unsaved edits are replaced, and a cancelled
    // dialog leaves the board as it is instead of reloading it from disk. The board lock withdraws
    // the toolbar's set-file commands as it hides the menu's.
    if (ctx_.settings.SecurityLocked) {
        return;
    }
    try {
        if (!AskSaveBeforeOpen(QStringLiteral("OpenButtonClick"))) {
            return;
        }
        QString fileName;
        if (!ctx_.dialogs.OpenFileDialog(OpenSetDialog(QString()), fileName)) {
            return;
        }
        ctx_.board.SetFileName = fileName;
        setWindowTitle(VersionText + QStringLiteral("     ") + ctx_.board.SetFileName);
        LoadSetFile();
        ShowOpenedBoard();
    } catch (const std::exception&) {
        ShowError(QStringLiteral("OpenButtonClick"));
    }
}

void TForm1::SaveSet1Click()
{
    if (!ctx_.settings.SecurityLocked) {
        ctx_.setFile.SaveSetFile(Exiting);
    }
}

void TForm1::SaveButtonClick()
{
    if (ctx_.settings.SecurityLocked) {
        return;
    }
    ctx_.setFile.SaveSetFile(Exiting);
}

void TForm1::SaveSetAs1Click()
{
    Settings& s = ctx_.settings;
    if (s.SecurityLocked) {
        return;
    }
    try {
        FileDialogOptions options;
        options.DefaultExt = QStringLiteral("set");
        options.Filter = QStringLiteral("Rallybox File (*.set)|*.set|All Files (*.*)|*.*");
        options.InitialDir = s.LastFolder;
        QString fileName;
        if (!ctx_.dialogs.SaveFileDialog(options, fileName)) {
            return;
        }
        if (ctx_.board.SetIniFile) {
            ctx_.board.SetIniFile->Rename(fileName, false);
        }
        ctx_.board.SetFileName = fileName;
        s.LastFolder = FolderOfFile(fileName);
        ctx_.setFile.SaveSetFile(Exiting);
        SetMainCaption(true, true);
    } catch (const std::exception&) {
        ShowError(QStringLiteral("SaveSetAs1Click"));
    }
}

void TForm1::EraseBoardDisplay()
{
    for (int n = 1; n <= SlotCount; ++n) {
        const auto i = static_cast<std::size_t>(n);
        ButtonPanels[i]->SetColor(clTeal);
        ButtonMemos[i]->setText(QString());
    }
}

bool TForm1::NewBoard(bool fromMenu)
{
    const TModalResult answer = ctx_.dialogs.MessageDlg(
        QStringLiteral("This action will erase all your sound buttons, do you wish to continue?"), mtConfirmation,
        mbYesNo);
    if (answer == mrNo) {
        return false;
    }
    ctx_.board.SetFileName = ctx_.setFile.NewSetFileName();
    if (fromMenu) {
        SetMainCaption(true, true);
    } else {
        setWindowTitle(VersionText + QStringLiteral("     ") + ctx_.board.SetFileName);
    }
    LoadSetFile();
    ctx_.board.EraseBoard();
    EraseBoardDisplay();
    return true;
}

void TForm1::NewSet1Click()
{
    if (ctx_.settings.SecurityLocked) {
        return;
    }
    try {
        NewBoard(true);
    } catch (const std::exception&) {
        ShowError(QStringLiteral("NewSet1Click"));
    }
}

void TForm1::NewButtonClick()
{
    if (ctx_.settings.SecurityLocked) {
        return;
    }
    try {
        NewBoard(false);
    } catch (const std::exception&) {
        ShowError(QStringLiteral("NewButtonClick"));
    }
}
