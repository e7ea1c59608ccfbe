#pragma once
// The playing main window on a temporary program folder with scripted dialogs, a manual clock and
// the audio engine in manual-clock mode, for driving the Setup, find and list windows on it.
#include "board/MainFormButtons.h"
#include "editing/TestWavFile.h"
#include "platform/IniFile.h"
#include "playback/PlaybackMainForm.h"
#include "support/MainFormParts.h"
#include "support/WindowsDouble.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

class ToolsFixture : public ::testing::Test, protected MainFormParts
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        folder = dir.path() + QStringLiteral("/");
        clock.SetNow(QDateTime(QDate(2024, 3, 9), QTime(18, 30)));
        sound = folder + QStringLiteral("horn.wav");
        ASSERT_TRUE(WriteSilentWav(sound, 44100 * 3));
    }

    void TearDown() override
    {
        form.reset();
        BASS_Free();
    }

    // Starts the main window on the set file text (written as "Game.set"), or on an empty board.
    void Start(const QByteArray& setText = QByteArray())
    {
        QStringList parameters;
        if (!setText.isEmpty()) {
            const QString setPath = folder + QStringLiteral("Game.set");
            QFile file(setPath);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(setText);
            file.close();
            parameters.append(setPath);
        }
        BuildContext(parameters);
        context->InitOutput = [this](int device, std::uint32_t freq, std::uint32_t flags) {
            devicesTried.push_back(device);
            if (failingDevices.count(device) != 0 || failingRates.count(freq) != 0) {
                return false;
            }
            BASS_Free();
            return EngineInitManual(freq, flags);
        };
        context->Halt = [this](int code) { haltCode = code; };
        context->ShowShutDown = [] {};
        context->Terminate = [] {};
        context->ShellExecute = [this](const QString& verb, const QString& file) {
            shellCalls.push_back(verb + QStringLiteral(" ") + file);
            return true;
        };
        form = std::make_unique<PlaybackMainForm>(*context, PlaybackServices{state, pump, clock});
        form->SetWindows(&windows);
        settings.Delay = 0;
    }

    // A page section of the set file with the named page and "c<n>=caption" lines.
    static QByteArray Page(const QByteArray& section, const QByteArray& name, const QByteArray& cells)
    {
        return "[" + section + "]\r\nPageName=" + name +
               "\r\nPagePlay=F\r\nRapidFire=F\r\nPageShuffle=F\r\nPageColor=clBlack\r\n" + cells + "\r\n";
    }

    QString TraceText() const
    {
        QFile file(folder + QStringLiteral("Tracer.txt"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    QTemporaryDir dir;
    QString sound;
    PlaybackState state;
    // The windows the main window opens, as each test sets them.
    WindowsDouble windows;
    std::unique_ptr<PlaybackMainForm> form;

    std::set<int> failingDevices;
    std::set<std::uint32_t> failingRates;
    std::vector<int> devicesTried;
    int haltCode = -1;
    std::vector<QString> shellCalls;
};

class TFormSetup;

// The Setup dialog, filled, on the main window started on a one-page board.
class SetupFixture : public ToolsFixture
{
protected:
    void SetUp() override;

    TFormSetup* setup = nullptr;
};
