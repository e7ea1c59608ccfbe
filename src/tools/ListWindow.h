#pragma once
// What the list windows share: the grid, the count label, the printer they print on, sort
// buttons that mark the order in force, and a busy state during which the window cannot close.
#include "tools/BoardLists.h"
#include "tools/ListPrinter.h"

#include <QDialog>
#include <QString>

#include <memory>
#include <vector>

class QCloseEvent;
class QHBoxLayout;
class QKeyEvent;
class QLabel;
class QPrinter;
class QPushButton;
class QVBoxLayout;
class TBitBtnWithColor;
class TForm1;
class TStringGrid;
struct MainFormContext;

class ListWindow : public QDialog
{
    Q_OBJECT
public:
    ListWindow(TForm1* mainForm, const QString& objectName, const QString& caption);
    ~ListWindow() override;

    // The printer the window prints on; it keeps its set-up between prints.
    QPrinter& Printer();
    // True while a sort runs; closing is ignored meanwhile.
    bool Busy() const { return busy_; }

    TStringGrid* Grid = nullptr;
    QLabel* CountLabel = nullptr;

protected:
    // A sort button: a colour button whose face marks the order in force (clInfoBk).
    TBitBtnWithColor* AddSortButton(const char* name, const QString& caption);
    QPushButton* AddButton(const char* name, const QString& caption);
    void MarkSortButton(TBitBtnWithColor* active);
    // Fills the five columns of the hot-key and custom-cued lists: count, hot key, group, page,
    // caption.
    void ShowKeyRows(const std::vector<ListRow>& rows);
    // The printer set-up, then the print dialog; prints only when both are confirmed. Returns the
    // pages printed.
    int PrintRows(const std::vector<QStringList>& rows, const PrintLayout& layout);
    // Both print dialogs confirmed (the printer then holds the operator's choices).
    bool AskPrinter();
    // Runs a long step with the hourglass and closing refused.
    template <typename Fn> void RunBusy(Fn fn)
    {
        BeginBusy();
        fn();
        EndBusy();
    }
    void BeginBusy();
    void EndBusy();
    // Esc: the window's own Esc result; the title bar's close behaves the same.
    virtual void EscapePressed() { done(2); }

    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

    TForm1& main_;
    MainFormContext& ctx_;
    QVBoxLayout* layout_ = nullptr;
    QHBoxLayout* buttons_ = nullptr;
    std::vector<TBitBtnWithColor*> sortButtons_;

private:
    std::unique_ptr<QPrinter> printer_;
    bool busy_ = false;
};

// "#" and the row number.
QString CountText(int row);
