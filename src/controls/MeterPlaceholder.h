#pragma once
// Stands in for a level meter (segmented bar or needle) until the meter controls exist: it keeps
// the settings the start-up gives a meter and paints a plain housing, so the window's layout
// and the start-up steps that configure the meters are already in place.
#include "platform/Color.h"
#include <QWidget>

class TMeterPlaceholder : public QWidget
{
    Q_OBJECT
public:
    explicit TMeterPlaceholder(QWidget* parent = nullptr);

    // Bar meters: segment positions where yellow and red begin.
    int YellowPosition = 0;
    int RedPosition = 0;
    // Needle meters: the alert level.
    int AlertLevel = 0;

    TColor Color() const { return color_; }
    void SetColor(TColor color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TColor color_ = clBtnFace;
};
