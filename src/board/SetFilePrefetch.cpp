#include "board/SetFilePrefetch.h"

#include "board/Board.h"
#include "platform/IniFile.h"

#include <QFile>
#include <QThread>

#include <sys/stat.h>

#include <algorithm>
#include <thread>

namespace SetFilePrefetch {

namespace {

// Size and modification time, straight from the file system (no time zone involved, as the
// thread may run before the application object exists).
struct FileStamp
{
    bool exists = false;
    long long size = 0;
    long long seconds = 0;
    long long nanoseconds = 0;

    static FileStamp Of(const QString& fileName)
    {
        struct stat st{};
        if (::stat(QFile::encodeName(fileName).constData(), &st) != 0) {
            return {};
        }
        return {true, static_cast<long long>(st.st_size), static_cast<long long>(st.st_mtim.tv_sec),
                static_cast<long long>(st.st_mtim.tv_nsec)};
    }
    bool operator==(const FileStamp&) const = default;
};

// One per process, used from one thread (the GUI thread); its reading thread is joined when the
// file is taken, or at exit.
class Prefetch
{
public:
    ~Prefetch() { Join(); }

    void Start(const QString& fileName)
    {
        Join();
        ini_.reset();
        ahead_ = {};
        fileName_ = fileName;
        // Qt takes the first thread that asks for its thread data as the main thread, and the
        // reading thread makes objects (QFile) that ask. Started before the application object,
        // it could win that race: the application then runs outside Qt's main thread and its
        // window may never be painted. The caller asks first.
        QThread::currentThread();
        thread_ = std::thread([this] { Read(); });
    }

    void Join()
    {
        if (thread_.joinable()) {
            thread_.join();
        }
    }

    std::unique_ptr<IniFile> Take(const QString& fileName, ReadOutcome& outcome, ReadAhead* ahead)
    {
        Join();
        ReadAhead pages = std::move(ahead_);
        ahead_ = {};
        if (!ini_ || fileName != fileName_ || FileStamp::Of(fileName) != stamp_) {
            ini_.reset();
            return nullptr;
        }
        outcome = outcome_;
        if (ahead != nullptr) {
            *ahead = std::move(pages);
        }
        return std::move(ini_);
    }

private:
    void Read()
    {
        auto ini = std::make_unique<IniFile>();
        ini->Rename(fileName_, false);
        // Stamped before reading: a file changed while it is read no longer matches.
        stamp_ = FileStamp::Of(fileName_);
        QByteArray bytes;
        outcome_ = ReadSetFileBytes(fileName_, bytes);
        if (outcome_ == ReadOutcome::Read) {
            ini->LoadFromBytes(bytes);
        }
        // The pages as the load would read them (an unreadable file gives none).
        if (outcome_ != ReadOutcome::Unreadable) {
            ReadPages(*ini);
        }
        ini_ = std::move(ini);
    }

    // The groups are shared between this thread and up to three helpers (each reads the pages of
    // its own groups into the one board): the pages are then mostly read before the create step
    // asks for them. A processor is left to the GUI thread, which builds the windows meanwhile.
    // The values that did not convert are kept in reading order.
    void ReadPages(const IniFile& ini)
    {
        const int parts = std::clamp(static_cast<int>(std::thread::hardware_concurrency()) - 1, 1, 4);
        ahead_.pages = std::make_unique<Board>();
        Board& pages = *ahead_.pages;
        std::vector<std::vector<BadSetValue>> bad(static_cast<std::size_t>(parts));
        auto readPart = [&](int part) {
            ReadSetFileGroups(ini, pages, bad[static_cast<std::size_t>(part)], 1 + part * GroupCount / parts,
                              (part + 1) * GroupCount / parts);
        };
        std::vector<std::thread> helpers;
        for (int part = 1; part < parts; ++part) {
            helpers.emplace_back(readPart, part);
        }
        readPart(0);
        for (std::thread& helper : helpers) {
            helper.join();
        }
        for (const std::vector<BadSetValue>& part : bad) {
            ahead_.badValues.insert(ahead_.badValues.end(), part.begin(), part.end());
        }
    }

    std::thread thread_;
    QString fileName_;
    FileStamp stamp_;
    ReadOutcome outcome_ = ReadOutcome::Missing;
    std::unique_ptr<IniFile> ini_;
    ReadAhead ahead_;
};

Prefetch& Instance()
{
    static Prefetch prefetch;
    return prefetch;
}

} // namespace

ReadOutcome ReadSetFileBytes(const QString& fileName, QByteArray& bytes)
{
    QFile file(fileName);
    if (!file.exists()) {
        return ReadOutcome::Missing;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        return ReadOutcome::Unreadable;
    }
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError || bytes.contains('\0')) {
        return ReadOutcome::Unreadable;
    }
    return ReadOutcome::Read;
}

void Start(const QString& fileName)
{
    Instance().Start(fileName);
}

void WaitForRead()
{
    Instance().Join();
}

std::unique_ptr<IniFile> Take(const QString& fileName, ReadOutcome& outcome, ReadAhead* ahead)
{
    return Instance().Take(fileName, outcome, ahead);
}

} // namespace SetFilePrefetch
