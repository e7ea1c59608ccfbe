#pragma once

#include <QIODevice>
#include <QImage>
#include <QRect>

class QPainter;

// A picture format's object: loads and saves its stream form, draws itself and answers its
// size and a still image of itself.
class TGraphic
{
public:
    virtual ~TGraphic() = default;
    virtual void LoadFromStream(QIODevice& stream) = 0;
    virtual void SaveToStream(QIODevice& stream) = 0;
    virtual void Draw(QPainter& canvas, const QRect& rect) = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual bool Empty() const = 0;
    virtual QImage StaticBitmap() = 0;
};
