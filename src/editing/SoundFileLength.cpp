#include "editing/SoundFileLength.h"

#include "platform/Rounding.h"

int MeasuredSeconds(BassHandle stream, std::int64_t lengthBytes, const QString& customCue, std::int32_t cueStart,
                    std::int32_t cueEnd)
{
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
