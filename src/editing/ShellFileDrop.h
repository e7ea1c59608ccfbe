#pragma once
// Files dropped from the desktop's file manager onto the main window become sound buttons: each
// goes into the next free button of the page on display, or of the pages after it in the group.
// GUI thread. Installed once on the main window, which it takes as its parent.
#include <QObject>
#include <QStringList>

#include "platform/Color.h"

class TForm1;

class ShellFileDrop final : public QObject
{
    Q_OBJECT
public:
    explicit ShellFileDrop(TForm1& form);

    // Whether the board takes dropped files now: not while locked, in edit or drag mode, or while
    // the cue is on display.
    bool AcceptsDrops() const;
    // Places the files in the order given; stops at the end of the group with its message.
    void WMDropFiles(const QStringList& paths);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool PlaceFile(const QString& path);
    void NamePage(int group, int page, TColor pageColor);
    void MeasureLength(int group, int page, int button);

    TForm1& form_;
};
