#pragma once
// The real main window with its playback, over a set file the test writes: scripted dialogs and
// the engine on the manual clock.
#include "PlaybackFixture.h"
#include "support/WindowsDouble.h"

#include "playback/PlaybackMainForm.h"
#include "support/MainFormParts.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace PlaybackTest {
class RealWindowFixture : public ::testing::Test, protected MainFormParts
{
protected:
    void TearDown() override;
    // Writes setText as Game.set in the program folder and builds the window on it. Delay 0 and
    // individual volume 100 are set afterwards. With pumpRenders, each pump of a busy wait renders
    // 10 ms and moves the clock 10 ms; without, the test renders and moves the clock itself.
    void BuildWindow(const QByteArray& setText, bool pumpRenders = true);

    QTemporaryDir dir;
    PlaybackState state;
    // The windows the main window opens, as each test sets them.
    WindowsDouble windows;
    std::unique_ptr<PlaybackMainForm> form;
};
} // namespace PlaybackTest
