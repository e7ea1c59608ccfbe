// The now-playing line after a sound: "Now Playing:" goes when the sound ends, while the line
// itself stays, so the edit mode notice (and drag mode's) still shows after anything has played.
#include "RealWindowFixture.h"

#include "board/MainFormButtons.h"
#include "controls/ColorPanel.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace PlaybackTest;

class NowPlayingLine : public RealWindowFixture
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        const QString sound = dir.path() + QStringLiteral("/horn.wav");
        WriteWav(sound, 2, kRate, [](int, int) { return 0.5; });
        BuildWindow("[Main]\r\nCreatedBy=Rallybox\r\n\r\n[Page1]\r\nPageName=Warmup\r\nPagePlay=F\r\n"
                    "RapidFire=F\r\nPageShuffle=F\r\nPageColor=clBlack\r\nc1=Horn\r\ns1=" +
                    sound.toUtf8() + "\r\nt1=00:01\r\n\r\n");
    }
};

TEST_F(NowPlayingLine, TheEditModeNoticeShowsAfterASoundHasEnded)
{
    QTest::mouseClick(form->ButtonPanels[1], Qt::LeftButton);
    ASSERT_TRUE(form->Playing);
    EXPECT_FALSE(form->Label2->isHidden());
    QTest::mouseClick(AsPushButton(form->StopPlayButton), Qt::LeftButton);
    ASSERT_FALSE(form->Playing);
    EXPECT_TRUE(form->Label2->isHidden());
    EXPECT_TRUE(form->SoundPlaying->text().isEmpty());

    QTest::mouseClick(AsPushButton(form->EditButton), Qt::LeftButton);
    ASSERT_TRUE(board.EditMode);
    EXPECT_EQ(form->SoundPlaying->text(), QStringLiteral("****** NOTICE:  PROGRAM IN EDIT MODE!!! ******"));
    EXPECT_FALSE(form->SoundPlaying->isHidden());
}
