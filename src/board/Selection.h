#pragma once

// What is shown, what plays and what a menu or list acts on. One instance lives for the whole run;
// tests build their own.
struct Selection
{
    // The group and page on display (page 19 = the cue) and the button last acted on; after a page
    // is selected or edited CurrentButton holds that page's number instead.
    int CurrentGroup = 1;
    int CurrentPage = 1;
    int CurrentButton = 1;

    // The sound last started; 0 = none.
    int PlayingGroup = 0;
    int PlayingPage = 0;
    int PlayingButton = 0;

    // The target of the last right-click menu or edit-mode click (page 19 = the cue).
    int PopupGroup = 0;
    int PopupPage = 0;
    int PopupButton = 0;

    // The board address chosen in the find window or a list window (0 = none), and the row count of
    // the list built last.
    int ListTargetGroup = 0;
    int ListTargetPage = 0;
    int ListTargetButton = 0;
    int ListRowCount = 0;
};
