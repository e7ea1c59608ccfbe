#pragma once
// controls/: GTForm (this file, the form scaler); the custom-drawn controls TBitBtnWithColor
// (ButtonWithColor.h), TColorPanel (ColorPanel.h), TClickLabel (ClickLabel.h), TzcPeakOmeter
// (Zseg.h, segmented meter), TzPanelMeter (zPanel.h, needle meter), TzSlideBar (SlideBar.h),
// TzLed (zLed.h), TzShapeBtn (zShapeBtn.h), SteelBrush; PixelPaint draws their pixels.
// The form scaler GTForm: sits on a window, takes over the window's form events and makes every
// control follow the window's size — bounds by the change of client width and height, fonts by
// the change of client height — while keeping the aspect ratio of the captured layout.
//
// A window builds its controls, creates `GTForm1` on itself, binds its own handlers to the
// GTOn... members and then calls FormCreate() once (the form's create event): the scaler fits the
// client to the screen, calls GTOnCreate and only then captures the layout. All other events
// arrive through the event filter. Everything runs on the GUI thread.
#include "controls/GTSize32Objs.h"
#include "controls/GTSize32Shared.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>
#include <typeindex>
#include <vector>

// Dynamic property of a plain label that keeps its scaled size through the aspect pass.
inline constexpr char GTKeepSizeProperty[] = "GTKeepSize";

class GTForm : public QObject
{
    Q_OBJECT
public:
    // Current screen size in pixels; tests pass a fixed one so results do not depend on the machine.
    using ScreenSource = std::function<QSize()>;
    using TNotifyEvent = std::function<void(QWidget* sender)>;
    using TCloseEvent = std::function<void(QWidget* sender, QCloseEvent* event)>;
    // A key handler that accepts the event (event->accept()) keeps it from the window, as setting
    // the key to 0 did; otherwise the window receives it unchanged.
    using TKeyEvent = std::function<void(QWidget* sender, QKeyEvent* event)>;

    GTForm(QWidget& form, GTScalerShared& shared, ScreenSource screen = {});
    ~GTForm() override;
    GTForm(const GTForm&) = delete;
    GTForm& operator=(const GTForm&) = delete;

    // The form's create event; runs once, after the window (its most derived class included) has
    // been built.
    void FormCreate();
    // For a window class derived from the one whose constructor ran the create step: called at
    // the end of the derived constructor, so the scaler keeps forwarding to the finished window.
    void FormBuilt();
    // Puts back the captured layout exactly: client size, window font, every control's bounds and font.
    void RestoreDesignLayout();
    // Factor 450.0 stores the control's font height into the current entry, -450.0 writes it back,
    // any other factor scales it. A control that follows its parent's font is left alone.
    virtual void ScaleControlFont(QWidget* control, double factor);
    // A control's bounds in the captured layout (design coordinates), when it has an entry.
    std::optional<QRect> DesignBounds(const QWidget* control) const;
    // Gives a control new design bounds and the same bounds scaled to the present client, so later
    // rescales and restores keep them.
    void SetDesignBounds(QWidget* control, const QRect& bounds);
    // A font given at the design size, scaled by the rule every scaled control's font follows:
    // its height times the client height over the design client height.
    QFont ScaledFont(const QFont& designFont) const;

    // Settings kept per window.
    bool GTUpdate = false;
    int RtMaximumHeight = 0;
    int RtMinimumHeight = 0;
    int RtMaximumWidth = 0;
    int RtMinimumWidth = 0;
    int RtDisplayHeight = 0;
    int RtDisplayWidth = 0;
    int IgnoreTag = 1;

