#include "board/BassErrorText.h"

#include "audio/Bass.h"
#include "board/Tracer.h"
#include "platform/Dialogs.h"

namespace {

struct CodeText
{
    int code;
    const char* text;
};

constexpr CodeText ErrorTexts[] = {
    {1, "memory error"},
    {2, "can not open the file"},
    {3, "can not find a free sound driver"},
    {4, "the sample buffer was lost"},
    {5, "invalid handle"},
    {6, "unsupported sample format"},
    {7, "invalid playback position"},
    {8, "BASS_Init has not been successfully called"},
    {9, "BASS_Start has not been successfully called"},
    {14, "already initialized"},
    {16, "not paused"},
    {18, "can not get a free channel"},
    {19, "an illegal type was specified"},
    {20, "an illegal parameter was specified"},
    {21, "no 3D support"},
    {22, "no EAX support"},
    {23, "illegal sound output device number"},
    {24, "not playing"},
    {25, "illegal sample rate"},
    {27, "the stream is not a file stream (WAV/MP3/MP2/MP1/OGG)"},
    {29, "no hardware voices available"},
    {31, "the MOD music has no sequence data"},
    {32, "no internet connection could be opened"},
    {33, "could not create the file"},
    {34, "effects are not enabled"},
    {35, "the channel is playing"},
    {37, "requested data is not available"},
    {38, "the channel is a \"decoding channel\""},
    {39, "a sufficient DirectX version is not installed"},
    {40, "connection timedout"},
    {41, "unsupported file format"},
    {42, "unavailable speaker"},
    {43, "invalid BASS version (used by add-ons)"},
    {44, "codec is not available/supported"},
    {1000, "the file is protected"},
    {-1, "some other mystery error"},
};

} // namespace

QString BassErrorText(int code)
{
    for (const CodeText& entry : ErrorTexts) {
        if (entry.code == code)
            return QString::fromLatin1(entry.text);
    }
    return QStringLiteral("Unknown error (") + QString::number(code) + QLatin1Char(')');
}

void ReportBassError(int code, const QString& context, Tracer& tracer, Dialogs& dialogs)
{
    if (code == 0)
        return;
    try {
        const QString head = QStringLiteral("BASS Error (") + QString::number(code) + QStringLiteral("):  ") +
                             BassErrorText(code);
        tracer.WriteTracer(head + QStringLiteral(" FUNCTION/PROCEDURE: ") + context);
        dialogs.MessageDlg(head + QStringLiteral("\r\rFUNCTION/PROCEDURE:\r") + context, mtError, mbOK);
    } catch (...) {
        dialogs.MessageDlg(QStringLiteral("Error in BassErrorFunction\r "), mtError, mbOK);
    }
}

void BassErrorFunction(const QString& context, Tracer& tracer, Dialogs& dialogs)
{
    ReportBassError(BASS_ErrorGetCode(), context, tracer, dialogs);
}

bool IsChannelRaceError(int code)
{
    // 5: the handle was freed when its sound ended; 24: the sound ended but is still in the
    // table; 14: a pause reached a channel a nested click had already paused.
    return code == BassError::Handle || code == BassError::NotPlaying || code == BassError::Already;
}

void ChannelErrorFunction(const QString& context, Tracer& tracer, Dialogs& dialogs)
{
    const int code = BASS_ErrorGetCode();
    if (!IsChannelRaceError(code)) {
        ReportBassError(code, context, tracer, dialogs);
        return;
    }
    tracer.WriteTracer(
        QStringLiteral("BASS Error (") + QString::number(code) +
        QStringLiteral(") on a channel that had just ended, not playing - FUNCTION/PROCEDURE: ") + context);
}
