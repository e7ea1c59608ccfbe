#pragma once
// A sound asked for while its file was still being opened (slow storage, a cold start): it
// starts when the file is open, by the path it was asked through.
#include <QString>

enum class WaitingStartPath { SoundButton, HotKey, PlayList, Next };

struct WaitingStart
{
    WaitingStartPath path = WaitingStartPath::SoundButton;
    int group = 0;
    int page = 0;
    int button = 0;
    QString file;
    // The Next button's press that led to a play-list start: its fade rule holds for the start.
    bool nextPressed = false;
};
