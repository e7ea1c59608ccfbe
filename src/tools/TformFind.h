#pragma once
// "Matches Found": the results of a find, from which the operator plays a match, adds it to the
// cue or searches again. Modal results: 1 done (Close, Esc, Play It), 2 closed by the title bar,
// 6 search again (New Find, Cue It).
#include "tools/BoardSearch.h"

#include <QDialog>

class QKeyEvent;
class QLabel;
class QPushButton;
class TForm1;
class TStringGrid;
struct MainFormContext;

class TformFind : public QDialog
{
    Q_OBJECT
public:
    explicit TformFind(TForm1* mainForm);

    // Fills the grid with the matches of the search text in the scope.
    void Fill(const std::vector<BoardAddress>& matches, const QString& searchText, int scope);
    // The window modally.
    int ShowModal();

    void FormActivate();
    void StringGrid1DblClick();
    void StringGrid1KeyUp();
    void CloseButtonClick();
    void PlayItButtonClick();
    void CueItButtonClick();
    void NewFindButtonClick();
    // The title bar's close: no choice, and the find dialog closes too (result 2).
    void reject() override;

    QLabel* SearchText = nullptr;
    QLabel* MatchesFound = nullptr;
    TStringGrid* StringGrid1 = nullptr;
    QPushButton* CloseButton = nullptr;
    QPushButton* PlayItButton = nullptr;
    QPushButton* CueItButton = nullptr;
    QPushButton* NewFindButton = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool TakeTarget();
    void ClearTarget();

    MainFormContext& ctx_;
    int scope_ = FindButtonsAndNotes;
};
