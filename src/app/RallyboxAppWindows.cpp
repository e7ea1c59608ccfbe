// The application as the main window's MainFormWindows: each command's window, opened on the
// state it needs.
#include "app/RallyboxApp.h"

#include "editing/ChangeSoundButton.h"
#include "editing/TFormAddPlaceMarker.h"
#include "editing/TFormChangePageButton.h"
#include "editing/TfrmCustomPlay.h"
#include "playback/TFormAssignVolumeLevel.h"
#include "playback/TFormAutoStartTimer.h"
#include "playback/TTimedStartSet.h"
#include "tools/FindCriteriaWindow.h"
#include "tools/TButtonList.h"
#include "tools/TFormAbout.h"
#include "tools/TFormDuplicateList.h"
#include "tools/TFormHotKey.h"
#include "tools/TFormLineups.h"
#include "tools/TFormPersonalize.h"
#include "tools/TFormRoster.h"
#include "tools/TFormSetup.h"
#include "tools/TfrmCustomCuedButtons.h"

int RallyboxApp::ShowSoundButtonEditor()
{
    EnsureToolWindows();
    return FormChangeSoundButton->ShowModal();
}

int RallyboxApp::ShowfrmCustomPlay()
{
    EnsureToolWindows();
    return frmCustomPlay->ShowModal();
}

int RallyboxApp::ShowFormChangePageButton()
{
    EnsureToolWindows();
    return FormChangePageButton->ShowModal();
}

int RallyboxApp::ShowFormAddPlaceMarker()
{
    EnsureToolWindows();
    return FormAddPlaceMarker->ShowModal();
}

int RallyboxApp::ShowTimedStartSet()
{
    EnsureToolWindows();
    // The popup target is the button the timed start plays.
    playbackState.TimedStartButton = selection.PopupButton;
    return TimedStartSet->ShowModal();
}

int RallyboxApp::ShowFormAutoStartTimer()
{
    EnsureToolWindows();
    return FormAutoStartTimer->ShowModal();
}

int RallyboxApp::ShowFormAssignVolumeLevel()
{
    EnsureToolWindows();
    return FormAssignVolumeLevel->ShowModal();
}

int RallyboxApp::ShowFormSetup()
{
    EnsureToolWindows();
    return FormSetup->ShowModal();
}

int RallyboxApp::ShowFormAbout()
{
    EnsureToolWindows();
    return FormAbout->ShowModal();
}

// The lineups and the roster stay open beside the board.
int RallyboxApp::ShowFormLineups()
{
    EnsureToolWindows();
    lineups.LineupsActive = true;
    lineups.HomeBatter = 1;
    lineups.VisitorBatter = 1;
    FormLineups->showNormal();
    FormLineups->raise();
    return 1;
}

int RallyboxApp::ShowFormRoster()
{
    EnsureToolWindows();
    FormRoster->show();
    FormRoster->raise();
    return 1;
}

int RallyboxApp::ShowFormPersonalize()
{
    EnsureToolWindows();
    return FormPersonalize->ShowModal();
}

int RallyboxApp::ShowFormFindSpecs()
{
    EnsureToolWindows();
    return FormFindSpecs->ShowModal();
}

int RallyboxApp::ShowFormHotKey()
{
    EnsureToolWindows();
    return FormHotKey->ShowModal();
}

int RallyboxApp::ShowButtonList()
{
    EnsureToolWindows();
    return ButtonList->ShowModal();
}

int RallyboxApp::ShowfrmCustomCuedButtons()
{
    EnsureToolWindows();
    return frmCustomCuedButtons->ShowModal();
}

int RallyboxApp::ShowFormDuplicateList()
{
    EnsureToolWindows();
    return FormDuplicateList->ShowModal();
}

bool RallyboxApp::IsAddressPlaying(int group, int page, int button)
{
    const PlaybackState& st = playbackState;
    for (int i = 1; i <= ChannelSlots; ++i) {
        const auto n = static_cast<std::size_t>(i);
        if (st.ChannelArray[n] != 0 && st.ChannelGroup[n] == group && st.ChannelPage[n] == page &&
            st.ChannelButton[n] == button) {
            return true;
        }
    }
    return false;
}
