#pragma once
// Real modal dialogs through Qt widgets. GUI thread only; each call blocks in a local
// event loop until the operator answers.
#include "platform/Dialogs.h"

class QtDialogs final : public Dialogs
{
public:
    TModalResult MessageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons) override;
    void ShowMessage(const QString& text) override;
    bool InputQuery(const QString& caption, const QString& prompt, QString& value) override;
    QString InputBox(const QString& caption, const QString& prompt, const QString& defaultValue) override;
    bool OpenFileDialog(const FileDialogOptions& options, QString& fileName) override;
    bool OpenFilesDialog(const FileDialogOptions& options, QStringList& fileNames) override;
    bool SaveFileDialog(const FileDialogOptions& options, QString& fileName) override;
    bool ColorDialog(TColor& color) override;
    bool FontDialog(FontChoice& font) override;
    bool PrinterSetupDialog(QPrinter& printer) override;
    bool PrintDialog(QPrinter& printer) override;
};

// Turns a filter of the form "Set Files (*.set)|*.set" into Qt's "Set Files (*.set)".
QString QtFilterFromPipeFilter(const QString& filter);
