#include "FfmpegIndexCache.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <sys/stat.h>

namespace {
// A set's worth of recently played buttons; a kept index of a song is about 100 KB.
constexpr std::size_t kKeptIndexes = 16;
} // namespace

FfmpegIndexCache& FfmpegIndexCache::Instance()
{
    static FfmpegIndexCache cache(kKeptIndexes);
    return cache;
}

FfmpegIndexCache::FfmpegIndexCache(std::size_t keep) : keep_(keep)
{}

std::string FfmpegIndexCache::KeyOf(const std::string& path, FfmpegFrameIndex::Mode mode)
{
    struct stat info
    {
    };
    if (stat(path.c_str(), &info) != 0) {
        return {};
    }
    // Size and times alone can match two contents: a file rewritten within the file system's
    // timestamp granularity (a few ms) keeps both when the new copy has the old size. The file's
    // identity and a fingerprint of its first and last bytes (headers, tags, the end of the data)
    // tell such contents apart for the price of two small reads.
    std::uint64_t hash = 1469598103934665603ULL;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        constexpr long kEdge = 4096;
        std::array<unsigned char, kEdge> bytes{};
        const auto mix = [&](std::size_t got) {
            for (std::size_t i = 0; i < got; ++i) {
                hash = (hash ^ bytes[i]) * 1099511628211ULL;
            }
        };
        mix(std::fread(bytes.data(), 1, bytes.size(), file));
        if (info.st_size > kEdge && std::fseek(file, -kEdge, SEEK_END) == 0) {
            mix(std::fread(bytes.data(), 1, bytes.size(), file));
        }
        std::fclose(file);
    } else {
        return {};
    }
    return path + '\n' + std::to_string(static_cast<long long>(info.st_size)) + '\n' +
           std::to_string(static_cast<long long>(info.st_mtim.tv_sec)) + '.' +
           std::to_string(static_cast<long long>(info.st_mtim.tv_nsec)) + '\n' +
           std::to_string(static_cast<long long>(info.st_ctim.tv_sec)) + '.' +
           std::to_string(static_cast<long long>(info.st_ctim.tv_nsec)) + '\n' +
           std::to_string(static_cast<unsigned long long>(info.st_dev)) + ':' +
           std::to_string(static_cast<unsigned long long>(info.st_ino)) + '\n' + std::to_string(hash) + '\n' +
           (mode == FfmpegFrameIndex::Mode::Packets ? "p" : "d");
}

void FfmpegIndexCache::keep(const std::string& key, const std::shared_ptr<FfmpegFrameIndex>& index)
{
    const auto same = std::find_if(kept_.begin(), kept_.end(), [&](const auto& e) { return e.first == key; });
    if (same != kept_.end()) {
        kept_.erase(same);
    }
    kept_.emplace_back(key, index);
    while (kept_.size() > keep_) {
        kept_.pop_front();
    }
}

std::shared_ptr<FfmpegFrameIndex> FfmpegIndexCache::Get(const std::string& path, FfmpegFrameIndex::Mode mode)
{
    const std::string key = KeyOf(path, mode);
    if (key.empty()) {
        return std::make_shared<FfmpegFrameIndex>(path, mode);
    }
    std::shared_ptr<FfmpegFrameIndex> dropped; // joined outside the lock
    std::lock_guard lock(mutex_);
    std::shared_ptr<FfmpegFrameIndex> index = shared_[key].lock();
    if (!index) {
        index = std::make_shared<FfmpegFrameIndex>(path, mode);
        shared_[key] = index;
    }
    if (keep_ > 0) {
        if (kept_.size() >= keep_) {
            dropped = kept_.front().second;
        }
        keep(key, index);
    }
    for (auto it = shared_.begin(); it != shared_.end();) {
        it = it->second.expired() ? shared_.erase(it) : std::next(it);
    }
    return index;
}
