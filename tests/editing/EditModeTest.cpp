// Edit mode on the real main window: the Edit button's toggle and the slot click that opens the
// sound-button editor on the popup target.
#include "board/MainFormFixture.h"

#include "board/MainFormButtons.h"
#include "controls/ButtonWithColor.h"
#include "controls/ClickLabel.h"
#include "controls/ColorPanel.h"
#include "controls/ElidedLabel.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

const QByteArray EditSet = "[Main]\r\nCreatedBy=Rallybox\r\nPersonalization=\r\n\r\n"
                           "[Page1]\r\nPageName=Warmup\r\nPagePlay=F\r\nRapidFire=F\r\nPageShuffle=F\r\n"
                           "PageColor=clBlack\r\n"
                           "c1=Played\r\ns1=/music/played.wav\r\nt1=00:05\r\nactivity1=2\r\n"
                           "c2=Marker\r\nt2=00:00\r\nactivity2=7\r\n"
                           "c4=Custom\r\ns4=/music/custom.wav\r\nt4=00:10\r\nco4=$00123456\r\n\r\n";

constexpr TColor EditColour = 0x00E6E0B0;
constexpr TColor GroupColour = 0x00336699;

class EditModeTest : public MainFormFixture
{
protected:
    void StartBoard()
    {
        const QString path = PathOf(QStringLiteral("Edit.set"));
        WriteText(path, EditSet);
        Start({path});
        ASSERT_EQ(haltCode, -1);
        settings.EditModeColor = EditColour;
        settings.ActiveButtonColor = clInfoBk;
        settings.GroupColor[1] = GroupColour;
        windows.SoundButtonEditor = [this] {
            opened.push_back({selection.PopupGroup, selection.PopupPage, selection.PopupButton});
            return 2;
        };
    }

    void ClickEdit() { QTest::mouseClick(AsPushButton(form->EditButton), Qt::LeftButton); }
    TColor Panel(int slot) const { return form->ButtonPanels[static_cast<std::size_t>(slot)]->Color(); }
    QPushButton* Button(int slot) const
    {
        return AsPushButton(form->SoundButtons[static_cast<std::size_t>(slot)]);
    }

    std::vector<std::array<int, 3>> opened;
};

} // namespace

TEST_F(EditModeTest, EditButtonShowsTheNoticeTheEditColourAndEveryButton)
{
    StartBoard();
    ASSERT_EQ(Panel(1), clRed);
    ASSERT_TRUE(Button(3)->isHidden());
    ClickEdit();

    EXPECT_TRUE(board.EditMode);
    EXPECT_EQ(form->SoundPlaying->text(), QStringLiteral("****** NOTICE:  PROGRAM IN EDIT MODE!!! ******"));
    for (TColorPanel* panel :
         {form->PanelControls, form->PanelPages, form->Panel52, form->Panel54, form->Panel55}) {
        EXPECT_EQ(panel->Color(), EditColour) << panel->objectName().toStdString();
    }
    EXPECT_EQ(FaceOf(form->EditButton), clInfoBk);
    EXPECT_FALSE(form->ButtonDragModeOnOff->isEnabled());
    EXPECT_FALSE(Button(3)->isHidden());
    EXPECT_EQ(Panel(1), clBtnFace);
    EXPECT_EQ(Panel(2), clBlack);
    EXPECT_EQ(Panel(4), clBtnFace);
}

TEST_F(EditModeTest, LeavingEditModeRepaintsStatesAndTheGroupColour)
{
    StartBoard();
    form->Label2->show(); // "Now Playing:", as a sound before edit mode left it
    ClickEdit();
    ClickEdit();

    EXPECT_FALSE(board.EditMode);
    EXPECT_TRUE(form->SoundPlaying->text().isEmpty());
    EXPECT_TRUE(form->Label2->isHidden());
    for (TColorPanel* panel :
         {form->PanelControls, form->PanelPages, form->Panel52, form->Panel54, form->Panel55}) {
        EXPECT_EQ(panel->Color(), GroupColour) << panel->objectName().toStdString();
    }
    EXPECT_EQ(FaceOf(form->EditButton), settings.ButtonColor);
    EXPECT_TRUE(form->ButtonDragModeOnOff->isEnabled());
    EXPECT_TRUE(Button(3)->isHidden());
    EXPECT_EQ(Panel(1), clRed);
    EXPECT_EQ(Panel(2), clBlack);
    EXPECT_EQ(Panel(3), clTeal);
    EXPECT_EQ(Panel(4), static_cast<TColor>(0x00123456));
}

TEST_F(EditModeTest, AClickInEditModeOpensTheEditorOnThatSlot)
{
    StartBoard();
    QTest::mouseClick(Button(1), Qt::LeftButton);
    EXPECT_TRUE(opened.empty());

    ClickEdit();
    QTest::mouseClick(Button(3), Qt::LeftButton);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], (std::array<int, 3>{1, 1, 3}));
    EXPECT_EQ(selection.CurrentButton, 3);
    // A place marker does not open it.
    QTest::mouseClick(Button(2), Qt::LeftButton);
    EXPECT_EQ(opened.size(), 1u);
}

