#include "board/UserProfile.h"

#include "board/Board.h"
#include "board/Selection.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "platform/Color.h"
#include "platform/Dialogs.h"

#include <QLocale>

namespace {

QString Seconds(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

// Writes the profile lines in their fixed order; "Blank" lines hold one blank.
class ProfileWriter
{
public:
    ProfileWriter(Tracer& tracer, const Settings& settings) : tracer_(tracer), s_(settings) {}

    void Line(const QString& text) { tracer_.WriteTracer(text); }
    void Blank() { Line(QStringLiteral(" ")); }
    void OnOff(const char* head, bool on) { Line(QLatin1String(head) + (on ? "ON" : "OFF")); }
    void YesNo(const char* head, bool on) { Line(QLatin1String(head) + (on ? "YES" : "NO")); }
    void Value(const char* head, const QString& value) { Line(QLatin1String(head) + value); }
    void Value(const char* head, int value) { Value(head, QString::number(value)); }
    void Color(const char* head, TColor value) { Value(head, ColorToString(value)); }

    void Header(const Board& board, const Selection& selection, const VersionTexts& versions, bool fromSetup);
    void Fonts();
    void Colors();
    void MetersAndFading();
    void Modes();

private:
    Tracer& tracer_;
    const Settings& s_;
};

void ProfileWriter::Header(const Board& board, const Selection& selection, const VersionTexts& versions,
                           bool fromSetup)
{
    Line(fromSetup ? QStringLiteral("Profile B") : QStringLiteral("Profile A"));
    Line(versions.VersionText);
    Line(versions.BuildText);
    Line(versions.WindowsVersionText);
    Blank();
    Value("Load File is ", board.SetFileName);
    Blank();
    Value("Starting Group is ", selection.CurrentGroup);
    Value("Starting Page is ", selection.CurrentPage);
    Value("Personalization is ", s_.Personalization);
    Blank();
    Value("Fade In Seconds is ", Seconds(s_.FadeInSec));
    Value("Fade Out Seconds is ", Seconds(s_.FadeOutSec));
    Value("Cross Fade Seconds is ", Seconds(s_.CrossFadeSec));
    Blank();
    Line(QStringLiteral("BASS:"));
    Line(QStringLiteral("Bass Version is 2.3"));
    Line(QStringLiteral("Device is ") + QString::number(s_.OutputDevice) +
         QStringLiteral(", Sample Rate is ") + QString::number(s_.SampleRate));
    Value("Buffer Length is ", s_.BufferLength);
    Value("Delay before resetting Volume is ", s_.Delay);
    Value("Meter Rate is ", s_.MeterRate);
    Blank();
}

void ProfileWriter::Fonts()
{
    Color("Page Font Color is ", s_.PageFontColor);
    Value("Page Font Name is ", s_.PageFontName);
    Value("Page Font Size is ", s_.PageFontSize);
    Value("Page Font Style is ", s_.PageFontStyleText);
    Color("Sound Color is ", s_.Sound1FontColor);
    Value("Sound Font Name is ", s_.Sound1FontName);
    Value("Sound Font Size is ", s_.Sound1FontSize);
    Value("Sound Font Style is ", s_.Sound1FontStyleText);
    Blank();
}

void ProfileWriter::Colors()
{
    Line(QStringLiteral("Colors: "));
    for (int group = 1; group <= 10; ++group) {
        const QString head = QStringLiteral("Group ") + QChar('A' + group - 1) + QStringLiteral(" is ");
        Line(head + ColorToString(s_.GroupColor[static_cast<std::size_t>(group)]));
    }
    Color("Edit Mode is ", s_.EditModeColor);
    Color("Drag Mode is ", s_.DragModeColor);
    Color("Button Color is ", s_.ButtonColor);
    Color("Cue is ", s_.CueColor);
    Color("Active Button is ", s_.ActiveButtonColor);
    Color("User Active Button Color is ", s_.UserActiveButtonColor);
    Blank();
}

void ProfileWriter::MetersAndFading()
{
    Line(QStringLiteral("Meters:"));
    Value("Style is ", s_.MeterText);
    Value("Bar Yellow is ", s_.BarYellow);
    Value("Bar Red is ", s_.BarRed);
    Value("Panel Red is ", s_.PanelRed);
    Blank();
    Value("Fade On Hot Key is ", s_.FadeOnHotText);
    Value("Automatic Fading is ", s_.AutoFadeText);
    Blank();
    OnOff("Logging is ", s_.LogFile);
    Blank();
}

void ProfileWriter::Modes()
{
    OnOff("Shuffle Mode is ", s_.Shuffle);
    OnOff("Multi-Play is ", s_.MultiPlay);
    OnOff("MultiUser Mode is ", s_.MultiUser);
    OnOff("Daylight Mode is ", s_.DaylightMode);
    OnOff("Fade In is ", s_.FadeIn);
    OnOff("Fade Out is ", s_.FadeOut);
    OnOff("Cross Fade is ", s_.CrossFade);
    OnOff("Stop PlayList on PlaceMarker is ", s_.StopPlayList);
    OnOff("PlayList Page Advance is ", s_.PlayListPage);
    OnOff("PlayList Skip Previously Played Sounds is ", s_.PlayListSkipRed);
    OnOff("Security is ", s_.SecurityLocked);
    OnOff("Cue Delete is ", s_.CueDelete);
    Line(QStringLiteral("Broadcast Keys are ") + (s_.BroadcastKeys ? "ON" : "OFF"));
    OnOff("Reset All is ", s_.ResetAll);
    YesNo("Space Bar Stop is ", s_.SpaceBarStop);
    YesNo("Enter Key Mirror Space Bar is ", s_.EnterKeyMirrorSpaceBar);
    // Empty page buttons are never hidden: the option has neither a key nor a visible control.
    YesNo("Hide Empty Pages is ", false);
    YesNo("Log File is ", s_.LogFile);
    OnOff("Instant Play is ", s_.InstantPlay);
    Value("Instant Play Threshold is ", s_.InstantPlayThreshold);
    OnOff("Hot Keys Over Talk is ", s_.HKOverTalk);
    Value("Initial Volume is ", s_.Volume);
    Value("Default Individual Volume Setting is ", s_.IndividualVolume);
    Line(s_.StereoMode ? QStringLiteral("Stereo Mode is ON") : QStringLiteral("Mono Mode is ON"));
    Blank();
    Line(QString(61, QLatin1Char('-')));
    Blank();
}

} // namespace

void RecordUserProfile(Tracer& tracer, const Settings& settings, const Board& board,
                       const Selection& selection, const VersionTexts& versions, bool& profileWritten,
                       Dialogs& dialogs, bool fromSetup)
{
    if (!settings.Tracer || profileWritten)
        return;
    try {
        profileWritten = true;
        ProfileWriter writer(tracer, settings);
        writer.Header(board, selection, versions, fromSetup);
        writer.Fonts();
        writer.Colors();
        writer.MetersAndFading();
        writer.Modes();
    } catch (...) {
        dialogs.MessageDlg(fromSetup ? QStringLiteral("Error in RecordUserProfile\rNotify Program Author")
                                     : QStringLiteral("Error in RecordUserProfile\r "),
                           mtError, mbOK);
    }
}
