#pragma once

#include "controls/SlideBarTypes.h"
#include "platform/Color.h"

#include <QImage>
#include <QWidget>

#include <functional>

class QTimer;

enum class LedColorType
{
    lctRed,
    lctBlue,
    lctGreen,
    lctyellow,
    lctMangenta,
    lctGrey,
    lctCyan,
    lctWhite,
    lctUser
};

enum class LedStyleType
{
    lstRound,
    lstSquare,
    lstSimpleRound
};

// Asked for the lit or unlit colour of a user-coloured lamp; the colour arrives preset to red.
using zcGetColor = std::function<void(QObject* sender, TColor& color)>;

// A small lamp, lit or unlit in one of eight colours (or the user's), round or square, that can
// blink by itself. The scoreboards write only LEDColor and Enabled; Enabled is the lit state,
// not whether the control takes input.
class TzLed : public QWidget
{
    Q_OBJECT

public:
    static constexpr int DefaultBlinkInterval = 500;

    explicit TzLed(QWidget* parent = nullptr);
    ~TzLed() override;

    bool Enabled() const { return lit_; }
    // An unchanged value does nothing; a change repaints at once and fires OnChange.
    void SetEnabled(bool value);
    LedColorType LEDColor() const { return color_; }
    void SetLEDColor(LedColorType value);
    LedStyleType LedStyle() const { return style_; }
    void SetLedStyle(LedStyleType value);
    bool Blink() const { return blink_; }
    // On starts a timer of BlinkInterval that toggles the lamp; off frees it.
    void SetBlink(bool value);
    int BlinkInterval() const { return blinkInterval_; }
    // A running blink restarts with the new interval.
    void SetBlinkInterval(int value);
    bool SteelLook() const { return steelLook_; }
    void SetSteelLook(bool value);

    // The blink timer's tick: the lit state flips.
    virtual void ToggleLit();
    // Unlit, and the blinking ended (Blink reads false, so it can be started again).
    virtual void SwitchOff();

    // The lit and unlit colours the lamp paints with now ($00BBGGRR).
    TColor OnColor() const;
    TColor OffColor() const;
    // The blink timer while blinking, nullptr otherwise.
    const QTimer* BlinkTimer() const { return timer_; }

    TNotifyEvent OnChange;
    TNotifyEvent OnPaint;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnClick;
    zcGetColor OnGetOnColor;
    zcGetColor OnGetOffColor;

    // The lamp exactly as painted.
    QImage PaintToImage() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void RestartTimer();
    void FreeTimer();
    void PaintBackground(QImage& image) const;
    void PaintRound(QImage& image, int b, TColor lamp) const;
    void PaintSquare(QImage& image, int b, TColor lamp) const;
    void PaintReflection(QImage& image, int b) const;

    bool lit_ = false;
    LedColorType color_ = LedColorType::lctRed;
    LedStyleType style_ = LedStyleType::lstRound;
    bool blink_ = false;
    int blinkInterval_ = DefaultBlinkInterval;
    bool steelLook_ = false;
    QTimer* timer_ = nullptr;
};
