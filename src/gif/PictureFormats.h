#pragma once

#include "gif/Graphic.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

// The picture formats the program knows: file extensions and clipboard formats with their
// descriptions and factories. One instance lives in main for the whole run.
class TPictureFormats
{
public:
    using TFactory = std::function<std::unique_ptr<TGraphic>()>;

    void RegisterFileFormat(const QString& extension, const QString& description, TFactory factory);
    void RegisterClipboardFormat(const QString& format, TFactory factory);
    void UnregisterAll();
    // Extension without the dot, any case; nullptr when unknown.
    std::unique_ptr<TGraphic> CreateForExtension(const QString& extension) const;
    QString Description(const QString& extension) const;
    std::unique_ptr<TGraphic> CreateForClipboardFormat(const QString& format) const;
    QStringList Extensions() const;
    QStringList ClipboardFormats() const;

    // Set at registration when the screen shows at most 256 colours.
    bool PaletteDisplay = false;

private:
    struct TEntry
    {
        QString Key;
        QString Description;
        TFactory Factory;
    };
    const TEntry* Find(const std::vector<TEntry>& entries, const QString& key) const;

    std::vector<TEntry> FFileFormats;
    std::vector<TEntry> FClipboardFormats;
};

// The clipboard format name GIF bytes are stored under (besides "image/gif").
inline const QString GIFClipboardFormat = QStringLiteral("GIF Image");

// Registers "GIF" ("GIF Image") and "JPG"/"JPEG" ("JPEG Image") and the GIF clipboard format;
// reads whether the screen is a palette display. Needs the application object.
void RegisterPictureFormats(TPictureFormats& formats);
