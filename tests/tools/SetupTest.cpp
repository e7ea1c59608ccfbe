// The Setup dialog on the playing main window: key filters, Save Settings and its options file,
// the output re-open and its fallbacks, colours and Daylight Mode.
#include "ToolsFixture.h"

#include "controls/ClickLabel.h"
#include "controls/ColorPanel.h"
#include "controls/GTSize32.h"
#include "controls/SlideBar.h"
#include "controls/Zseg.h"
#include "controls/zPanel.h"
#include "support/FullFileSystem.h"
#include "tools/TFormSetup.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <cmath>

namespace {

const QString kSecondsKeyText =
    QStringLiteral("Invalid key pressed\rOnly keys 0-9, one decimal point, and one tenth allowed");

} // namespace

void SetupFixture::SetUp()
{
    ToolsFixture::SetUp();
    Start(Page("Page1", "Warmup", "c1=Horn\r\ns1=" + sound.toUtf8() + "\r\nt1=00:03\r\n"));
    setup = new TFormSetup(form.get());
    setup->Open();
}

class SetupTest : public SetupFixture
{
protected:
    void TypeInto(QLineEdit* edit, const QString& keys)
    {
        edit->setFocus();
        QTest::keyClicks(edit, keys);
    }

    IniFile WrittenOptions() const
    {
        IniFile ini;
        ini.LoadFromFile(folder + QStringLiteral("RBX.inf"));
        return ini;
    }
};

TEST_F(SetupTest, SecondsEditsTakeDigitsAndOneTenthOnly)
{
    QLineEdit* edit = setup->FadeInEdit;
    edit->selectAll();
    TypeInto(edit, QStringLiteral("4.3"));
    EXPECT_EQ(edit->text(), QStringLiteral("4.3"));
    EXPECT_TRUE(dialogs.Calls().empty());

    TypeInto(edit, QStringLiteral("5"));
    EXPECT_EQ(edit->text(), QStringLiteral("4.3"));
    ASSERT_EQ(dialogs.Calls().size(), 1u);
    EXPECT_EQ(dialogs.Calls()[0].text, kSecondsKeyText);

    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->text(), QStringLiteral("4."));
    TypeInto(edit, QStringLiteral("."));
    EXPECT_EQ(edit->text(), QStringLiteral("4."));
    TypeInto(edit, QStringLiteral("x"));
    EXPECT_EQ(dialogs.Calls().size(), 3u);

    edit->clear();
    EXPECT_EQ(edit->text(), QStringLiteral("0"));
    // Pasted text passes no key filter; what cannot be seconds goes back to the last good text.
    edit->setText(QStringLiteral("2.5"));
    edit->setText(QStringLiteral("1,5e3"));
    EXPECT_EQ(edit->text(), QStringLiteral("2.5"));
}

