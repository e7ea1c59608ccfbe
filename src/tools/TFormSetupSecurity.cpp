// The board lock on the Security tab: an eight-digit code locks the set-file and editing commands
// until the same code is entered again. The code is kept in the options file in its stored form,
// a deterrent for a volunteer at the board, not a secret.
#include "tools/TFormSetup.h"

#include "board/MainForm.h"
#include "board/OptionsFileText.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "platform/Dialogs.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

void TFormSetup::ShowSecurityState()
{
    const bool locked = ctx_.settings.SecurityLocked;
    SecurityCodeEdit->clear();
    LockLabel1->setVisible(locked);
    UnlockLabel1->setVisible(!locked);
    SecurityButton->setText(locked ? QStringLiteral("Validate Security Code")
                                   : QStringLiteral("Apply Security Code"));
    SecurityCodeEdit->setEchoMode(locked ? QLineEdit::Password : QLineEdit::Normal);
    main_.ShowLockState();
}

void TFormSetup::SecurityButtonClick()
{
    Settings& s = ctx_.settings;
    const QString code = SecurityCodeEdit->text();
    SecurityCodeEdit->clear();
    SecurityCodeEdit->setEchoMode(s.SecurityLocked ? QLineEdit::Password : QLineEdit::Normal);
    // Pasted text passes no key filter, so the whole code is checked here: only eight digits can
    // be stored and validated again.
    if (code.size() != 8 || !IsEightDigitCode(code)) {
        ctx_.dialogs.MessageDlg(QStringLiteral("The Security Code is not eight digits in length"), mtError,
                                mbOK);
        return;
    }
    if (s.SecurityLocked) {
        if (code != s.SecurityCode) {
            ctx_.dialogs.MessageDlg(QStringLiteral("The Security Code you entered is invalid"), mtError,
                                    mbOK);
            return;
        }
        s.SecurityLocked = false;
        s.SecurityCode = QStringLiteral("No Buffer");
        s.SecurityCodeStored = QStringLiteral("No Buffer");
        ctx_.tracer.WriteTracer(QStringLiteral("Security Code Validated - Rallybox unlocked"));
    } else {
        s.SecurityLocked = true;
        s.SecurityCodeStored = SecurityCodeTransform(code);
        s.SecurityCode = code;
        ctx_.tracer.WriteTracer(QStringLiteral("Security Code Applied - Rallybox locked"));
    }
    ShowSecurityState();
    // Written at once: a lock that only reached the file at exit would be lost with a crash or a
    // power cut, and an unlock likewise.
    SetupWriteOptions();
}
