#pragma once

#include "FfmpegFrameIndex.h"

#include <cstddef>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>

// Shares one packet index per file among the streams that open it. A play opens the same file up
// to three times (the decoding stream, the length stream and the silence skip), and each would
// otherwise scan it again; a button played again finds its index finished, so its exact length
// is known at once. Keyed by path, size, modification and change times, the file's identity and
// a fingerprint of its first and last bytes: a file rewritten in place is scanned afresh, even
// within the file system's timestamp granularity. The most recently opened files' indexes are
// kept (their scans run on to the end even when their streams are freed); older ones live as
// long as a stream holds them.
// Thread-safe.
class FfmpegIndexCache
{
public:
    // The process-wide cache the decoder uses.
    static FfmpegIndexCache& Instance();

    explicit FfmpegIndexCache(std::size_t keep);
    FfmpegIndexCache(const FfmpegIndexCache&) = delete;
    FfmpegIndexCache& operator=(const FfmpegIndexCache&) = delete;

    // The index of the file, started now when no stream holds one and none is kept.
    std::shared_ptr<FfmpegFrameIndex> Get(const std::string& path, FfmpegFrameIndex::Mode mode);

private:
    static std::string KeyOf(const std::string& path, FfmpegFrameIndex::Mode mode);
    void keep(const std::string& key, const std::shared_ptr<FfmpegFrameIndex>& index);

    const std::size_t keep_;
    std::mutex mutex_;
    std::map<std::string, std::weak_ptr<FfmpegFrameIndex>> shared_;
    std::deque<std::pair<std::string, std::shared_ptr<FfmpegFrameIndex>>> kept_;
};
