#pragma once
// The windows the main window opens, which live in higher folders: one interface, implemented by
// the application (RallyboxApp) for the program and by a double in tests, so the compiler checks
// that every window is there. Each Show... opens its window, modally unless said otherwise, and
// returns its modal result (mrNone when nothing opened).
class MainFormWindows
{
public:
    virtual ~MainFormWindows() = default;

    // Editors on the popup target: the sound-button editor, the custom cue editor, the page
    // editor, the place-marker editor, the timed start, the auto-start timer and the volume level.
    virtual int ShowSoundButtonEditor() = 0;
    virtual int ShowfrmCustomPlay() = 0;
    virtual int ShowFormChangePageButton() = 0;
    virtual int ShowFormAddPlaceMarker() = 0;
    virtual int ShowTimedStartSet() = 0;
    virtual int ShowFormAutoStartTimer() = 0;
    virtual int ShowFormAssignVolumeLevel() = 0;

    // The window, help, find and list commands' windows. Lineups and Roster stay open beside the
    // board (not modal).
    virtual int ShowFormSetup() = 0;
    virtual int ShowFormAbout() = 0;
    virtual int ShowFormLineups() = 0;
    virtual int ShowFormRoster() = 0;
    virtual int ShowFormPersonalize() = 0;
    virtual int ShowFormFindSpecs() = 0;
    virtual int ShowFormHotKey() = 0;
    virtual int ShowButtonList() = 0;
    virtual int ShowfrmCustomCuedButtons() = 0;
    virtual int ShowFormDuplicateList() = 0;

    // Whether a channel of the channel table plays (group, page, button); commands that would move
    // or clear a cell ask first, so no channel is left pointing at the wrong sound.
    virtual bool IsAddressPlaying(int group, int page, int button) = 0;
};
