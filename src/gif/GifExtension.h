#pragma once

#include "gif/GifItem.h"

#include <QByteArray>
#include <QList>

#include <cstdint>
#include <memory>

class TGIFSubImage;
class TGIFExtension;

// A registered extension "class": how to make one and how to ask it which more specific class
// should read the block at the stream's position.
struct TGIFExtensionClass
{
    using TCreate = std::unique_ptr<TGIFExtension> (*)(TGIFSubImage* frame);
    using TSubClass = const TGIFExtensionClass* (*)(QIODevice& stream);
    const char* Name;
    TCreate Create;
    TSubClass SubClass; // nullptr: the class answers itself
};

class TGIFExtension : public TGIFItem
{
public:
    explicit TGIFExtension(TGIFSubImage* frame);
    virtual std::uint8_t ExtensionType() const = 0;
    virtual const TGIFExtensionClass& Class() const = 0;
    TGIFVersion Version() const override { return gv89a; }
    TGIFSubImage* SubImage() const { return FSubImage; }
    void SaveToStream(QIODevice& stream) override;
    void LoadFromStream(QIODevice& stream) override;

protected:
    virtual void SaveData(QIODevice& stream) = 0;
    virtual void LoadData(QIODevice& stream) = 0;

private:
    TGIFSubImage* FSubImage;
};

class TGIFGraphicControlExtension : public TGIFExtension
{
public:
    static const TGIFExtensionClass ClassInfo;
    explicit TGIFGraphicControlExtension(TGIFSubImage* frame);
    ~TGIFGraphicControlExtension() override;
    std::uint8_t ExtensionType() const override { return 0xF9; }
    const TGIFExtensionClass& Class() const override { return ClassInfo; }

    bool Transparent() const { return (FPacked & 0x01) != 0; }
    void SetTransparent(bool value);
    bool UserInput() const { return (FPacked & 0x02) != 0; }
    void SetUserInput(bool value);
    int Disposal() const { return (FPacked >> 2) & 0x07; }
    void SetDisposal(int method);
    int Delay() const { return FDelay; }
    void SetDelay(int hundredths);
    int TransparentColorIndex() const { return FTransparentColorIndex; }
    void SetTransparentColorIndex(int index);
    // Re-point the transparent index after a table was re-sorted, without the range check.
    void MapTransparentIndex(std::uint8_t index) { FTransparentColorIndex = index; }

protected:
    void SaveData(QIODevice& stream) override;
    void LoadData(QIODevice& stream) override;

private:
    std::uint8_t FPacked = 0;
    std::uint16_t FDelay = 0;
    std::uint8_t FTransparentColorIndex = 0;
};

class TGIFTextExtension : public TGIFExtension
{
public:
    static const TGIFExtensionClass ClassInfo;
    using TGIFExtension::TGIFExtension;
    std::uint8_t ExtensionType() const override { return 0x01; }
    const TGIFExtensionClass& Class() const override { return ClassInfo; }

    std::uint16_t Left = 0, Top = 0, GridWidth = 0, GridHeight = 0;
    std::uint8_t CellWidth = 0, CellHeight = 0, ForegroundColorIndex = 0, BackgroundColorIndex = 0;
    QList<QByteArray> Text;

protected:
    void SaveData(QIODevice& stream) override;
    void LoadData(QIODevice& stream) override;
};

class TGIFCommentExtension : public TGIFExtension
{
public:
    static const TGIFExtensionClass ClassInfo;
    using TGIFExtension::TGIFExtension;
    std::uint8_t ExtensionType() const override { return 0xFE; }
    const TGIFExtensionClass& Class() const override { return ClassInfo; }

    // Comments stay raw bytes: the format fixes no character set.
    QList<QByteArray> Text;

protected:
    void SaveData(QIODevice& stream) override;
    void LoadData(QIODevice& stream) override;
};

// Finds the class that reads the extension block at the stream's position (the position is
// restored); nullptr for a label that no class is registered for.
const TGIFExtensionClass* FindExtensionClass(QIODevice& stream);

// The registry of extension labels; a later registration of the same label wins.
namespace TExtensionList {
void Register(std::uint8_t label, const TGIFExtensionClass* cls);
const TGIFExtensionClass* Find(std::uint8_t label);
} // namespace TExtensionList
