#pragma once
// One captured entry of a scaled window's layout: the bounds rectangle with exclusive right and
// bottom edges, and the font height in pixels (0 when the control follows its parent's font).
// Entry 0 is the window itself; a component that is not a control keeps an all-zero entry.
#include <QLabel>
#include <QObject>
#include <QPointer>

struct Objs
{
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int FontHeight = 0;
    // Tab font of a tabbed notebook; Qt tab bars follow their widget's font, so it stays 0.
    int TabFontHeight = 0;
    // The component the entry belongs to, so the entries stay tied to their controls even when
    // a control is deleted later.
    QPointer<QObject> Component;
};

// The alignment a label had when the layout was captured.
struct LabelAlign
{
    QPointer<QLabel> Label;
    Qt::Alignment Alignment;
};