    bool SameSize() const { return sameSize_; }
    void SetSameSize(bool value);
    // Design screen size and margin, "height-bottom margin" and "width-right margin", e.g. "1080-2".
    QString GTDesignH() const { return designH_; }
    QString GTDesignW() const { return designW_; }
    void SetGTDesignH(const QString& value);
    void SetGTDesignW(const QString& value);
    // Design client size; setting either also sets the window's client size.
    int GTClientHeight() const { return clientHeightDesign_; }
    int GTClientWidth() const { return clientWidthDesign_; }
    void SetGTClientHeight(int value);
    void SetGTClientWidth(int value);
    // Whether resizes of the window are rescaled; follows activation.
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value) { enabled_ = value; }
    bool Active() const { return active_; }

    // The window's own handlers, called with the window as sender after the scaler's own work.
    TNotifyEvent GTOnActivate;
    TCloseEvent GTOnClose;
    TNotifyEvent GTOnCreate;
    TNotifyEvent GTOnDeactivate;
    TNotifyEvent GTOnHide;
    TKeyEvent GTOnKeyDown;
    TKeyEvent GTOnKeyUp;
    TNotifyEvent GTOnPaint;
    TNotifyEvent GTOnResize;
    TNotifyEvent GTOnShow;

    // Read access for checks and for windows that lay out around the scaler.
    const std::vector<Objs>& Layout() const { return layout_; }
    QSize ReferenceClientSize() const { return {refWidth_, refHeight_}; }
    double AspectRatio() const { return aspectRatio_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Event forwarding and the create sequence (GTSize32.cpp).
    bool Forward(QEvent* event);
    bool ForwardKey(const TKeyEvent& handler, QKeyEvent* event);
    void OnActivate();
    void OnDeactivate();
    void OnShow();
    void AdaptToScreen();
    void SetActive(bool value);
    bool NormalState() const;
    QSize Screen() const;

    // Capture and restore (GTSize32Layout.cpp).
    void RecordReferenceSize();
    void MeasureMargins();
    void ReadDesignStrings();
    void FitClientToScreen();
    void CaptureLayout();
    void RebuildLayout();
    void RestorePass();
    void StoreReference();
    void ComputeMinimumSizes();
    std::vector<QObject*> Components() const;
    int FormFontHeight() const;
    void SetFormFontHeight(int height);
    int ClientWidth() const;
    int ClientHeight() const;
    bool SizeFixedByWindowManager() const;
    void SetClientWidth(int width);
    void SetClientHeight(int height);
    void SetClientSize(int width, int height);
    int NonClientHeight() const;
    QPointer<QWidget> FocusedControl() const;
    void RestoreFocus(const QPointer<QWidget>& control) const;

    // Rescaling (GTSize32Rescale.cpp).
    void FormResize();
    void CatchUpWithClientSize();
    void AspectRescale();
    void CheckChangedScreen();
    void FullRescale();
    void RestoreKeepingClient();
    void MinimumClientHeight(int threshold, const QPointer<QWidget>& focus);
    void ScaleToClient(int threshold);
    void EnforceMinimumSize();
    void ScaleControls(double factor);
    void ScaleRectHorizontally(int& left, int& right, int oldSize, int newSize) const;
    void ScaleRectVertically(int& top, int& bottom, int oldSize, int newSize) const;
    void AutoSizeLabels();
    void PlaceLabels();

    QPointer<QWidget> form_;
    // The window's own class, taken when it is complete (at create).
    std::type_index formType_ = typeid(QWidget);
    GTScalerShared& shared_;
    ScreenSource screen_;

    bool created_ = false;
    bool sameSize_ = false;
    QString designH_;
    QString designW_;
    int clientHeightDesign_ = 0;
    int clientWidthDesign_ = 0;
    bool enabled_ = false;
    bool active_ = false;

    int screenWidth_ = 0;
    int screenHeight_ = 0;
    int refWidth_ = 0;
    int refHeight_ = 0;
    double refFontHeight_ = 0.0;
    double aspectRatio_ = 0.0;
    int baseNonClientHeight_ = 0;
    int extraNonClientHeight_ = 0;
    int rightMargin_ = 0;
    int bottomMargin_ = 0;
    int extentRight_ = 0;
    int extentBottom_ = 0;
    int designScreenWidth_ = 0;
    int designScreenHeight_ = 0;

    bool inResize_ = false;
    bool inFullRescale_ = false;
    bool inAspectPass_ = false;
    bool maximizedTransition_ = false;
    bool aspectStepPending_ = false;
    bool screenChange_ = false;
    bool minimumEnforced_ = false;
    bool labelsAutoSize_ = false;

    int specialLeft_ = 0;
    int specialTop_ = 0;
    int specialRight_ = 0;
    int specialBottom_ = 0;
    int minimumHeight_ = 0;
    int minimumWidth_ = 0;
    double heightRatio_ = 0.0;
    double widthRatio_ = 0.0;

    std::vector<Objs> layout_;
    std::vector<LabelAlign> labels_;
    Objs* current_ = nullptr;
};
