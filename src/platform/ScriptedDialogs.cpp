#include "platform/ScriptedDialogs.h"

void ScriptedDialogs::QueueResult(TModalResult result)
{
    Answer answer;
    answer.result = result;
    answer.accepted = result != mrCancel;
    answers_.push_back(answer);
}

void ScriptedDialogs::QueueText(const QString& text)
{
    Answer answer;
    answer.result = mrOk;
    answer.text = text;
    answers_.push_back(answer);
}

void ScriptedDialogs::QueueFileName(const QString& fileName)
{
    QueueText(fileName);
}

void ScriptedDialogs::QueueFileNames(const QStringList& fileNames)
{
    // A line break cannot occur in a path the tests use, so it separates the names.
    QueueText(fileNames.join(u'\n'));
}

void ScriptedDialogs::QueueColor(TColor color)
{
    Answer answer;
    answer.result = mrOk;
    answer.color = color;
    answers_.push_back(answer);
}

void ScriptedDialogs::QueueFont(const FontChoice& font)
{
    Answer answer;
    answer.result = mrOk;
    answer.font = font;
    answers_.push_back(answer);
}

void ScriptedDialogs::QueueAccept()
{
    QueueResult(mrOk);
}

void ScriptedDialogs::QueueCancel()
{
    Answer answer;
    answer.result = mrCancel;
    answer.accepted = false;
    answers_.push_back(answer);
}

QStringList ScriptedDialogs::Texts() const
{
    QStringList texts;
    for (const Call& call : calls_) {
        texts.append(call.text);
    }
    return texts;
}

void ScriptedDialogs::Reset()
{
    answers_.clear();
    calls_.clear();
}

bool ScriptedDialogs::TakeAnswer(Answer& answer)
{
    if (answers_.empty()) {
        return false;
    }
    answer = answers_.front();
    answers_.pop_front();
    return true;
}

ScriptedDialogs::Call& ScriptedDialogs::Record(Kind kind, const QString& text, const QString& caption)
{
    calls_.push_back(Call{kind, text, caption});
    return calls_.back();
}

TModalResult ScriptedDialogs::MessageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons)
{
    Call& call = Record(Kind::MessageDlg, text, MessageDlgCaption(type));
    call.type = type;
    call.buttons = buttons;
    Answer answer;
    if (TakeAnswer(answer)) {
        call.result = answer.result;
    } else {
        call.defaulted = true;
        call.result = (buttons & mbCancel) ? mrCancel : (buttons & mbNo) ? mrNo : mrOk;
    }
    return call.result;
}

void ScriptedDialogs::ShowMessage(const QString& text)
{
    Call& call = Record(Kind::ShowMessage, text, MessageDlgCaption(mtCustom));
    call.buttons = mbOK;
    call.result = mrOk;
}

bool ScriptedDialogs::InputQuery(const QString& caption, const QString& prompt, QString& value)
{
    Call& call = Record(Kind::InputQuery, prompt, caption);
    Answer answer;
    if (!TakeAnswer(answer)) {
        call.defaulted = true;
        call.result = mrCancel;
        return false;
    }
    call.result = answer.accepted ? mrOk : mrCancel;
    if (answer.accepted) {
        value = answer.text;
    }
    return answer.accepted;
}

QString ScriptedDialogs::InputBox(const QString& caption, const QString& prompt, const QString& defaultValue)
{
    Call& call = Record(Kind::InputBox, prompt, caption);
    Answer answer;
    if (!TakeAnswer(answer)) {
        call.defaulted = true;
        call.result = mrCancel;
        return defaultValue;
    }
    call.result = answer.accepted ? mrOk : mrCancel;
    return answer.accepted ? answer.text : defaultValue;
}

bool ScriptedDialogs::OpenFileDialog(const FileDialogOptions& options, QString& fileName)
{
    Call& call = Record(Kind::OpenFile, options.Filter, options.Title);
    Answer answer;
    if (!TakeAnswer(answer)) {
        call.defaulted = true;
        call.result = mrCancel;
        return false;
    }
    call.result = answer.accepted ? mrOk : mrCancel;
    if (answer.accepted) {
        fileName = answer.text;
    }
    return answer.accepted;
}

bool ScriptedDialogs::OpenFilesDialog(const FileDialogOptions& options, QStringList& fileNames)
{
    QString joined;
    if (!OpenFileDialog(options, joined)) {
        return false;
    }
    fileNames = joined.split(u'\n');
    return true;
}

bool ScriptedDialogs::SaveFileDialog(const FileDialogOptions& options, QString& fileName)
{
    Call& call = Record(Kind::SaveFile, options.Filter, options.Title);
    Answer answer;
    if (!TakeAnswer(answer)) {
        call.defaulted = true;
        call.result = mrCancel;
        return false;
    }
    call.result = answer.accepted ? mrOk : mrCancel;
    if (answer.accepted) {
        fileName = answer.text;
    }
    return answer.accepted;
}

bool ScriptedDialogs::ColorDialog(TColor& color)
{
    Call& call = Record(Kind::Color, ColorToString(color), QString());
    Answer answer;
    if (!TakeAnswer(answer)) {
        call.defaulted = true;
        call.result = mrCancel;
        return false;
    }
    call.result = answer.accepted ? mrOk : mrCancel;
    if (answer.accepted) {
        color = answer.color;
    }
    return answer.accepted;
}

bool ScriptedDialogs::FontDialog(FontChoice& font)
{
    Call& call = Record(Kind::Font, font.Name, QString());
    Answer answer;
    if (!TakeAnswer(answer)) {
        call.defaulted = true;
        call.result = mrCancel;
        return false;
    }
    call.result = answer.accepted ? mrOk : mrCancel;
    if (answer.accepted) {
        font = answer.font;
    }
    return answer.accepted;
}

bool ScriptedDialogs::PrinterSetupDialog(QPrinter& /*printer*/)
{
    Call& call = Record(Kind::PrinterSetup, QString(), QString());
    Answer answer;
    if (!TakeAnswer(answer)) {
        call.defaulted = true;
        call.result = mrCancel;
        return false;
    }
    call.result = answer.accepted ? mrOk : mrCancel;
    return answer.accepted;
}

bool ScriptedDialogs::PrintDialog(QPrinter& /*printer*/)
{
    Call& call = Record(Kind::Print, QString(), QString());
    Answer answer;
    if (!TakeAnswer(answer)) {
        call.defaulted = true;
        call.result = mrCancel;
        return false;
    }
    call.result = answer.accepted ? mrOk : mrCancel;
    return answer.accepted;
}
