#include "app/InstallProbe.h"

#include "app/FirstPaint.h"
#include "app/RallyboxApp.h"
#include "audio/Bass.h"
#include "audio/FileDecoder.h"
#include "audio/OutputBackend.h"
#include "board/MainForm.h"
#include "board/MainFormContext.h"

#include <QElapsedTimer>
#include <QFileInfo>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

void Report(const char* what, const QString& found)
{
    std::printf("%s %s\n", what, found.isEmpty() ? "NOT FOUND" : qPrintable(found));
}

QString FindHelpPage(const MainFormContext& context, const QString& name)
{
    for (const QString& folder : QStringList{context.ProgramFolder} + context.HelpFolders) {
        if (QFileInfo::exists(folder + name)) {
            return folder + name;
        }
    }
    return {};
}

QString FirstSoundOfShownPage(const RallyboxApp& app)
{
    for (int button = 1; button <= 48; ++button) {
        const QString file = app.board.Cell(app.selection.CurrentGroup, app.selection.CurrentPage, button)
                                 .ButtonFile.trimmed();
        if (!file.isEmpty()) {
            return file;
        }
    }
    return {};
}

// Plays the sound through the engine on the output the program opened and waits (at most 10 s; the output may
// still be opening its stream for a second or two after the first paint) until its position has moved: the
// decoder, the engine and the device all took part.
bool Plays(const QString& file)
{
    const BassHandle stream = BASS_StreamCreateFile(false, file.toUtf8().constData(), 0, 0, 0);
    if (stream == 0 || !BASS_ChannelPlay(stream, false)) {
        return false;
    }
    QElapsedTimer waited;
    waited.start();
    bool moved = false;
    while (!moved && waited.elapsed() < 10000) {
        moved = BASS_ChannelGetPosition(stream) > 0;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (moved) {
        std::printf("played %lld %s\n", static_cast<long long>(waited.elapsed()), qPrintable(file));
    }
    BASS_StreamFree(stream);
    return moved;
}

int Check(RallyboxApp& app)
{
    const QString module = QString::fromStdString(AudioFileDecoderModule());
    Report("decoder", module);
    const QString outputs = QString::fromStdString(OutputBackend::ModuleFile());
    Report("output", outputs);
    bool ok = !module.isEmpty() && !outputs.isEmpty();
    for (const char* page : {"RBXHelp.html", "RBXVersions.html"}) {
        const QString found = FindHelpPage(*app.context, QString::fromLatin1(page));
        Report("help", found);
        ok = ok && !found.isEmpty();
    }
    Report("folder", app.context->ProgramFolder);
    const QString sound = FirstSoundOfShownPage(app);
    const bool played = !sound.isEmpty() && Plays(sound);
    if (!played) {
        Report("played", QString());
    }
    return ok && played ? 0 : 1;
}

} // namespace

namespace InstallProbe {

bool Enabled()
{
    return std::getenv("RBX_INSTALL_PROBE") != nullptr;
}

void CheckAfterFirstPaint(RallyboxApp& app)
{
    if (Enabled()) {
        AfterFirstPaint(*app.Form1, [&app] {
            const int code = Check(app);
            std::fflush(stdout);
            std::_Exit(code);
        });
    }
}

} // namespace InstallProbe
