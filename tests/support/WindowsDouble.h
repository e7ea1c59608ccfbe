#pragma once
// The main window's windows in a test: each Show... runs what the test put in its place and
// returns that result, or opens nothing (mrNone) when the test put nothing; AddressPlaying answers
// IsAddressPlaying (nothing plays unless set).
#include "board/MainFormWindows.h"

#include <functional>

class WindowsDouble final : public MainFormWindows
{
public:
    using Show = std::function<int()>;
    Show SoundButtonEditor, frmCustomPlay, FormChangePageButton, FormAddPlaceMarker, TimedStartSet,
        FormAutoStartTimer, FormAssignVolumeLevel, FormSetup, FormAbout, FormLineups, FormRoster,
        FormPersonalize, FormFindSpecs, FormHotKey, ButtonList, frmCustomCuedButtons, FormDuplicateList;
    std::function<bool(int group, int page, int button)> AddressPlaying;

    int ShowSoundButtonEditor() override { return Run(SoundButtonEditor); }
    int ShowfrmCustomPlay() override { return Run(frmCustomPlay); }
    int ShowFormChangePageButton() override { return Run(FormChangePageButton); }
    int ShowFormAddPlaceMarker() override { return Run(FormAddPlaceMarker); }
    int ShowTimedStartSet() override { return Run(TimedStartSet); }
    int ShowFormAutoStartTimer() override { return Run(FormAutoStartTimer); }
    int ShowFormAssignVolumeLevel() override { return Run(FormAssignVolumeLevel); }
    int ShowFormSetup() override { return Run(FormSetup); }
    int ShowFormAbout() override { return Run(FormAbout); }
    int ShowFormLineups() override { return Run(FormLineups); }
    int ShowFormRoster() override { return Run(FormRoster); }
    int ShowFormPersonalize() override { return Run(FormPersonalize); }
    int ShowFormFindSpecs() override { return Run(FormFindSpecs); }
    int ShowFormHotKey() override { return Run(FormHotKey); }
    int ShowButtonList() override { return Run(ButtonList); }
    int ShowfrmCustomCuedButtons() override { return Run(frmCustomCuedButtons); }
    int ShowFormDuplicateList() override { return Run(FormDuplicateList); }
    bool IsAddressPlaying(int group, int page, int button) override
    {
        return AddressPlaying && AddressPlaying(group, page, button);
    }

private:
    static int Run(const Show& show) { return show ? show() : 0; }
};
