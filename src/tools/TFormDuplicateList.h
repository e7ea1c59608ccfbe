#pragma once
// The duplicate check's window: the sound buttons that play the same file, grouped, printable.
#include "tools/ListWindow.h"

class TFormDuplicateList : public ListWindow
{
    Q_OBJECT
public:
    explicit TFormDuplicateList(TForm1* mainForm);

    // Collects every sound button on a named page and runs the check; false, after "NO Duplicate
    // Sound Buttons Found", when the board has no sound buttons at all.
    bool Prepare();
    // Prepare, then the window modally: 1 on Close; 0 when nothing was examined.
    int ShowModal();

    // The check: sort by path, mark, group, and show the counts.
    void FormActivate();
    void PrintButtonClick();
    void CloseButtonClick();

    // `DuplicateRowCount`: grid rows shown (duplicates and separator rows).
    int DuplicateRowCount = 0;

    QLabel* SoundButtons = nullptr;
    QLabel* SortedLabel = nullptr;
    QLabel* ProcessingLabel = nullptr;
    QPushButton* PrintButton = nullptr;
    QPushButton* CloseButton = nullptr;

private:
    std::vector<ListRow> rows_;
};
