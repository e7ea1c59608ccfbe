#include "platform/QtDialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QRegularExpression>
#include <array>
#include <utility>

namespace {

struct ButtonMap
{
    TMsgDlgBtn button;
    QMessageBox::StandardButton standard;
    TModalResult result;
};

constexpr std::array<ButtonMap, 10> kButtons{{
    {mbYes, QMessageBox::Yes, mrYes},
    {mbNo, QMessageBox::No, mrNo},
    {mbOK, QMessageBox::Ok, mrOk},
    {mbCancel, QMessageBox::Cancel, mrCancel},
    {mbAbort, QMessageBox::Abort, mrAbort},
    {mbRetry, QMessageBox::Retry, mrRetry},
    {mbIgnore, QMessageBox::Ignore, mrIgnore},
    {mbAll, QMessageBox::YesAll, mrAll},
    {mbNoToAll, QMessageBox::NoToAll, mrNoToAll},
    {mbYesToAll, QMessageBox::YesToAll, mrYesToAll},
}};

QMessageBox::Icon IconOf(TMsgDlgType type)
{
    switch (type) {
    case mtWarning:
        return QMessageBox::Warning;
    case mtError:
        return QMessageBox::Critical;
    case mtInformation:
        return QMessageBox::Information;
    case mtConfirmation:
        return QMessageBox::Question;
    case mtCustom:
        break;
    }
    return QMessageBox::NoIcon;
}

QString WithDefaultExt(const QString& fileName, const QString& defaultExt)
{
    if (fileName.isEmpty() || defaultExt.isEmpty() || !QFileInfo(fileName).suffix().isEmpty()) {
        return fileName;
    }
    return fileName + QLatin1Char('.') + defaultExt;
}

QString StartPath(const FileDialogOptions& options)
{
    if (options.FileName.isEmpty()) {
        return options.InitialDir;
    }
    if (QFileInfo(options.FileName).isAbsolute() || options.InitialDir.isEmpty()) {
        return options.FileName;
    }
    return options.InitialDir + QLatin1Char('/') + options.FileName;
}

} // namespace

TModalResult QtDialogs::MessageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons)
{
    QMessageBox box(IconOf(type), MessageDlgCaption(type), MessageTextForDisplay(text), QMessageBox::NoButton,
                    QApplication::activeWindow());
    QMessageBox::StandardButtons standard;
    for (const ButtonMap& entry : kButtons) {
        if (buttons & entry.button) {
            standard |= entry.standard;
        }
    }
    if (standard == QMessageBox::NoButton) {
        standard = QMessageBox::Ok;
    }
    box.setStandardButtons(standard);
    const int pressed = box.exec();
    for (const ButtonMap& entry : kButtons) {
        if (pressed == entry.standard) {
            return entry.result;
        }
    }
    // Closing the box with the window's close button counts as Cancel.
    return mrCancel;
}

void QtDialogs::ShowMessage(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, MessageDlgCaption(mtCustom), MessageTextForDisplay(text),
                    QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

bool QtDialogs::InputQuery(const QString& caption, const QString& prompt, QString& value)
{
    bool ok = false;
    const QString entered = QInputDialog::getText(
        QApplication::activeWindow(), caption, MessageTextForDisplay(prompt), QLineEdit::Normal, value, &ok);
    if (ok) {
        value = entered;
    }
    return ok;
}

QString QtDialogs::InputBox(const QString& caption, const QString& prompt, const QString& defaultValue)
{
    QString value = defaultValue;
    return InputQuery(caption, prompt, value) ? value : defaultValue;
}

bool QtDialogs::OpenFileDialog(const FileDialogOptions& options, QString& fileName)
{
    const QString chosen =
        QFileDialog::getOpenFileName(QApplication::activeWindow(), options.Title, StartPath(options),
                                     QtFilterFromPipeFilter(options.Filter));
    if (chosen.isEmpty()) {
        return false;
    }
    fileName = chosen;
    return true;
}

bool QtDialogs::OpenFilesDialog(const FileDialogOptions& options, QStringList& fileNames)
{
    const QStringList chosen =
        QFileDialog::getOpenFileNames(QApplication::activeWindow(), options.Title, StartPath(options),
                                      QtFilterFromPipeFilter(options.Filter));
    if (chosen.isEmpty()) {
        return false;
    }
    fileNames = chosen;
    return true;
}

bool QtDialogs::SaveFileDialog(const FileDialogOptions& options, QString& fileName)
{
    const QString chosen =
        QFileDialog::getSaveFileName(QApplication::activeWindow(), options.Title, StartPath(options),
                                     QtFilterFromPipeFilter(options.Filter));
    if (chosen.isEmpty()) {
        return false;
    }
    fileName = WithDefaultExt(chosen, options.DefaultExt);
    return true;
}

bool QtDialogs::ColorDialog(TColor& color)
{
    const QColor chosen = QColorDialog::getColor(ToQColor(color), QApplication::activeWindow());
    if (!chosen.isValid()) {
        return false;
    }
    color = FromQColor(chosen);
    return true;
}

bool QtDialogs::FontDialog(FontChoice& font)
{
    QFont start(font.Name, font.Size);
    ApplyFontStyles(start, font.Style);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, start, QApplication::activeWindow());
    if (!ok) {
        return false;
    }
    font.Name = chosen.family();
    font.Size = chosen.pointSize() > 0 ? chosen.pointSize() : font.Size;
    font.Style = FontStylesOf(chosen);
    return true;
}
