#pragma once
// The "Find" dialog: the text, where to look (captions, notes or both) and Match Case. A search
// with matches opens the results window; its choice stays in the selection's list target for the
// main window to act on.
#include <QDialog>

#include <functional>

class QCheckBox;
class QKeyEvent;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TForm1;
class TformFind;
struct MainFormContext;

class TFormFindSpecs : public QDialog
{
    Q_OBJECT
public:
    explicit TFormFindSpecs(TForm1* mainForm);

    // The results window the searches fill; ShowResults shows it (modally by default).
    void SetResultsWindow(TformFind* results);
    std::function<int()> ShowResults;

    // FormActivate, then the dialog modally: always 1.
    int ShowModal();

    void FormActivate();
    void FindButtonClick();
    void ClearButtonClick();
    void CancelButtonClick();

    QLineEdit* FindText = nullptr;
    QRadioButton* ButtonRadioButton = nullptr;
    QRadioButton* NotesRadioButton = nullptr;
    QRadioButton* ButtonNotesRadioButton = nullptr;
    QCheckBox* MatchCaseCheckBox = nullptr;
    QPushButton* FindButton = nullptr;
    QPushButton* ClearButton = nullptr;
    QPushButton* CancelButton = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

private:
    void FocusSearchText();

    MainFormContext& ctx_;
    TformFind* results_ = nullptr;
};
