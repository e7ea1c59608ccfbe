#pragma once
// The page editor ("Add Page Button" / "Change Page Button"): names, renames or deletes the page of
// the popup target (PopupGroup, PopupPage). Created once at start and shown modally; its results go
// straight into the board and the main window's page buttons and slots.
#include <QDialog>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class TForm1;

class TFormChangePageButton : public QDialog
{
    Q_OBJECT
public:
    explicit TFormChangePageButton(TForm1* mainForm);

    // Opens on the popup target and waits: 1 after OK or Delete, 2 after Cancel or Esc.
    int ShowModal();
    // The same opening without waiting; the result arrives through finished(int) and result().
    void Open();

    // --- Handlers of the controls.
    void PageOKButtonClick();
    void PageDeleteButtonClick();
    void PageCancelButtonClick();

    QLineEdit* NewPageName = nullptr;
    QPushButton* PageOKButton = nullptr;
    QPushButton* PageDeleteButton = nullptr;
    QPushButton* PageCancelButton = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

private:
    void BuildLayout();
    // The activate step: caption and name for adding or changing.
    void load();
    void DeletePage(int group, int page);

    TForm1& form_;
    QLabel* label_ = nullptr;
};
