// The editor as the program creates it, on the real main window: what OK and Delete show in the
// slot's controls and the page totals.
#include "board/MainFormFixture.h"

#include "board/HotKeyCode.h"
#include "board/MainFormButtons.h"
#include "controls/ClickLabel.h"
#include "controls/ColorPanel.h"
#include "editing/CaptionMemo.h"
#include "editing/ChangeSoundButton.h"

#include "TestWavFile.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

const QByteArray BoardSet =
    "[Main]\r\nCreatedBy=Rallybox\r\nPersonalization=\r\n\r\n"
    "[Page1]\r\nPageName=Warmup\r\nPagePlay=F\r\nRapidFire=F\r\nPageShuffle=F\r\n"
    "PageColor=clBlack\r\n"
    "c1=Goal Horn\r\ns1=/music/goal.wav\r\nt1=00:05\r\nh1=2Q\r\nv1=80\r\nL1=L\r\n\r\n";

class EditorOnMainFormTest : public MainFormFixture
{
protected:
    void StartBoard()
    {
        const QString path = PathOf(QStringLiteral("Game.set"));
        WriteText(path, BoardSet);
        Start({path});
        ASSERT_EQ(haltCode, -1);
        editor = new TFormChangeSoundButton(form.get());
    }

    void OpenOn(int slot)
    {
        selection.CurrentButton = slot;
        selection.PopupGroup = selection.CurrentGroup;
        selection.PopupPage = selection.CurrentPage;
        selection.PopupButton = slot;
        editor->Open();
    }

    QString WriteWav(const QString& name, int frames)
    {
        const QString path = PathOf(name);
        EXPECT_TRUE(WriteSilentWav(path, frames));
        return path;
    }

    TFormChangeSoundButton* editor = nullptr;
};

} // namespace

TEST_F(EditorOnMainFormTest, OkShowsTheNewButtonInItsSlotAndRenewsThePageTotals)
{
    StartBoard();
    OpenOn(2);
    editor->MemoCaption->SetText(QStringLiteral("Power Play"));
    editor->NewFileName->setText(WriteWav(QStringLiteral("power.wav"), 44100 * 10));
    QTest::mouseClick(AsPushButton(editor->KeyButton(HotKeySlotOfKey(QStringLiteral("A")))), Qt::LeftButton);
    QTest::mouseClick(editor->OKButton, Qt::LeftButton);

    ASSERT_EQ(editor->result(), mrOk);
    EXPECT_EQ(AsPushButton(form->SoundButtons[2])->text(), QStringLiteral("Power Play"));
    EXPECT_EQ(form->ButtonMemos[2]->text(), QStringLiteral("Power Play"));
    EXPECT_EQ(form->TimeLabels[2]->text(), QStringLiteral("00:10"));
    EXPECT_EQ(form->ButtonPanels[2]->Color(), clBtnFace);
    EXPECT_FALSE(form->HotKeyLabels[2]->isHidden());
    EXPECT_EQ(form->HotKeyLabels[2]->text(), QStringLiteral("A"));
    EXPECT_EQ(form->HotKeyLabels[2]->toolTip(), QStringLiteral("A"));
    // The missing goal horn counts by its stored time; the new sound by its measured one.
    EXPECT_EQ(form->LabelPageTotals->text(), QStringLiteral("2 Sounds (00:15)"));
}

TEST_F(EditorOnMainFormTest, DeleteEmptiesTheSlotAndItsMarkers)
{
    StartBoard();
    OpenOn(1);
    QTest::mouseClick(editor->DeleteButton, Qt::LeftButton);

    ASSERT_EQ(editor->result(), mrOk);
    EXPECT_EQ(AsPushButton(form->SoundButtons[1])->text(), QStringLiteral(" "));
    EXPECT_TRUE(AsPushButton(form->SoundButtons[1])->isHidden());
    EXPECT_EQ(form->ButtonPanels[1]->Color(), clTeal);
    EXPECT_TRUE(form->HotKeyLabels[1]->isHidden());
    EXPECT_TRUE(form->VolumeLabels[1]->isHidden());
    EXPECT_TRUE(form->LoopLabels[1]->isHidden());
    EXPECT_EQ(form->LabelPageTotals->text(), QStringLiteral("0 Sounds (00:00)"));
    EXPECT_TRUE(board.BoardChanged);
}
