#pragma once
// The lineups window ("FormLineups"): the batting order of both sides, ten rows each with a
// position, saved and loaded as a lineup file, completed from the teams' rosters, and published on
// OK to the lineup data the baseball scoreboard shows.
#include "tools/LineupData.h"

#include <QDialog>

#include <array>

class Dialogs;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class TBitBtnWithColor;

class TFormLineups : public QDialog
{
    Q_OBJECT
public:
    explicit TFormLineups(QWidget* parent = nullptr);

    // The lineup data it publishes to and the dialogs it asks; given once the program has them.
    void Attach(LineupData& lineups, Dialogs& dialogs, QWidget* mainWindow);

    void LineupCreate();
    void LineupOKButtonClick();
    void LineupCancelButtonClick();
    void LineUpTurnOffButtonClick();
    void LineupSaveButtonClick();
    void LineupLoadButtonClick();
    void LoadHomeRosterButtonClick();
    void LoadVisitorsRosterButtonClick();
    void RetrieveButtonClick();
    // Copies the controls into the lineup data (names, rows, positions and their indexes).
    void Publish();

    static const std::array<QString, 11>& PositionNames(); // "Positions", then the ten names

    QString LastLineupFile;
    std::array<QLineEdit*, LineupRows + 1> Visitor{};
    std::array<QLineEdit*, LineupRows + 1> Home{};
    std::array<QComboBox*, LineupRows + 1> VisitorPosition{}; // v01ComboBox ..
    std::array<QComboBox*, LineupRows + 1> HomePosition{};    // h01ComboBox ..
    QLineEdit* VisitorName = nullptr;
    QLineEdit* HomeName = nullptr;
    QCheckBox* PrecedeCheckBox = nullptr;
    TBitBtnWithColor* LoadVisitorsRosterButton = nullptr;
    TBitBtnWithColor* LoadHomeRosterButton = nullptr;

protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildControls();
    void FillControls();
    void LoadRoster(bool home);
    void BackToBoard();
    Dialogs& dialogs() const;

    LineupData ownData_;
    LineupData* lineups_ = &ownData_;
    Dialogs* dialogs_ = nullptr;
    QWidget* mainWindow_ = nullptr;
};
