#include "gif/PictureFormats.h"

#include "gif/GifImage.h"
#include "gif/JpegImage.h"

#include <QGuiApplication>
#include <QScreen>

void TPictureFormats::RegisterFileFormat(const QString& extension, const QString& description,
                                         TFactory factory)
{
    FFileFormats.push_back({extension.toUpper(), description, std::move(factory)});
}

void TPictureFormats::RegisterClipboardFormat(const QString& format, TFactory factory)
{
    FClipboardFormats.push_back({format, format, std::move(factory)});
}

void TPictureFormats::UnregisterAll()
{
    FFileFormats.clear();
    FClipboardFormats.clear();
}

const TPictureFormats::TEntry* TPictureFormats::Find(const std::vector<TEntry>& entries,
                                                     const QString& key) const
{
    // The latest registration of a key wins.
    for (auto it = entries.rbegin(); it != entries.rend(); ++it)
        if (it->Key.compare(key, Qt::CaseInsensitive) == 0)
            return &*it;
    return nullptr;
}

std::unique_ptr<TGraphic> TPictureFormats::CreateForExtension(const QString& extension) const
{
    QString key = extension;
    if (key.startsWith('.'))
        key.remove(0, 1);
    const TEntry* entry = Find(FFileFormats, key);
    return entry ? entry->Factory() : nullptr;
}

QString TPictureFormats::Description(const QString& extension) const
{
    const TEntry* entry = Find(FFileFormats, extension.startsWith('.') ? extension.mid(1) : extension);
    return entry ? entry->Description : QString();
}

std::unique_ptr<TGraphic> TPictureFormats::CreateForClipboardFormat(const QString& format) const
{
    const TEntry* entry = Find(FClipboardFormats, format);
    return entry ? entry->Factory() : nullptr;
}

QStringList TPictureFormats::Extensions() const
{
    QStringList keys;
    for (const TEntry& entry : FFileFormats)
        keys.append(entry.Key);
    return keys;
}

QStringList TPictureFormats::ClipboardFormats() const
{
    QStringList keys;
    for (const TEntry& entry : FClipboardFormats)
        keys.append(entry.Key);
    return keys;
}

void RegisterPictureFormats(TPictureFormats& formats)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    formats.PaletteDisplay = screen && screen->depth() < 9;
    const bool paletteDisplay = formats.PaletteDisplay;
    const auto gif = [paletteDisplay]() -> std::unique_ptr<TGraphic> {
        auto picture = std::make_unique<TGIFImage>();
        picture->PaletteDisplay = paletteDisplay;
        return picture;
    };
    formats.RegisterFileFormat(QStringLiteral("GIF"), QStringLiteral("GIF Image"), gif);
    formats.RegisterClipboardFormat(GIFClipboardFormat, gif);
    const auto jpeg = []() -> std::unique_ptr<TGraphic> { return std::make_unique<TJPEGImage>(); };
    formats.RegisterFileFormat(QStringLiteral("JPG"), QStringLiteral("JPEG Image"), jpeg);
    formats.RegisterFileFormat(QStringLiteral("JPEG"), QStringLiteral("JPEG Image"), jpeg);
}
