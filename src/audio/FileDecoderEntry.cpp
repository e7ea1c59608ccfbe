#include "FileDecoder.h"

#include "BassErrorCodes.h"
#include "FfmpegSource.h"

extern "C" {
#include <libavutil/log.h>
}

#include <atomic>
#include <mutex>

// The decoder's one entry point, found by name when it is loaded as a module. `stop` (may be null)
// cuts the open short once it turns true; the file is then refused.
extern "C" PcmSource* RbxOpenAudioFile(const char* path, int outputChannels, const std::atomic<bool>* stop,
                                       int* errorCode)
{
    // FFmpeg reports every damaged frame on stderr; the caller reports failures itself.
    static std::once_flag quiet;
    std::call_once(quiet, [] { av_log_set_level(AV_LOG_QUIET); });
    *errorCode = BassError::Unknown;
    return FfmpegSource::Open(path, outputChannels, *errorCode, stop).release();
}