TEST_F(SetupTest, SaveRaisesTheFadeOutStartAndWritesEveryKey)
{
    setup->FadeOutEdit->setText(QStringLiteral("5"));
    setup->FadeOutStartEdit->setText(QStringLiteral("4"));
    setup->VoiceOverEdit->setText(QStringLiteral("0.7"));
    setup->VeskDelay->setValue(40);
    setup->SpaceBarStopCheckBox->setChecked(true);
    settings.MultiPlay = true;
    settings.Personalization = QStringLiteral("Home Opener");
    // The equalizer window has loaded one preset: its list is what the file must keep.
    settings.MySettingsLoaded = true;
    settings.MySettingsList = QStringList{QStringLiteral("Crowd")};
    settings.MySettingsNames[1] = QStringLiteral("Crowd");
    settings.MySettingsValues[1].Values = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0, 0, 0};
    setup->SetupSaveButtonClick();

    EXPECT_EQ(setup->result(), 1);
    EXPECT_DOUBLE_EQ(settings.FadeOutSec, 5.0);
    EXPECT_DOUBLE_EQ(settings.FadeOutStartSec, 6.0);
    EXPECT_EQ(settings.VoiceOverMs, 700);
    EXPECT_EQ(settings.Delay, 40);
    // The rate of 1 ms times the duties; the drawn ticks stay at the display's 60 Hz frame.
    EXPECT_EQ(settings.MeterRate, 1);
    EXPECT_EQ(form->ProgressionTimer->interval(), 17);

    // Every key of the exit's writer in its order, the presets, then the header text.
    QStringList keys =
        QStringLiteral("AutoOpen Group Page OutputDevice SampleRaten StereoMode LibraryFolder FadeInSec "
                       "FadeOutSec VoiceOverSec VoiceOverVolume CrossFadeSec FadeOutStartSec "
                       "CrossFadeStartSec PauseFadeIn PauseFadeOut PauseFadeInSec PauseFadeOutSec "
                       "PageFontColor PageFontName PageFontSize PageFontStyle Sound1FontColor "
                       "Sound1FontName Sound1FontSize Sound1FontStyle GroupAColor GroupBColor GroupCColor "
                       "GroupDColor GroupEColor GroupFColor GroupGColor GroupHColor GroupIColor GroupJColor "
                       "CueColor EditModeColor DragModeColor ButtonColor LastSoundButtonColor "
                       "ActiveButtonColor UserActiveButtonColor IndicatorColor Shuffle FadeIn FadeOut "
                       "CrossFade ShiftKey StopPlayList PlayListPage PlayListSkipRed BufferSize HotKey "
                       "HKSetByUser VoiceOverBlink HKOverTalk CueDelete MultiPlay Find Volume "
                       "IndividualVolume Tracer MultiUser DaylightMode FadeOnHot AutoFade ResetAll "
                       "SpaceBarStop EnterKeyMirrorSpaceBar LogFile InstantPlay InstantPlayThreshold "
                       "BufferLength Delay MeterRate NoteTime PlayStop Meter BarYellow BarRed PanelRed")
            .split(u' ');
    keys << QStringLiteral("MySettingsName 1") << QStringLiteral("MySettingsValue 1")
         << QStringLiteral("Personalization");
    const IniFile written = WrittenOptions();
    EXPECT_EQ(written.ReadSection(QStringLiteral("Main")), keys);
    EXPECT_EQ(written.ReadString(QStringLiteral("Main"), QStringLiteral("MySettingsName 1"), {}),
              QStringLiteral("Crowd"));
    EXPECT_EQ(written.ReadString(QStringLiteral("Main"), QStringLiteral("MySettingsValue 1"), {}),
              QStringLiteral("1,2,3,4,5,6,7,8,9,10"));
    EXPECT_EQ(written.ReadString(QStringLiteral("Main"), QStringLiteral("Delay"), {}), QStringLiteral("40"));
    EXPECT_EQ(written.ReadString(QStringLiteral("Main"), QStringLiteral("FadeOutStartSec"), {}),
              QStringLiteral("6"));
    EXPECT_EQ(written.ReadString(QStringLiteral("Main"), QStringLiteral("SpaceBarStop"), {}),
              QStringLiteral("YES"));
    EXPECT_EQ(written.ReadString(QStringLiteral("Main"), QStringLiteral("MultiPlay"), {}),
              QStringLiteral("YES"));
    EXPECT_EQ(written.ReadString(QStringLiteral("Main"), QStringLiteral("Personalization"), {}),
              QStringLiteral("Home Opener"));
}

