#pragma once
// Dialogs for tests: records every call and answers from a queue, never blocking.
//
// Defaults when nothing is queued (the call is then recorded with Defaulted = true):
//   MessageDlg  -> mrCancel when Cancel is offered, else mrNo when No is offered, else mrOk
//   ShowMessage -> (nothing to answer)
//   InputQuery  -> false, value unchanged
//   InputBox    -> the default value
//   file, colour, font and printer dialogs -> false (cancelled), arguments unchanged
#include "platform/Dialogs.h"
#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

class ScriptedDialogs final : public Dialogs
{
public:
    enum class Kind
    {
        MessageDlg,
        ShowMessage,
        InputQuery,
        InputBox,
        OpenFile,
        SaveFile,
        Color,
        Font,
        PrinterSetup,
        Print
    };

    struct Call
    {
        Kind kind;
        QString text;    // message text or prompt, exactly as passed
        QString caption; // box caption or dialog title
        TMsgDlgType type = mtCustom;
        TMsgDlgButtons buttons = 0;
        bool defaulted = false; // answered with the documented default
        TModalResult result = mrNone;
    };

    // Answers are taken in order, one per call that needs an answer (not ShowMessage).
    void QueueResult(TModalResult result);             // MessageDlg
    void QueueText(const QString& text);               // InputQuery (accepted) and InputBox
    void QueueFileName(const QString& fileName);       // open or save dialog accepted
    void QueueFileNames(const QStringList& fileNames); // multi-select open dialog accepted
    void QueueColor(TColor color);                     // colour dialog accepted
    void QueueFont(const FontChoice& font);            // font dialog accepted
    void QueueAccept();                                // printer dialogs accepted
    void QueueCancel();                                // any dialog cancelled (mrCancel for MessageDlg)

    const std::vector<Call>& Calls() const { return calls_; }
    // Texts of every recorded call, in order.
    QStringList Texts() const;
    int PendingAnswers() const { return static_cast<int>(answers_.size()); }
    void Reset();

    TModalResult MessageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons) override;
    void ShowMessage(const QString& text) override;
    bool InputQuery(const QString& caption, const QString& prompt, QString& value) override;
    QString InputBox(const QString& caption, const QString& prompt, const QString& defaultValue) override;
    bool OpenFileDialog(const FileDialogOptions& options, QString& fileName) override;
    // Takes the answer of QueueFileNames (or of QueueFileName, as one file).
    bool OpenFilesDialog(const FileDialogOptions& options, QStringList& fileNames) override;
    bool SaveFileDialog(const FileDialogOptions& options, QString& fileName) override;
    bool ColorDialog(TColor& color) override;
    bool FontDialog(FontChoice& font) override;
    bool PrinterSetupDialog(QPrinter& printer) override;
    bool PrintDialog(QPrinter& printer) override;

private:
    struct Answer
    {
        bool accepted = true;
        TModalResult result = mrNone;
        QString text;
        TColor color = clBlack;
        FontChoice font;
    };
    bool TakeAnswer(Answer& answer);
    Call& Record(Kind kind, const QString& text, const QString& caption);
    // Records a dialog that is either accepted or cancelled; the answer when accepted. With no
    // answer queued the dialog counts as cancelled by default.
    std::optional<Answer> Accepted(Kind kind, const QString& text, const QString& caption);

    std::deque<Answer> answers_;
    std::vector<Call> calls_;
};
