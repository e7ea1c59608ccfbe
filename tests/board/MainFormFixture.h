#pragma once
// A main window on a temporary program folder, with scripted dialogs, a manual clock and the
// audio engine in manual-clock mode, so every start-up and exit can be driven and inspected.
#include "board/MainForm.h"
#include "support/MainFormParts.h"
#include "support/WindowsDouble.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <vector>

// A small board in the set file's own layout: group A pages 1 and 3, group B page 1, the cue.
inline const QByteArray SampleSet =
    "[Main]\r\nCreatedBy=Rallybox\r\nPersonalization=\r\n\r\n"
    "[Page1]\r\nPageName=Warmup\r\nPagePlay=T\r\nRapidFire=F\r\nPageShuffle=F\r\n"
    "PageColor=clBlack\r\n"
    "c1=Goal Horn\r\ns1=/music/goal.wav\r\nt1=00:05\r\nh1=2Q\r\nL1=L\r\nv1=80\r\nci1=Y\r\n"
    "c2=Charge%%Fanfare\r\ns2=/music/charge.mp3\r\nt2=01:00\r\nactivity2=2\r\n"
    "c3=Locked One\r\ns3=/music/lock.wav\r\nt3=00:30\r\nactivity3=4\r\n"
    "c4=Marker\r\nt4=00:00\r\nactivity4=7\r\n"
    "c6=Custom\r\ns6=/music/custom.wav\r\nt6=00:10\r\nco6=$00123456\r\n\r\n"
    "[Page3]\r\nPageName=Anthems\r\nPagePlay=F\r\nRapidFire=F\r\nPageShuffle=T\r\n"
    "PageColor=clBlack\r\n"
    "c1=Anthem\r\ns1=/music/anthem.wav\r\nt1=1:02:05\r\n\r\n"
    "[PageB1]\r\nPageName=Second\r\nPagePlay=F\r\nRapidFire=F\r\nPageShuffle=F\r\n"
    "PageColor=clBlack\r\n"
    "c1=B song\r\ns1=/music/b.wav\r\nt1=00:07\r\n\r\n"
    "[PageQ19]\r\nPageName= \r\nPagePlay=F\r\nRapidFire=F\r\nPageShuffle=F\r\n"
    "PageColor=clBlack\r\n\r\n";

class MainFormFixture : public ::testing::Test, protected MainFormParts
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        folder = dir.path() + QStringLiteral("/");
        clock.SetNow(QDateTime(QDate(2024, 3, 9), QTime(18, 30)));
    }

    void TearDown() override
    {
        form.reset();
        BASS_Free();
    }

    QString PathOf(const QString& name) const { return folder + name; }

    // Starts on the sample board named on the command line.
    void StartWithSample()
    {
        setPath = PathOf(QStringLiteral("Game.set"));
        WriteText(setPath, SampleSet);
        Start({setPath});
    }

    static void WriteText(const QString& path, const QByteArray& text)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    static QByteArray ReadBytes(const QString& path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            return {};
        }
        return file.readAll();
    }

    // Starts the main window; the constructor runs the create step.
    void Start(const QStringList& parameters = {})
    {
        BuildContext(parameters);
        context->InitOutput = [this](int device, std::uint32_t freq, std::uint32_t flags) {
            devicesTried.push_back(device);
            ratesTried.push_back(static_cast<int>(freq));
            if (failingDevices.count(device) != 0) {
                return false;
            }
            return EngineInitManual(freq, flags);
        };
        context->Halt = [this](int code) { haltCode = code; };
        context->ShowShutDown = [this] { ++shutDownShown; };
        context->Terminate = [this] { ++terminated; };
        context->ShellExecute = [this](const QString& verb, const QString& file) {
            shellCalls.push_back(verb + QStringLiteral(" ") + file);
            return true;
        };
        form = MakeForm ? MakeForm(*context) : std::make_unique<TForm1>(*context);
        form->SetWindows(&windows);
    }

    QTemporaryDir dir;
    // The windows the main window opens, as each test sets them.
    WindowsDouble windows;
    std::unique_ptr<TForm1> form;
    // Builds the window Start shows, when a test needs a subclass (a plain TForm1 otherwise).
    std::function<std::unique_ptr<TForm1>(MainFormContext&)> MakeForm;

    std::set<int> failingDevices;
    std::vector<int> devicesTried;
    std::vector<int> ratesTried;
    int haltCode = -1;
    int shutDownShown = 0;
    int terminated = 0;
    std::vector<QString> shellCalls;
    QString setPath;
};