TEST_F(SetupTest, SaveAppliesMetersCaptionAndPlayListText)
{
    setup->BarRadioButton->setChecked(true);
    setup->YellowSpin->setValue(60);
    setup->PlayListStopCheckBox->setChecked(true);
    setup->RadioStop->setChecked(true);
    // The sound buttons go back to height 20 and top 5 in the scaler's design layout, and to those
    // bounds scaled to the window's present size.
    const int captionPx = QFontInfo(form->ButtonMemos[7]->font()).pixelSize();
    const int pagePx = QFontInfo(AsPushButton(form->PageButtons[1])->font()).pixelSize();
    // The design client lies below the menu bar, which keeps its height.
    const int menu = form->menuBar()->sizeHint().height();
    const QSize designClient(form->GTForm1->Layout().front().Right, form->GTForm1->Layout().front().Bottom);
    form->resize(designClient * 2 + QSize(0, menu));
    QApplication::processEvents();
    // Captions and page names grow with the window as every scaled text does.
    const double grown = (form->height() - menu) / double(designClient.height());
    EXPECT_NEAR(QFontInfo(form->ButtonMemos[7]->font()).pixelSize(), captionPx * grown, 1.0);
    EXPECT_NEAR(QFontInfo(AsPushButton(form->PageButtons[1])->font()).pixelSize(), pagePx * grown, 1.0);
    // Sizes come back whole whatever came before (the menu bar does not grow with the fonts).
    form->resize(designClient + QSize(0, menu));
    QApplication::processEvents();
    EXPECT_EQ(form->size(), designClient + QSize(0, menu));
    form->resize(designClient * 2 + QSize(0, menu));
    QApplication::processEvents();
    EXPECT_EQ(form->size(), designClient * 2 + QSize(0, menu));
    QPushButton* button = AsPushButton(form->SoundButtons[7]);
    button->setGeometry(button->x(), 30, button->width(), 50);
    setup->SetupSaveButtonClick();
    EXPECT_EQ(form->GTForm1->DesignBounds(button), QRect(4, 5, 73, 20));
    const Objs& design = form->GTForm1->Layout().front();
    const double sx = form->width() / double(design.Right);
    const double sy = (form->height() - menu) / double(design.Bottom);
    const int top = int(std::lround(5 * sy));
    EXPECT_EQ(button->geometry(),
              QRect(int(std::lround(4 * sx)), top, int(std::lround(77 * sx) - std::lround(4 * sx)),
                    int(std::lround(25 * sy)) - top));
    EXPECT_FALSE(settings.MeterPanel);
    EXPECT_FALSE(form->LeftMeter->isVisibleTo(form.get()));
    EXPECT_TRUE(form->LMeter->isVisibleTo(form.get()));
    EXPECT_EQ(settings.BarYellow, 60);
    EXPECT_EQ(AsPushButton(form->PlayListButton)->text(), QStringLiteral("*Play List*"));
    EXPECT_EQ(settings.PlayStop, QStringLiteral("STOP"));
    EXPECT_EQ(form->windowTitle(), form->VersionText + QStringLiteral("     ") + board.SetFileName);
}

TEST_F(SetupTest, SaveWithoutOutputChangeDoesNotReopenTheDevice)
{
    const std::size_t opened = devicesTried.size();
    setup->BufferSpin->setValue(700);
    EXPECT_EQ(settings.BufferLength, 700); // the spin applies at once
    setup->SetupSaveButtonClick();
    EXPECT_EQ(devicesTried.size(), opened);
    EXPECT_EQ(settings.BufferLength, 700);
}

TEST_F(SetupTest, MonoChangeWhilePlayingIsRefusedAndTheRestIsSaved)
{
    const std::size_t opened = devicesTried.size();
    form->Playing = true;
    setup->MonoRadioButton->setChecked(true);
    setup->LowSampleRadioButton->setChecked(true);
    setup->VeskDelay->setValue(12);
    setup->SetupSaveButtonClick();
    const QStringList texts = dialogs.Texts();
    EXPECT_TRUE(texts.contains(QStringLiteral("Cannot change Stereo/Mono mode while sound is playing")));
    EXPECT_TRUE(
        texts.contains(QStringLiteral("Cannot change Output Device or Sample Rate while sound is playing")));
    EXPECT_TRUE(settings.StereoMode);
    EXPECT_EQ(settings.SampleRate, 48000);
    EXPECT_EQ(settings.Delay, 12);
    EXPECT_EQ(devicesTried.size(), opened);
}

