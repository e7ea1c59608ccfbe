#pragma once
// How a play-list start differs between the play list itself and the Next button: message
// prefixes, what a missing file becomes, the custom-start rule, the slot volume and the ducking,
// and what starts the fades.
#include "playback/Playback.h"

#include <QString>

struct Playback::ListStartStyle
{
    bool next = false;
    QString typePrefix;
    QString streamPrefix;
    QString tableRefusedTrace;

    static ListStartStyle PlayList()
    {
        return {false, QStringLiteral("Playlist-ContinueShuffle"), QStringLiteral("Playlist"),
                QStringLiteral("TableChannel returned False B")};
    }
    static ListStartStyle Next()
    {
        return {true, QStringLiteral("ShufflePlayButtonClick"), QStringLiteral("ShufflePlayButtonClicked"),
                QStringLiteral("TableChannel returned False")};
    }
};
