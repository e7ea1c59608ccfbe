#pragma once
// The sound-button list, which also serves as the list of buttons whose file is missing (the main
// window's ButtonListInvalidMode). From it the operator jumps to a button, and plays it from the
// sound-button list.
#include "tools/ListWindow.h"

#include <functional>

class TButtonList : public ListWindow
{
    Q_OBJECT
public:
    explicit TButtonList(TForm1* mainForm);

    // Collects the rows of the mode in force; false, after "NO Sound Buttons Found" or "All Sound
    // Buttons Valid", when there are none. The missing-file scan also resets and sets state 8.
    bool Prepare();
    // Prepare, then the window modally: 1 on Close or a double-click, 2 on Esc; 0 when nothing was
    // listed.
    int ShowModal();

    void FormActivate();
    void GroupPageSeqButtonClick();
    void SoundSeqButtonClick();
    void ButtonGridDblClick();
    void ButtonGridKeyUp();
    void CloseButtonClick();
    void PrintButtonClick();

    // Whether a path names an existing file; QFileInfo by default.
    std::function<bool(const QString&)> FileExists;

    TBitBtnWithColor* GroupPageSeqButton = nullptr;
    TBitBtnWithColor* SoundSeqButton = nullptr;
    QPushButton* PrintButton = nullptr;
    QPushButton* CloseButton = nullptr;
    QLabel* ProgressLabel = nullptr;

protected:
    void EscapePressed() override;

private:
    void ShowRows(const std::vector<ListRow>& rows);
    void TakeTarget();
    bool invalidMode_ = false;
    std::vector<ListRow> rows_;
};
