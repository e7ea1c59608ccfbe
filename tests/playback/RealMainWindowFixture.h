#pragma once
// The real main window of the playback layer on a temporary program folder: three one-second
// sounds on a play-list page (the third on the hot key C), scripted dialogs, the engine on the
// manual clock. Keys go in through the window, as the window system delivers them.
#include "PlaybackFixture.h"
#include "RealWindowFixture.h"

#include "audio/EngineManual.h"
#include "board/Backups.h"
#include "board/MainFormButtons.h"
#include "board/MainFormContext.h"
#include "board/OptionsFile.h"
#include "board/SetFile.h"
#include "controls/ColorPanel.h"
#include "controls/GTSize32Shared.h"
#include "controls/SlideBar.h"
#include "platform/Random.h"
#include "playback/PlaybackMainForm.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWindow>

using namespace PlaybackTest;

// The window system hands a key to the window, which passes it to the control with the focus.
inline QWindow* WindowOf(QWidget& form)
{
    form.winId();
    return form.windowHandle();
}

inline void KeyThroughWindow(QWidget& form, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(WindowOf(form), key, modifiers);
}

class RealMainWindow : public RealWindowFixture
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        const QString sounds = dir.path() + QStringLiteral("/");
        QByteArray set = "[Main]\r\nCreatedBy=Rallybox\r\n\r\n[Page1]\r\nPageName=Warmup\r\nPagePlay=T\r\n"
                         "RapidFire=F\r\nPageShuffle=F\r\nPageColor=clBlack\r\n";
        for (int b = 1; b <= 3; ++b) {
            const QString path = sounds + QStringLiteral("s%1.wav").arg(b);
            WriteWav(path, 2, kRate, [](int, int) { return 0.5; });
            set += QStringLiteral("c%1=Sound %1\r\ns%1=%2\r\nt%1=00:01\r\n").arg(b).arg(path).toUtf8();
        }
        set += MoreSlots();
        set += "h3=0C\r\n\r\n";
        set += MorePages();
        BuildWindow(set);
        settings.SpaceBarStop = true;
        settings.ActiveButtonColor = clInfoBk;
    }

    // Further cells of the play-list page, and further sections, for fixtures that need them.
    virtual QByteArray MoreSlots() const { return {}; }
    virtual QByteArray MorePages() const { return {}; }

    QPushButton* Mode(TBitBtnWithColor* button) const { return AsPushButton(button); }

    QWindow* Window() const { return WindowOf(*form); }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const
    {
        KeyThroughWindow(*form, key, modifiers);
    }
};
