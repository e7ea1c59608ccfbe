#pragma once
// The roster window ("FormRoster"): one side's list of up to 32 players, kept in a roster file.
#include <QDialog>

#include <array>

class Dialogs;
class QLineEdit;

class TFormRoster : public QDialog
{
    Q_OBJECT
public:
    explicit TFormRoster(QWidget* parent = nullptr);

    void SetDialogs(Dialogs& dialogs) { dialogs_ = &dialogs; }
    void FormRosterShow();
    void RosterLoadButtonClick();
    void RosterSaveButtonClick();
    void CancelButtonClick();

    QString LastRosterFile;
    std::array<QString, 33> RosterEntries; // 1..32
    QLineEdit* TeamName = nullptr;
    std::array<QLineEdit*, 33> Roster{}; // Roster01 .. Roster32 at 1..32

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    Dialogs& dialogs() const;
    Dialogs* dialogs_ = nullptr;
};
