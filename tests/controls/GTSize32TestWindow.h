#pragma once
// A small scaled window for the form scaler's tests: a 400 x 320 client whose right-most and
// bottom-most control leave the design margins (8 and 10 pixels on a 1920 x 1080 design screen),
// on a screen whose size the test chooses.
#include "controls/GTSize32.h"

#include <QFrame>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

class GTSize32TestWindow : public QWidget
{
public:
    explicit GTSize32TestWindow(QSize screen = QSize(1920, 1080)) : screenSize(screen)
    {
        setFont(PixelFont(11));
        resize(300, 200);
        button = new QPushButton(QStringLiteral("Go"), this);
        button->setGeometry(10, 10, 100, 30);
        button->setFont(PixelFont(12));
        timer = new QTimer(this);
        plain = new QPushButton(QStringLiteral("Plain"), this);
        plain->setGeometry(10, 100, 80, 25);
        panel = new QFrame(this);
        panel->setGeometry(200, 50, 192, 260);
        inner = new QPushButton(QStringLiteral("In"), panel);
        inner->setGeometry(8, 8, 40, 20);
        inner->setFont(PixelFont(10));

        GTForm1 = new GTForm(*this, shared, [this] { return screenSize; });
        GTForm1->SetGTDesignW(QStringLiteral("1920-8"));
        GTForm1->SetGTDesignH(QStringLiteral("1080-10"));
        GTForm1->SetGTClientWidth(400);
        GTForm1->SetGTClientHeight(320);
    }

    static QFont PixelFont(int pixels)
    {
        QFont font;
        font.setPixelSize(pixels);
        return font;
    }

    static int FontPixels(const QWidget* widget) { return widget->font().pixelSize(); }

    // Shows the window and makes it the active one, as the user's click would.
    void ShowActive()
    {
        show();
        activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(this, 5000));
    }

    GTScalerShared shared;
    QSize screenSize;
    QPushButton* button = nullptr;
    QPushButton* plain = nullptr;
    QFrame* panel = nullptr;
    QPushButton* inner = nullptr;
    QTimer* timer = nullptr;
    GTForm* GTForm1 = nullptr;
};
