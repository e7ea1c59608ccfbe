#pragma once
// The personalised header editor ("FormPersonalize"): the text shown in the main window's
// caption, kept in the set file.
#include <QDialog>

class QLineEdit;
struct Settings;

class TFormPersonalize : public QDialog
{
    Q_OBJECT
public:
    explicit TFormPersonalize(QWidget* parent = nullptr);

    void SetSettings(Settings& settings) { settings_ = &settings; }
    // Shows the window modally; 1 after OK, 2 after Cancel.
    int ShowModal();
    void FormActivate();
    void RegisterOKButtonClick();
    void RegisterCancelButtonClick();

    QLineEdit* PersonalizationEdit = nullptr;

private:
    Settings* settings_ = nullptr;

protected:
    // Esc is the cancel result, not the class library's plain rejection.
    void reject() override { done(2); }
};
