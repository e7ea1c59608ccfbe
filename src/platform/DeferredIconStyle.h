#pragma once
// The application's style, with the one standard icon that building the main window asks for
// (the menu bar's overflow button, hidden while the menus fit) read only once it is drawn:
// reading it loads every image-format plug-in, a cost the window's first paint need not wait for.
// Everything else is the platform's own style, unchanged.
#include <QProxyStyle>

class DeferredIconStyle : public QProxyStyle
{
public:
    DeferredIconStyle() = default;

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};
