// Every signal of the main window is connected here, in one place.
#include "board/MainForm.h"

#include "controls/ButtonWithColor.h"
#include "controls/ClickLabel.h"
#include "controls/ColorPanel.h"

#include <QAction>
#include <QPushButton>

void TForm1::WireSignals()
{
    WireGameClocks();
    for (int page = 1; page <= PageButtonSlots; ++page) {
        const auto i = static_cast<std::size_t>(page);
        auto click = [this, page] { PageButtonClick(page); };
        connect(PageButtons[i], &QPushButton::clicked, this, click);
        connect(PanelPage[i], &TColorPanel::clicked, this, click);
    }
    for (int group = 1; group <= Groups; ++group) {
        connect(GroupButtons[static_cast<std::size_t>(group)], &QPushButton::clicked, this,
                [this, group] { GroupButtonClick(group); });
    }

    connect(NewButton, &QPushButton::clicked, this, &TForm1::NewButtonClick);
    connect(OpenButton, &QPushButton::clicked, this, &TForm1::OpenButtonClick);
    connect(SaveButton, &QPushButton::clicked, this, &TForm1::SaveButtonClick);
    connect(ResetPageButton, &QPushButton::clicked, this, &TForm1::ResetPageButtonClick);
    connect(ExitButton, &QPushButton::clicked, this, &TForm1::ExitButtonClick);
    connect(LoggingOnDisplay, &TColorPanel::clicked, this, &TForm1::LoggingOnDisplayClick);
    connect(EditButton, &QPushButton::clicked, this, &TForm1::EditButtonClick);
    connect(CueButton, &QPushButton::clicked, this, &TForm1::CueButtonClick);
    connect(ResetAllPages1, &QAction::triggered, this, &TForm1::ResetAllClick);
    connect(RemovaAllHighlights1, &QAction::triggered, this, &TForm1::RemoveAllHighlights1Click);
    connect(RemoveAllLoops1, &QAction::triggered, this, &TForm1::RemoveAllLoops1Click);
    connect(RemoveAllVolumeSettings1, &QAction::triggered, this, &TForm1::RemoveAllVolumeSettings1Click);
    connect(RemoveAllHotKeys1, &QAction::triggered, this, &TForm1::RemoveAllHotKeys1Click);
    connect(RemoveAllLocks1, &QAction::triggered, this, &TForm1::RemoveAllLocks1Click);

    connect(NewSet1, &QAction::triggered, this, &TForm1::NewSet1Click);
    connect(OpenSet1, &QAction::triggered, this, &TForm1::OpenSet1Click);
    connect(SaveSet1, &QAction::triggered, this, &TForm1::SaveSet1Click);
    connect(SaveSetAs1, &QAction::triggered, this, &TForm1::SaveSetAs1Click);
    connect(OpenBackups1, &QAction::triggered, this, &TForm1::OpenBackups1Click);
    connect(Exit1, &QAction::triggered, this, &TForm1::Exit1Click);
    connect(ResetPage1, &QAction::triggered, this, &TForm1::ResetPageClick);
    connect(FormReset, &QAction::triggered, this, &TForm1::FormResetClick);
    connect(FormRestore1, &QAction::triggered, this, &TForm1::FormRestoreClick);
    connect(FormReset1, &QAction::triggered, this, &TForm1::FormResetClick);
    connect(FormRestore2, &QAction::triggered, this, &TForm1::FormRestoreClick);
    connect(ViewLogFile1, &QAction::triggered, this, &TForm1::ViewLogFile1Click);
    connect(PrintLogFile1, &QAction::triggered, this, &TForm1::PrintLogFile1Click);
    connect(DeleteLogFile, &QAction::triggered, this, &TForm1::DeleteLogFileClick);
    connect(DeleteTracerFile, &QAction::triggered, this, &TForm1::DeleteTracerFileClick);
    connect(ShowWindowsVersion1, &QAction::triggered, this, &TForm1::ShowWindowsVersion1Click);
    WireToolCommands();
}

void TForm1::WireSlotClicks()
{
    // A click anywhere on a slot (panel, button, memo, time label, hot-key label) acts as a click
    // on its sound button.
    for (int n = 1; n <= SlotCount; ++n) {
        const auto i = static_cast<std::size_t>(n);
        auto click = [this, n] { ButtonClick(n); };
        if (n == 1) {
            // Slot 1's own button keeps its short handler, which plays without the trace line.
            connect(SoundButtons[i], &QPushButton::clicked, this, [this] { ProcessSoundButton(1); });
        } else {
            connect(SoundButtons[i], &QPushButton::clicked, this, click);
        }
        connect(ButtonPanels[i], &TColorPanel::clicked, this, click);
        connect(ButtonMemos[i], &TClickLabel::clicked, this, click);
        connect(TimeLabels[i], &TClickLabel::clicked, this, click);
        connect(HotKeyLabels[i], &TClickLabel::clicked, this, click);
    }
}
