#include "gif/GifAppExtension.h"

#include "gif/GifError.h"
#include "gif/GifIo.h"

#include <mutex>
#include <utility>
#include <vector>

namespace {

template <class T> std::unique_ptr<TGIFExtension> Make(TGIFSubImage* frame)
{
    return std::make_unique<T>(frame);
}

const TGIFExtensionClass* ApplicationSubClass(QIODevice& stream)
{
    // Only a first block of exactly 11 bytes names an application; any other size is kept as
    // unknown application data so that reading never fails on it.
    std::uint8_t size = 0;
    if (!GifIo::ReadByte(stream, size) || size != 11)
        return &TGIFUnknownAppExtension::ClassInfo;
    const QByteArray identifier = stream.read(11);
    if (identifier.size() != 11)
        return &TGIFUnknownAppExtension::ClassInfo;
    const TGIFExtensionClass* cls = TAppExtensionList::Find(identifier);
    return cls ? cls : &TGIFUnknownAppExtension::ClassInfo;
}

} // namespace

const TGIFExtensionClass TGIFApplicationExtension::ClassInfo{"TGIFApplicationExtension", nullptr,
                                                             &ApplicationSubClass};
const TGIFExtensionClass TGIFUnknownAppExtension::ClassInfo{"TGIFUnknownAppExtension",
                                                            &Make<TGIFUnknownAppExtension>, nullptr};
const TGIFExtensionClass TGIFAppExtNSLoop::ClassInfo{"TGIFAppExtNSLoop", &Make<TGIFAppExtNSLoop>, nullptr};

TGIFApplicationExtension::TGIFApplicationExtension(TGIFSubImage* frame)
    : TGIFExtension(frame), FFirstBlock(11, '\0')
{}

TGIFApplicationExtension::TIdentifier TGIFApplicationExtension::Identifier() const
{
    TIdentifier id{};
    for (qsizetype i = 0; i < std::min<qsizetype>(11, FFirstBlock.size()); ++i)
        id[std::size_t(i)] = FFirstBlock[i];
    return id;
}

void TGIFApplicationExtension::SetIdentifier(const QByteArray& elevenBytes)
{
    FFirstBlock = elevenBytes.left(11);
    FFirstBlock.resize(11, '\0');
}

void TGIFApplicationExtension::SaveData(QIODevice& stream)
{
    GifIo::WriteByte(stream, static_cast<std::uint8_t>(FFirstBlock.size()));
    GifIo::Write(stream, FFirstBlock.constData(), FFirstBlock.size());
    SaveApplicationData(stream);
}

void TGIFApplicationExtension::LoadData(QIODevice& stream)
{
    std::uint8_t size = 0;
    if (!GifIo::ReadByte(stream, size))
        RaiseGifError(QStringLiteral("Premature end of data"));
    FFirstBlock = GifIo::ReadExact(stream, size);
    if (size != 0) // a first sub-block of size 0 ends the block
        LoadApplicationData(stream);
}

void TGIFUnknownAppExtension::SaveApplicationData(QIODevice& stream)
{
    for (const QByteArray& block : Blocks) {
        GifIo::WriteByte(stream, static_cast<std::uint8_t>(block.size()));
        GifIo::Write(stream, block.constData(), block.size());
    }
    GifIo::WriteByte(stream, 0);
}

void TGIFUnknownAppExtension::LoadApplicationData(QIODevice& stream)
{
    Blocks = GifIo::ReadStrings(stream);
}

TGIFAppExtNSLoop::TGIFAppExtNSLoop(TGIFSubImage* frame) : TGIFApplicationExtension(frame)
{
    SetIdentifier(QByteArrayLiteral("NETSCAPE2.0"));
}

void TGIFAppExtNSLoop::SaveApplicationData(QIODevice& stream)
{
    std::uint8_t loop[4] = {3, 1, 0, 0};
    GifIo::Put16(loop + 2, Loops);
    GifIo::Write(stream, loop, 4);
    if (BufferSize != 0) {
        std::uint8_t buffer[6] = {5, 2};
        GifIo::Put32(buffer + 2, BufferSize);
        GifIo::Write(stream, buffer, 6);
    }
    GifIo::WriteByte(stream, 0);
}

void TGIFAppExtNSLoop::LoadApplicationData(QIODevice& stream)
{
    std::uint8_t size = 0;
    while (GifIo::ReadByte(stream, size) && size != 0) {
        const QByteArray block = GifIo::ReadExact(stream, size);
        const auto* b = reinterpret_cast<const std::uint8_t*>(block.constData());
        // A sub-block too short for its value is passed over, as other readers do: the
        // picture itself is sound.
        switch (b[0] & 0x07) {
        case 1:
            if (size >= 3)
                Loops = GifIo::Get16(b + 1);
            break;
        case 2:
            if (size >= 5)
                BufferSize = GifIo::Get32(b + 1);
            break;
        default:
            break;
        }
    }
}

namespace {

struct TIdRegistry
{
    std::mutex Lock;
    std::vector<std::pair<QByteArray, const TGIFExtensionClass*>> Entries{
        {QByteArrayLiteral("NETSCAPE2.0"), &TGIFAppExtNSLoop::ClassInfo},
        {QByteArrayLiteral("ANIMEXTS1.0"), &TGIFAppExtNSLoop::ClassInfo}};
};

TIdRegistry& Ids()
{
    static TIdRegistry registry;
    return registry;
}

} // namespace

void TAppExtensionList::Register(const QByteArray& identifier, const TGIFExtensionClass* cls)
{
    std::lock_guard lock(Ids().Lock);
    Ids().Entries.emplace_back(identifier.left(11), cls);
}

const TGIFExtensionClass* TAppExtensionList::Find(const QByteArray& identifier)
{
    std::lock_guard lock(Ids().Lock);
    const auto& entries = Ids().Entries;
    for (auto it = entries.rbegin(); it != entries.rend(); ++it)
        if (it->first == identifier)
            return it->second;
    return nullptr;
}
