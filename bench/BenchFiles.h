#pragma once
// Sound files for the engine benchmarks, made once per run with the ffmpeg command-line tool in a
// folder of this process, and fresh copies of them that are truly cold: written out and dropped
// from the page cache, so the first read goes to the disk as for a file not touched since boot.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace bench_files {

inline constexpr int kSeconds = 20;

// On the disk, not in a memory file system: there pages cannot be dropped.
inline std::string Folder()
{
    static const std::string folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "rbx_bench_XXXXXX").string();
        const char* made = mkdtemp(pattern.data());
        return std::string(made != nullptr ? made : "/tmp");
    }();
    return folder;
}

inline void RemoveFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(Folder(), ignored);
}

// A 20 s stereo 44.1 kHz music-like signal (a tone over pink noise) in the given format; empty
// when ffmpeg cannot make it.
inline std::string File(const std::string& ext)
{
    const std::string path = Folder() + "/chain." + ext;
    if (std::filesystem::exists(path)) {
        return path;
    }
    const std::string seconds = std::to_string(kSeconds);
    const std::string cmd = "ffmpeg -nostdin -loglevel error -y -f lavfi -i \"sine=frequency=440:duration=" +
                            seconds + ":sample_rate=44100\" -f lavfi -i \"anoisesrc=d=" + seconds +
                            ":c=pink:r=44100:a=0.1\" -filter_complex amerge=inputs=2 -ac 2 \"" + path + "\"";
    return std::system(cmd.c_str()) == 0 ? path : std::string();
}

// Drops a file's pages from the page cache (after writing them out: dirty pages stay).
inline bool DropFromCache(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) {
        return false;
    }
    const bool dropped = ::fdatasync(fd) == 0 && ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED) == 0;
    ::close(fd);
    return dropped;
}

// A copy under a new name (nothing in this process knows it yet); with `cold` its pages are
// dropped from the cache. Empty on failure.
inline std::string FreshCopy(const std::string& path, bool cold)
{
    static int copies = 0;
    const std::string copy = Folder() + "/copy-" + std::to_string(++copies) + "-" +
                             std::filesystem::path(path).filename().string();
    std::error_code error;
    std::filesystem::copy_file(path, copy, std::filesystem::copy_options::overwrite_existing, error);
    if (error || (cold && !DropFromCache(copy))) {
        return {};
    }
    return copy;
}

} // namespace bench_files
