// The close step: confirm, stop sound and timers, write the options, protect unpasted clipboard
// contents, save the board (or only its states), back it up and release the audio device.
#include "board/MainForm.h"

#include "audio/Bass.h"
#include "board/Backups.h"
#include "board/BassErrorText.h"
#include "board/Board.h"
#include "board/OptionsFile.h"
#include "board/PlayLog.h"
#include "board/Selection.h"
#include "board/SetFile.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "controls/ColorPanel.h"
#include "platform/Dialogs.h"

#include <QTimer>

#include <exception>

namespace {

QString TrueFalse(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

} // namespace

void TForm1::ExitButtonClick()
{
    close();
}

void TForm1::Exit1Click()
{
    close();
}

void TForm1::StopTimersForExit()
{
    const std::array<QTimer*, 4> timers{DisplayTimer, SecondTimer, StopWatchTimer, ProgressionTimer};
    for (std::size_t i = 0; i < timers.size(); ++i) {
        timersRunning_[i] = timers[i]->isActive();
        timers[i]->stop();
    }
    loggingDisplayWasVisible_ = LoggingOnDisplay->isVisible() || !LoggingOnDisplay->isHidden();
    LoggingOnDisplay->hide();
}

void TForm1::RestoreTimersAfterCancel()
{
    // The operator stays in the show: the clocks, meters and the logging indicator go on as
    // they were before the exit was tried.
    const std::array<QTimer*, 4> timers{DisplayTimer, SecondTimer, StopWatchTimer, ProgressionTimer};
    for (std::size_t i = 0; i < timers.size(); ++i) {
        if (timersRunning_[i]) {
            timers[i]->start();
        }
    }
    LoggingOnDisplay->setVisible(loggingDisplayWasVisible_);
}

bool TForm1::ConfirmClipboards()
{
    const InternalClipboards& c = ctx_.clipboards;
    if (c.PageClipboardFull && c.PageClipboardPastes == 0) {
        const QString text = QStringLiteral("NOTE:  The Page Clipboard contains the Page:\r\r") + QString(17, u' ') +
                             QStringLiteral("\"") + c.PageClipboardPageName + QStringLiteral("\"\r\r") +
                             QStringLiteral("that has NOT been saved.\r\r") +
                             QStringLiteral("To exit and lose the contents on the clipboard, click OK \r\r") +
                             QStringLiteral("To save the clipboard, click Cancel and then Paste the \r") +
                             QStringLiteral("Page in the clipboard.");
        if (ctx_.dialogs.MessageDlg(text, mtWarning, mbOKCancel) == mrCancel) {
            return false;
        }
    }
    if (c.SoundClipboardFull && c.SoundClipboardPastes == 0) {
        const QString text = QStringLiteral("NOTE:  The Sound Clipboard contains the button:\r\r") +
                             QString(18, u' ') + QStringLiteral("\"") + c.SoundClipboardCaption +
                             QStringLiteral("\"\r\r") + QStringLiteral("that has NOT been saved.\r\r") +
                             QStringLiteral("To exit and lose the contents of the clipboard, click OK \r\r") +
                             QStringLiteral("To save the clipboard, click Cancel and then Paste the \r") +
                             QStringLiteral("button in the clipboard.");
        if (ctx_.dialogs.MessageDlg(text, mtWarning, mbOKCancel) == mrCancel) {
            return false;
        }
    }
    return true;
}

bool TForm1::TermExit()
{
    Tracer& tracer = ctx_.tracer;
    try {
        tracer.WriteTracer(QStringLiteral("TermExit"));
        tracer.WriteTracer(QStringLiteral("TermExit - lCrossFadingIn is ") + TrueFalse(lCrossFadingIn));
        tracer.WriteTracer(QStringLiteral("TermExit - lCrossFadingOut is ") + TrueFalse(lCrossFadingOut));
        Exiting = false;
        if (ctx_.dialogs.MessageDlg(QStringLiteral("Exit Rallybox?"), mtConfirmation, mbYesNo) != mrYes) {
            return false;
        }
        PlayListRunning = false;
        // A sound still waiting for its file would start into the exit.
        CancelWaitingStarts();
        if (Playing) {
            StopProcess(QStringLiteral("StopButton"));
        }
        Playing = false;
        StopTimersForExit();

        Settings& s = ctx_.settings;
        s.AutoOpen = ctx_.board.SetFileName;
        s.Group = ctx_.selection.CurrentGroup;
        s.Page = ctx_.selection.CurrentPage;
        ctx_.optionsFile.UpdateINIFile();
        tracer.WriteTracer(QStringLiteral("TermExit - UpdateIniFile Completed"));
        if (!ConfirmClipboards()) {
            RestoreTimersAfterCancel();
            return false;
        }
        Exiting = true;
        SaveBoardAtExit();
        ctx_.backups.SaveBackup(ctx_.board.SetFileName);
        ctx_.backups.PurgeBackups();

        tracer.WriteTracer(QStringLiteral("TermExit - Ready to stop bass"));
        tracer.Close();
        ctx_.playLog.Close();
        if (!BASS_Stop()) {
            BassErrorFunction(QStringLiteral("TermExitA"), tracer, ctx_.dialogs);
        }
        BASS_Free();
        ExitDone = true;
        if (ctx_.ShowShutDown) {
            ctx_.ShowShutDown();
        }
        if (ctx_.Terminate) {
            ctx_.Terminate();
        }
        return true;
    } catch (const std::exception&) {
        ShowError(QStringLiteral("TermExit"));
        return false;
    }
}

void TForm1::SaveBoardAtExit()
{
    Tracer& tracer = ctx_.tracer;
    if (!ctx_.board.BoardChanged) {
        tracer.WriteTracer(QStringLiteral("TermExit - SaveActivity"));
        ctx_.setFile.SaveActivityFile(Exiting);
        tracer.WriteTracer(QStringLiteral("TermExit - SaveActivity Completed"));
        return;
    }
    if (ctx_.dialogs.MessageDlg(QStringLiteral("Changes made, save .set file?"), mtConfirmation, mbYesNo) == mrYes) {
        // A write that failed has shown its error; the trace must not claim the board was kept.
        const bool saved = ctx_.setFile.SaveSetFile(Exiting);
        tracer.WriteTracer(QStringLiteral("TermExit - SaveSetFile ") +
                           (saved ? QStringLiteral("Completed") : QStringLiteral("Failed")));
    }
}
