#pragma once

#include "gif/GifExtension.h"

#include <array>

// Application extension: a first block (normally 11 bytes: 8 of application name and 3 of
// authentication code) and the application's data sub-blocks.
class TGIFApplicationExtension : public TGIFExtension
{
public:
    static const TGIFExtensionClass ClassInfo;
    using TIdentifier = std::array<char, 11>;

    explicit TGIFApplicationExtension(TGIFSubImage* frame);
    std::uint8_t ExtensionType() const override { return 0xFF; }
    TIdentifier Identifier() const;
    void SetIdentifier(const QByteArray& elevenBytes);
    // The first block as it was on file; any size is kept so that unusual blocks survive.
    QByteArray FirstBlock() const { return FFirstBlock; }

protected:
    void SaveData(QIODevice& stream) override;
    void LoadData(QIODevice& stream) override;
    virtual void SaveApplicationData(QIODevice& stream) = 0;
    virtual void LoadApplicationData(QIODevice& stream) = 0;

private:
    QByteArray FFirstBlock;
};

// Application data no class is registered for, kept as its raw sub-blocks.
class TGIFUnknownAppExtension : public TGIFApplicationExtension
{
public:
    static const TGIFExtensionClass ClassInfo;
    using TGIFApplicationExtension::TGIFApplicationExtension;
    const TGIFExtensionClass& Class() const override { return ClassInfo; }
    QList<QByteArray> Blocks;

protected:
    void SaveApplicationData(QIODevice& stream) override;
    void LoadApplicationData(QIODevice& stream) override;
};

// "NETSCAPE2.0" loop count (0 = forever) and the optional buffer size.
class TGIFAppExtNSLoop : public TGIFApplicationExtension
{
public:
    static const TGIFExtensionClass ClassInfo;
    explicit TGIFAppExtNSLoop(TGIFSubImage* frame);
    const TGIFExtensionClass& Class() const override { return ClassInfo; }
    std::uint16_t Loops = 0;
    std::uint32_t BufferSize = 0;

protected:
    void SaveApplicationData(QIODevice& stream) override;
    void LoadApplicationData(QIODevice& stream) override;
};

// The registry of application identifiers; a later registration of the same identifier wins.
namespace TAppExtensionList {
void Register(const QByteArray& identifier, const TGIFExtensionClass* cls);
const TGIFExtensionClass* Find(const QByteArray& identifier);
} // namespace TAppExtensionList
