#include "FileDecoder.h"

#include "BassErrorCodes.h"
#include "FfmpegSource.h"

extern "C" {
#include <libavutil/log.h>
}

#include <mutex>

std::unique_ptr<PcmSource> OpenAudioFile(const std::string& path, int outputChannels, int& errorCode)
{
    // FFmpeg reports every damaged frame on stderr; the caller reports failures itself.
    static std::once_flag quiet;
    std::call_once(quiet, [] { av_log_set_level(AV_LOG_QUIET); });
    errorCode = BassError::Unknown;
    return FfmpegSource::Open(path, outputChannels, errorCode);
}