TEST_F(SetupTest, MonoChangeWhenQuietReopensTheOutputInMono)
{
    setup->MonoRadioButton->setChecked(true);
    setup->SetupSaveButtonClick();
    EXPECT_FALSE(settings.StereoMode);
    EXPECT_TRUE(form->MonoDisplay->isVisibleTo(form.get()));
    ASSERT_FALSE(devicesTried.empty());
    EXPECT_EQ(devicesTried.back(), settings.OutputDevice);
    EXPECT_TRUE(dialogs.Calls().empty());
}

TEST_F(SetupTest, FailedReopenFallsBackToThePreviousOutputAndKeepsRunning)
{
    failingRates = {22050};
    setup->LowSampleRadioButton->setChecked(true);
    setup->SetupSaveButtonClick();
    EXPECT_EQ(haltCode, -1);
    EXPECT_EQ(settings.SampleRate, 48000);
    ASSERT_FALSE(dialogs.Calls().empty());
    EXPECT_EQ(dialogs.Calls().back().text,
              QStringLiteral(" BASS Initialization failed...The previous output settings are kept"));
    EXPECT_EQ(setup->result(), 1);
    // The output is open again: a sound plays.
    form->ProcessSoundButton(1);
    EXPECT_EQ(board.ButtonState[1][1][1], bstPlaying);
}

TEST_F(SetupTest, FailedReopenOnEveryRealDeviceEndsOnNoSound)
{
    failingRates = {22050};
    failingDevices = {1};
    setup->LowSampleRadioButton->setChecked(true);
    setup->SetupSaveButtonClick();
    EXPECT_EQ(haltCode, -1);
    EXPECT_EQ(devicesTried.back(), 0);
    EXPECT_EQ(dialogs.Calls().back().text,
              QStringLiteral(" BASS Initialization failed...No sound device could be opened"));
}

TEST_F(SetupTest, VanishedDeviceKeepsItsStoredNumber)
{
    settings.OutputDevice = 97;
    setup->Open();
    EXPECT_EQ(setup->combobox2->currentIndex(), -1);
    EXPECT_GE(setup->combobox2->count(), 1);
    EXPECT_EQ(setup->combobox2->itemText(0), QString::fromUtf8(BASS_GetDeviceDescription(0)));
    const std::size_t opened = devicesTried.size();
    setup->SetupSaveButtonClick();
    EXPECT_EQ(settings.OutputDevice, 97);
    EXPECT_EQ(devicesTried.size(), opened);
}

TEST_F(SetupTest, FailedOptionsWriteSaysSo)
{
    ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("RBX.inf/blocked")));
    EXPECT_FALSE(setup->SetupWriteOptions());
    ASSERT_FALSE(dialogs.Calls().empty());
    EXPECT_EQ(dialogs.Calls().back().text,
              QStringLiteral("Error in SetupWriteOptions\rNotify Program Author"));
}

TEST_F(SetupTest, AFullDiskKeepsTheOptionsFileWholeAndSaysSo)
{
    FullFileSystem disk;
    RBX_SKIP_UNLESS_MOUNTED(disk);
    // The options file lies on the full disk through a link, as a program folder may.
    const QByteArray old("[Main]\r\nVolume=20\r\n\r\n");
    ASSERT_TRUE(disk.Put("RBX.inf", old));
    QFile::remove(folder + QStringLiteral("RBX.inf"));
    ASSERT_TRUE(QFile::link(disk.FilePath("RBX.inf"), folder + QStringLiteral("RBX.inf")));
    ASSERT_TRUE(disk.Fill());
    EXPECT_FALSE(setup->SetupWriteOptions());
    EXPECT_EQ(dialogs.Texts(),
              QStringList{QStringLiteral("Error in SetupWriteOptions\rNotify Program Author")});
    QFile kept(disk.FilePath("RBX.inf"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), old);
    EXPECT_TRUE(QFileInfo(folder + QStringLiteral("RBX.inf")).isSymLink());
}

