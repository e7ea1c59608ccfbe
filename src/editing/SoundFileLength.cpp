#include "editing/SoundFileLength.h"

#include "platform/Rounding.h"

BassHandle OpenStreamForLength(const QString& path)
{
    const QByteArray name = path.toUtf8();
    // Decoding only: measuring must not take an output channel from the board.
    const QString type = path.right(3).toUpper();
    if (type == QLatin1String("WMA")) {
        return BASS_WMA_StreamCreateFile(false, name.constData(), 0, 0, BASS_STREAM_DECODE);
    }
    if (type == QLatin1String("LAC")) {
        return BASS_FLAC_StreamCreateFile(false, name.constData(), 0, 0, BASS_STREAM_DECODE);
    }
    return BASS_StreamCreateFile(false, name.constData(), 0, 0, BASS_STREAM_DECODE);
}

int MeasuredSeconds(BassHandle stream, const QString& customCue, std::int32_t cueStart, std::int32_t cueEnd)
{
    std::int64_t lengthBytes = BASS_ChannelGetLength(stream);
    if (lengthBytes < 0) {
        return 0;
    }
    if (customCue == QLatin1String("Y")) {
        BassChannelInfo info;
        const bool mono = BASS_ChannelGetInfo(stream, info) && info.chans == 1;
        const std::int64_t startBytes = mono ? cueStart / 2 : cueStart;
        const std::int64_t endBytes = mono ? cueEnd / 2 : cueEnd;
        lengthBytes = cueEnd < 1 ? lengthBytes - startBytes : endBytes - startBytes;
        if (lengthBytes < 0) {
            lengthBytes = 0;
        }
    }
    const double seconds = BASS_ChannelBytes2Seconds(stream, lengthBytes);
    return seconds < 0 ? 0 : RoundHalfEven(seconds);
}
