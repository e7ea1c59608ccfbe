#pragma once
// The hot-key list: the two fixed rows and every button with a hot key, in group/page, hot-key or
// caption order, printable.
#include "tools/ListWindow.h"

class TFormHotKey : public ListWindow
{
    Q_OBJECT
public:
    explicit TFormHotKey(TForm1* mainForm);

    // Collects the rows and fills the grid; the list always has its two fixed rows.
    bool Prepare();
    // Prepare, then the window modally: 1 on Close, 2 on Esc.
    int ShowModal();

    void FormActivate();
    void GroupPageSeqButtonClick();
    void HotKeySeqButtonClick();
    void SoundSeqButtonClick();
    void PrintButtonClick();
    void HotKeyOKButtonClick();

    TBitBtnWithColor* GroupPageSeqButton = nullptr;
    TBitBtnWithColor* HotKeySeqButton = nullptr;
    TBitBtnWithColor* SoundSeqButton = nullptr;
    QPushButton* PrintButton = nullptr;
    QPushButton* HotKeyOKButton = nullptr;

private:
    std::vector<ListRow> rows_;
};
