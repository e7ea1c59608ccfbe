#pragma once
// The list of buttons with a custom start and end, in group/page or caption order, printable. The
// window keeps the order chosen last and shows the next list in it.
#include "tools/ListWindow.h"

class TfrmCustomCuedButtons : public ListWindow
{
    Q_OBJECT
public:
    explicit TfrmCustomCuedButtons(TForm1* mainForm);

    // Collects the rows; false, after "NO Custom Cued Buttons Found", when there are none.
    bool Prepare();
    // Prepare, then the window modally: 1 on Close, 2 on Esc; 0 when nothing was listed.
    int ShowModal();

    void GroupPageSeqButtonClick();
    void SoundSeqButtonClick();
    void PrintButtonClick();
    void CustomCueOKButtonClick();

    TBitBtnWithColor* GroupPageSeqButton = nullptr;
    TBitBtnWithColor* SoundSeqButton = nullptr;
    QPushButton* PrintButton = nullptr;
    QPushButton* CustomCueOKButton = nullptr;

private:
    std::vector<ListRow> rows_;
    bool alphabetical_ = false;
};