TEST_F(SetupTest, FillingDoesNotRunDaylightModeOverTheOperatorsColour)
{
    settings.DaylightMode = true;
    settings.ActiveButtonColor = static_cast<TColor>(0x000080FF);
    settings.UserActiveButtonColor = clRed;
    setup->Open();
    EXPECT_TRUE(setup->DaylightModeCheckBox->isChecked());
    EXPECT_EQ(settings.UserActiveButtonColor, clRed);

    setup->DaylightModeCheckBox->click();
    EXPECT_FALSE(settings.DaylightMode);
    EXPECT_EQ(settings.ActiveButtonColor, clRed);
    setup->DaylightModeCheckBox->click();
    EXPECT_EQ(settings.ActiveButtonColor, static_cast<TColor>(0x000080FF));
    EXPECT_EQ(settings.UserActiveButtonColor, clRed);
}

TEST_F(SetupTest, ColourChoicesTakeEffectAtOnceAndSurviveCancel)
{
    dialogs.QueueColor(clNavy);
    AsPushButton(setup->GroupColorButtons[3])->click();
    EXPECT_EQ(settings.GroupColor[3], clNavy);
    dialogs.QueueCancel();
    AsPushButton(setup->CueColor)->click();
    EXPECT_EQ(settings.CueColor, clBtnFace);
    setup->SetupCancelButtolClick();
    EXPECT_EQ(setup->result(), 1);
    EXPECT_EQ(settings.GroupColor[3], clNavy);

    // The active colour goes to the chosen group and page and the modes that are on, and only
    // there: a button in ButtonColor keeps it, even where that was the active colour too.
    settings.Tracer = true;
    const TColor before = settings.ActiveButtonColor;
    settings.ButtonColor = before;
    SetFace(form->FindButton, before);
    AsPushButton(form->LoopOnButton)->click();
    ASSERT_TRUE(form->LoopMode);
    dialogs.QueueColor(clLime);
    AsPushButton(setup->ActiveButtonColor)->click();
    EXPECT_EQ(settings.ActiveButtonColor, clLime);
    EXPECT_EQ(FaceOf(form->LoopOnButton), clLime);
    EXPECT_EQ(FaceOf(form->GroupButtons[1]), clLime);
    EXPECT_EQ(FaceOf(form->PageButtons[1]), clLime);
    EXPECT_EQ(FaceOf(form->FindButton), before);
    EXPECT_TRUE(TraceText().contains(QStringLiteral(" - SetActiveButtonColor\r\n")));
}

