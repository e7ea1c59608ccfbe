// The trace and log commands of the menu, the "Logging On" indicator and the Backups command.
#include "board/MainForm.h"

#include "board/Backups.h"
#include "board/Board.h"
#include "board/MainFormButtons.h"
#include "board/PlayLog.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "controls/ClickLabel.h"
#include "controls/ColorPanel.h"
#include "platform/Dialogs.h"

#include <QDir>
#include <QPushButton>

#include <exception>

void TForm1::DeleteTracerFileClick()
{
    ctx_.tracer.DeleteTracerFile();
}

void TForm1::DeleteLogFileClick()
{
    ctx_.playLog.DeleteLogFile();
}

void TForm1::ViewLogFile1Click()
{
    try {
        if (ctx_.playLog.ReleaseForShell()) {
            ctx_.ShellExecute(QStringLiteral("open"), ctx_.playLog.FilePath());
        }
    } catch (const std::exception&) {
        ShowError(QStringLiteral("ViewLogFile1Click"));
    }
}

void TForm1::PrintLogFile1Click()
{
    try {
        if (ctx_.playLog.ReleaseForShell()) {
            ctx_.ShellExecute(QStringLiteral("print"), ctx_.playLog.FilePath());
        }
    } catch (const std::exception&) {
        ShowError(QStringLiteral("PrintLogFile1Click"));
    }
}

void TForm1::ShowWindowsVersion1Click()
{
    ctx_.dialogs.ShowMessage(WindowsVersionText);
}

void TForm1::LoggingOnDisplayClick()
{
    ctx_.playLog.LoggingOnDisplayClick();
    LoggingOnDisplay->hide();
}

void TForm1::BackupSetFileSetup()
{
    ::BackupSetFileSetup(ctx_.board, ctx_.dialogs, [this] { ClearSlotsForBackup(); });
}

void TForm1::ClearSlotsForBackup()
{
    for (int n = 1; n <= SlotCount; ++n) {
        const auto i = static_cast<std::size_t>(n);
        ButtonPanels[i]->SetColor(clTeal);
        ButtonMemos[i]->setText(QString());
        QPushButton* button = AsPushButton(SoundButtons[i]);
        button->setText(QStringLiteral(" "));
        button->hide();
    }
}

void TForm1::OpenBackups1Click()
{
    Settings& s = ctx_.settings;
    if (s.SecurityLocked) {
        return;
    }
    try {
        // The restored board replaces the one in memory, so unsaved edits are offered for saving
        // first, as opening another set does.
        if (!AskSaveBeforeOpen(QStringLiteral("OpenBackups1Click"))) {
            return;
        }
        const QString rememberedFile = ctx_.board.SetFileName;
        const QString rememberedFolder = s.LastFolder;
        const QString backups = ctx_.ProgramFolder + QStringLiteral("RBXBackups");
        QDir().mkpath(backups);
        s.LastFolder = backups + QStringLiteral("/");
        FileDialogOptions options;
        options.Filter = QStringLiteral("Rallybox Files  (*.set)|*.set| All Files  (*.*)|*.*");
        options.InitialDir = s.LastFolder;
        QString fileName;
        if (!ctx_.dialogs.OpenFileDialog(options, fileName)) {
            s.LastFolder = rememberedFolder;
            return;
        }
        ctx_.board.SetFileName = fileName;
        BackupSetFileSetup();
        LoadSetFile();
        ShowOpenedBoard();
        ctx_.board.SetFileName = rememberedFile;
        setWindowTitle(VersionText + QStringLiteral("     ") + ctx_.board.SetFileName);
        s.LastFolder = rememberedFolder;
        ctx_.board.BoardChanged = true;
    } catch (const std::exception&) {
        ShowError(QStringLiteral("OpenBackupClick"));
    }
}
