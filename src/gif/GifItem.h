#pragma once

#include <QIODevice>
#include <QString>

class TGIFImage;

// Base of every block of the picture's tree. The format version a block needs lets the
// writer choose between "87a" and "89a".
class TGIFItem
{
public:
    enum TGIFVersion
    {
        gvUnknown = 0,
        gv87a = 1,
        gv89a = 2
    };

    explicit TGIFItem(TGIFImage* image) : FImage(image) {}
    virtual ~TGIFItem() = default;
    TGIFItem(const TGIFItem&) = delete;
    TGIFItem& operator=(const TGIFItem&) = delete;

    virtual TGIFVersion Version() const { return gv87a; }
    virtual void Warning(const QString& message);
    virtual void SaveToStream(QIODevice& stream) = 0;
    virtual void LoadFromStream(QIODevice& stream) = 0;
    void SaveToFile(const QString& fileName);
    void LoadFromFile(const QString& fileName);

    TGIFImage* Image() const { return FImage; }

protected:
    TGIFImage* FImage;
};
