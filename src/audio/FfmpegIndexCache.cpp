#include "FfmpegIndexCache.h"

#include <algorithm>
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
    return path + '\n' + std::to_string(static_cast<long long>(info.st_size)) + '\n' +
           std::to_string(static_cast<long long>(info.st_mtim.tv_sec)) + '.' +
           std::to_string(static_cast<long long>(info.st_mtim.tv_nsec)) + '\n' +
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
