#pragma once
// What the form scaler needs to know about the controls of a window: which objects count as the
// window's components (in creation order), which of them are controls whose bounds it may set,
// and the per-control settings the class library kept on each control (alignment, tag and the
// kind of the few controls with a minimum size). Qt has no such properties, so they live in
// dynamic properties of the widget.
#include <QObject>
#include <QVariant>
#include <QWidget>
#include <vector>

enum class TAlign
{
    alNone,
    alTop,
    alBottom,
    alLeft,
    alRight,
    alClient
};

// Controls whose scaled size must not fall below a floor (the main window's hidden media player,
// record navigators).
enum class GTSpecialKind
{
    None,
    MediaPlayer,
    DBNavigator,
    GTNavigator
};

namespace GTControls {

// Sets the alignment and lays out the parent's aligned controls at once.
void SetAlign(QWidget& control, TAlign align);
TAlign AlignOf(const QWidget& control);

// A setting kept on the control (a dynamic property), or an invalid value when it has none. Read
// among the control's own settings alone: QObject::property first looks the name up among every
// property its classes declare, and the scaler reads these for each control on every pass.
QVariant SettingOf(const QObject& control, const char* name);

void SetTag(QWidget& control, int tag);
int TagOf(const QWidget& control);

void SetSpecialKind(QWidget& control, GTSpecialKind kind);
GTSpecialKind SpecialKindOf(const QWidget& control);

// Places the parent's visible aligned children the way the class library does: top-aligned
// ones stacked from the top (in order of their tops), then bottom, left, right, and the client
// ones filling what is left.
void AlignControls(QWidget& parent);

// Every object the window owns that a designer would have placed, parents before their
// children: child widgets of the window and of plain containers (panels, group boxes, pages),
// and non-widget objects such as timers. Qt's own inner parts of compound widgets and layouts
// are left out, and so is `skip` (the scaler itself).
std::vector<QObject*> ComponentsOf(QWidget& form, const QObject* skip);

// A widget inside the window (not a window or dialog of its own, not a menu bar).
bool IsControl(const QObject* object);

// A widget whose geometry a Qt layout or splitter owns: the scaler leaves its bounds alone.
bool IsLaidOut(const QWidget& control);

// A plain label (exactly QLabel); labels made into other controls are not resized to their text.
bool IsPlainLabel(const QObject* object);

} // namespace GTControls