TEST_F(SetupTest, ControlButtonsColourRepaintsEverythingStartUpPaintsWithIt)
{
    // A pixel just inside the panel's 1 px bevel, clear of what it holds (the volume bar sits 2 px in).
    const auto pixel = [](QWidget* widget) {
        const QImage image = widget->grab().toImage();
        return QColor(image.pixel(1, image.height() / 2));
    };
    constexpr TColor chosen = 0x00306090;
    AsPushButton(form->FadeInButton)->click();
    ASSERT_TRUE(settings.FadeIn);
    dialogs.QueueColor(chosen);
    AsPushButton(setup->ButtonColor)->click();

    EXPECT_EQ(settings.ButtonColor, chosen);
    EXPECT_EQ(pixel(form->Panel51), QColor(0x90, 0x60, 0x30));
    EXPECT_EQ(pixel(form->BarMeterPanel), QColor(0x90, 0x60, 0x30));
    for (TzPanelMeter* meter : {form->LeftMeter, form->RightMeter}) {
        EXPECT_EQ(meter->HouseColor(), chosen);
        EXPECT_FALSE(meter->SteelLook());
    }
    EXPECT_EQ(FaceOf(form->SoundButtons[1]), chosen);
    EXPECT_EQ(FaceOf(form->SoundButtons[48]), chosen);
    EXPECT_EQ(FaceOf(form->StopPlayButton), chosen);
    EXPECT_EQ(FaceOf(form->GroupButtons[2]), chosen);
    // What is on keeps the active colour.
    EXPECT_EQ(FaceOf(form->FadeInButton), settings.ActiveButtonColor);
    EXPECT_EQ(FaceOf(form->GroupButtons[1]), settings.ActiveButtonColor);
    EXPECT_EQ(FaceOf(form->PageButtons[1]), settings.ActiveButtonColor);

    // Button face brings the steel look back; Restore Default Colors repaints the volume bar's
    // panel too.
    dialogs.QueueColor(clBtnFace);
    AsPushButton(setup->ButtonColor)->click();
    EXPECT_TRUE(form->LeftMeter->SteelLook());
    form->Panel51->SetColor(chosen);
    AsPushButton(setup->DefaultColors)->click();
    EXPECT_EQ(form->Panel51->Color(), clBtnFace);
    EXPECT_EQ(FaceOf(form->FadeInButton), clInfoBk);
}

TEST_F(SetupTest, LoggingOffEndsTheOpenLog)
{
    settings.LogFile = true;
    playLog->LogIt(sound);
    ASSERT_TRUE(playLog->PlayLogOpen());
    setup->Open();
    setup->LogFileCheckBox->setChecked(false);
    setup->SetupSaveButtonClick();
    EXPECT_FALSE(playLog->PlayLogOpen());
    EXPECT_FALSE(form->LoggingOnDisplay->isVisibleTo(form.get()));
    QFile log(folder + QStringLiteral("RallyboxLog.txt"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().contains("End Log"));
}

TEST_F(SetupTest, OptionsCommandKeepsTheVolumeBarAtItsEnd)
{
    windows.FormSetup = [this] { return setup->result(); };
    form->VolumeControl->SetValue(100);
    form->N6->trigger();
    EXPECT_EQ(form->VolumeControl->Value(), 100);
    form->VolumeControl->SetValue(0);
    form->N6->trigger();
    EXPECT_EQ(form->VolumeControl->Value(), 0);
}

TEST_F(SetupTest, TenTabsOpenOnGeneralAndEscSavesNothing)
{
    QStringList tabs;
    for (int i = 0; i < setup->PageControl1->count(); ++i) {
        tabs << setup->PageControl1->tabText(i);
    }
    EXPECT_EQ(tabs, (QStringList{"General", "Colors", "Delay", "Faders", "Meters", "System", "Notes", "Talk",
                                 "Volume", "Security"}));
    setup->PageControl1->setCurrentIndex(4);
    setup->Open();
    EXPECT_EQ(setup->PageControl1->currentIndex(), 0);
    // Whichever button had the keyboard when Setup closed, Ctrl+Tab turns the tabs at once.
    setup->SetupCancelButtol->setFocus();
    setup->Open();
    ASSERT_NE(setup->focusWidget(), nullptr);
    QTest::keyClick(setup->focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(setup->PageControl1->currentIndex(), 1);
    setup->Open();
    EXPECT_EQ(setup->ThresholdLevel->maximum(), 1000000);
    EXPECT_EQ(setup->ThresholdLevel->singleStep(), 10);
    EXPECT_EQ(setup->BufferSpin->minimum(), 150);
    EXPECT_EQ(setup->BufferSpin->maximum(), 5000);

    setup->VeskDelay->setValue(99);
    QTest::keyClick(setup, Qt::Key_Escape);
    EXPECT_EQ(setup->result(), 1);
    EXPECT_EQ(settings.Delay, 0);
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("RBX.inf")));
}