TEST_F(EditModeTest, AClickOnAPageWithoutNameAsksForAPageFirst)
{
    StartBoard();
    ClickEdit();
    selection.CurrentPage = 2;
    dialogs.Reset();
    QTest::mouseClick(Button(5), Qt::LeftButton);
    EXPECT_TRUE(opened.empty());
    ASSERT_EQ(dialogs.Calls().size(), 1u);
    EXPECT_EQ(dialogs.Calls()[0].text,
              QStringLiteral("You do not have a page selected.\r \rYou must first select a "
                             "page or setup a Page \rbefore you can assign Sound Buttons."));
}

TEST_F(EditModeTest, TheEditModeNoticeAndThePageNameShowWhole)
{
    StartBoard();
    ClickEdit();
    QLabel* notice = form->SoundPlaying;
    EXPECT_GE(notice->width(), notice->sizeHint().width())
        << notice->width() << " < " << notice->sizeHint().width();
    EXPECT_GE(form->lblPage->width(), form->lblPage->sizeHint().width());
    EXPECT_GE(form->LabelPageTotals->width(), form->LabelPageTotals->sizeHint().width());
    // The time row's captions and times keep a gap to the next: "Elapsed00:00" never runs together.
    const std::vector<QLabel*> row = {form->Label5,           form->lblTimeElapsed, form->Label4,
                                      form->lblTimeRemaining, form->Label3,         form->lblTotalTime,
                                      form->Label2,           form->SoundPlaying};
    for (std::size_t k = 0; k + 1 < row.size(); ++k) {
        const int textRight = row[k]->x() + QFontMetrics(row[k]->font()).horizontalAdvance(row[k]->text());
        EXPECT_LE(textRight + 2, row[k + 1]->x()) << row[k]->objectName().toStdString();
    }
    // A page name longer than its place ends in an ellipsis before the page totals.
    form->lblPage->setText(QStringLiteral("Warm-up Anthems and Walk-up Songs 2024"));
    const QString shown = static_cast<TElidedLabel*>(form->lblPage)->ShownText();
    EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << shown.toStdString();
    EXPECT_LE(form->lblPage->x() + QFontMetrics(form->lblPage->font()).horizontalAdvance(shown),
              form->LabelPageTotals->x());
    // A page button shows an "&" of its name as itself (drawn doubled, since "&x" underlines),
    // and a name wider than the button ends in an ellipsis.
    TBitBtnWithColor* page = form->PageButtons[1];
    AsPushButton(page)->setText(QStringLiteral("Warm & Up"));
    EXPECT_EQ(page->ShownCaption(), QStringLiteral("Warm && Up"));
    AsPushButton(page)->setText(QStringLiteral("Warm-up Anthems and Walk-up Songs 2024"));
    EXPECT_TRUE(page->ShownCaption().endsWith(QChar(0x2026))) << page->ShownCaption().toStdString();
    // A caption the memo wraps to three lines loses neither its first nor its last line: the
    // memo's top and bottom pixel rows show only the panel's face.
    TClickLabel* memo = form->ButtonMemos[1];
    memo->setText(QStringLiteral("Walk-up Anthem number two"));
    const QImage picture = memo->grab().toImage();
    const QRgb face = ToQColor(form->ButtonPanels[1]->Color()).rgb();
    int inkPixels = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const bool ink = picture.pixel(x, y) != face;
            inkPixels += ink ? 1 : 0;
            EXPECT_FALSE(ink && (y == 0 || y == picture.height() - 1)) << "ink at " << x << "," << y;
        }
    }
    EXPECT_GT(inkPixels, 100);
    // Every toolbar caption fits its button inside the bevel, with a pixel to spare either side.
    for (QPushButton* button : form->PanelControls->findChildren<QPushButton*>(Qt::FindDirectChildrenOnly)) {
        const int text = QFontMetrics(button->font()).size(Qt::TextShowMnemonic, button->text()).width();
        EXPECT_LE(text + 6, button->width()) << button->objectName().toStdString();
    }
    // A slot's volume and loop markers show their letter whole at every size the scaler gives
    // them: on a wide window the font follows the width, and grows faster than the label's height.
    TClickLabel* marker = form->VolumeLabels[1];
    marker->SetColor(clSilver);
    for (const QSize& size : {QSize(18, 11), QSize(30, 16), QSize(44, 22), QSize(44, 23), QSize(62, 30)}) {
        QFont font = marker->font();
        font.setPixelSize(size.width() * 12 / 18);
        marker->setFont(font);
        marker->resize(size);
        for (const char* letter : {" v ", " L "}) {
            marker->setText(QString::fromLatin1(letter));
            const QImage image = marker->grab().toImage();
            const QRgb markerFace = image.pixel(0, 0);
            int ink = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    const bool dark = image.pixel(x, y) != markerFace;
                    ink += dark ? 1 : 0;
                    EXPECT_FALSE(dark && (y == 0 || y == image.height() - 1))
                        << letter << " in " << size.width() << "x" << size.height() << ": ink at " << x << ","
                        << y;
                }
            }
            EXPECT_GT(ink, 4) << letter;
        }
    }
}
