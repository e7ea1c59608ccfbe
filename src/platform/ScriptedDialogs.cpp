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

std::optional<ScriptedDialogs::Answer> ScriptedDialogs::Accepted(Kind kind, const QString& text,
                                                                 const QString& caption)
{
    Call& call = Record(kind, text, caption);
    Answer answer;
    if (!TakeAnswer(answer)) {
        call.defaulted = true;
        call.result = mrCancel;
        return std::nullopt;
    }
    call.result = answer.accepted ? mrOk : mrCancel;
    if (!answer.accepted) {
        return std::nullopt;
    }
    return answer;
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
    const std::optional<Answer> answer = Accepted(Kind::InputQuery, prompt, caption);
    if (!answer) {
        return false;
    }
    value = answer->text;
    return true;
}

QString ScriptedDialogs::InputBox(const QString& caption, const QString& prompt, const QString& defaultValue)
{
    const std::optional<Answer> answer = Accepted(Kind::InputBox, prompt, caption);
    if (!answer) {
        return defaultValue;
    }
    return answer->text;
}

bool ScriptedDialogs::OpenFileDialog(const FileDialogOptions& options, QString& fileName)
{
    const std::optional<Answer> answer = Accepted(Kind::OpenFile, options.Filter, options.Title);
    if (!answer) {
        return false;
    }
    fileName = answer->text;
    return true;
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
    const std::optional<Answer> answer = Accepted(Kind::SaveFile, options.Filter, options.Title);
    if (!answer) {
        return false;
    }
    fileName = answer->text;
    return true;
}

bool ScriptedDialogs::ColorDialog(TColor& color)
{
    const std::optional<Answer> answer = Accepted(Kind::Color, ColorToString(color), QString());
    if (!answer) {
        return false;
    }
    color = answer->color;
    return true;
}

bool ScriptedDialogs::FontDialog(FontChoice& font)
{
    const std::optional<Answer> answer = Accepted(Kind::Font, font.Name, QString());
    if (!answer) {
        return false;
    }
    font = answer->font;
    return true;
}

bool ScriptedDialogs::PrinterSetupDialog(QPrinter& /*printer*/)
{
    const std::optional<Answer> answer = Accepted(Kind::PrinterSetup, QString(), QString());
    if (!answer) {
        return false;
    }
    return true;
}

bool ScriptedDialogs::PrintDialog(QPrinter& /*printer*/)
{
    const std::optional<Answer> answer = Accepted(Kind::Print, QString(), QString());
    if (!answer) {
        return false;
    }
    return true;
}
