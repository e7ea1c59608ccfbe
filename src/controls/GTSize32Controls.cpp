#include "controls/GTSize32Controls.h"

#include <QHash>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QVariant>
#include <algorithm>
#include <cstring>

namespace {

const char* const AlignProperty = "Align";
const char* const TagProperty = "Tag";
const char* const SpecialProperty = "GTSpecial";

// Compound widgets whose children are Qt's own parts, not controls of the window.
bool IsCompoundClass(const QMetaObject& kind)
{
    static const char* const compound[] = {
        "QAbstractScrollArea", "QComboBox", "QAbstractSpinBox", "QTabBar", "QLineEdit",    "QAbstractSlider",
        "QAbstractButton",     "QMenuBar",  "QCalendarWidget",  "QLabel",  "QProgressBar", "QToolBar"};
    return std::any_of(std::begin(compound), std::end(compound), [&kind](const char* name) {
        for (const QMetaObject* m = &kind; m != nullptr; m = m->superClass()) {
            if (std::strcmp(m->className(), name) == 0) {
                return true;
            }
        }
        return false;
    });
}

// The answer depends on the class alone; a window's few hundred controls are of a dozen classes
// and the scaler walks them many times while the window is built and scaled.
bool IsCompound(const QWidget& w)
{
    static QHash<const QMetaObject*, bool> known;
    const QMetaObject* kind = w.metaObject();
    const auto it = known.constFind(kind);
    if (it != known.constEnd()) {
        return *it;
    }
    return *known.insert(kind, IsCompoundClass(*kind));
}

void Collect(QObject& parent, const QObject* skip, std::vector<QObject*>& out)
{
    for (QObject* child : parent.children()) {
        if (child == skip || qobject_cast<QLayout*>(child) != nullptr) {
            continue;
        }
        if (!child->objectName().startsWith(QLatin1String("qt_"))) {
            out.push_back(child);
        }
        auto* w = qobject_cast<QWidget*>(child);
        if (w != nullptr && !w->isWindow() && !IsCompound(*w)) {
            Collect(*w, skip, out);
        }
    }
}

std::vector<QWidget*> AlignedChildren(QWidget& parent, TAlign align)
{
    std::vector<QWidget*> out;
    for (QObject* child : parent.children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (w != nullptr && !w->isWindow() && !w->isHidden() && GTControls::AlignOf(*w) == align) {
            out.push_back(w);
        }
    }
    return out;
}

} // namespace

namespace GTControls {

void SetAlign(QWidget& control, TAlign align)
{
    control.setProperty(AlignProperty, static_cast<int>(align));
    if (QWidget* parent = control.parentWidget()) {
        AlignControls(*parent);
    }
}

QVariant SettingOf(const QObject& control, const char* name)
{
    return control.dynamicPropertyNames().contains(name) ? control.property(name) : QVariant();
}

TAlign AlignOf(const QWidget& control)
{
    const QVariant v = SettingOf(control, AlignProperty);
    const int value = v.isValid() ? v.toInt() : 0;
    if (value < 0 || value > static_cast<int>(TAlign::alClient)) {
        return TAlign::alNone;
    }
    return static_cast<TAlign>(value);
}

void SetTag(QWidget& control, int tag)
{
    control.setProperty(TagProperty, tag);
}

int TagOf(const QWidget& control)
{
    const QVariant v = SettingOf(control, TagProperty);
    return v.isValid() ? v.toInt() : 0;
}

void SetSpecialKind(QWidget& control, GTSpecialKind kind)
{
    control.setProperty(SpecialProperty, static_cast<int>(kind));
}

GTSpecialKind SpecialKindOf(const QWidget& control)
{
    const QVariant v = SettingOf(control, SpecialProperty);
    const int value = v.isValid() ? v.toInt() : 0;
    if (value < 0 || value > static_cast<int>(GTSpecialKind::GTNavigator)) {
        return GTSpecialKind::None;
    }
    return static_cast<GTSpecialKind>(value);
}

void AlignControls(QWidget& parent)
{
    int left = 0;
    int top = 0;
    int right = parent.width();
    int bottom = parent.height();

    auto tops = AlignedChildren(parent, TAlign::alTop);
    std::stable_sort(tops.begin(), tops.end(), [](QWidget* a, QWidget* b) { return a->y() < b->y(); });
    for (QWidget* w : tops) {
        w->setGeometry(left, top, std::max(0, right - left), w->height());
        top += w->height();
    }
    auto bottoms = AlignedChildren(parent, TAlign::alBottom);
    std::stable_sort(bottoms.begin(), bottoms.end(),
                     [](QWidget* a, QWidget* b) { return a->y() + a->height() > b->y() + b->height(); });
    for (QWidget* w : bottoms) {
        w->setGeometry(left, bottom - w->height(), std::max(0, right - left), w->height());
        bottom -= w->height();
    }
    auto lefts = AlignedChildren(parent, TAlign::alLeft);
    std::stable_sort(lefts.begin(), lefts.end(), [](QWidget* a, QWidget* b) { return a->x() < b->x(); });
    for (QWidget* w : lefts) {
        w->setGeometry(left, top, w->width(), std::max(0, bottom - top));
        left += w->width();
    }
    auto rights = AlignedChildren(parent, TAlign::alRight);
    std::stable_sort(rights.begin(), rights.end(),
                     [](QWidget* a, QWidget* b) { return a->x() + a->width() > b->x() + b->width(); });
    for (QWidget* w : rights) {
        w->setGeometry(right - w->width(), top, w->width(), std::max(0, bottom - top));
        right -= w->width();
    }
    for (QWidget* w : AlignedChildren(parent, TAlign::alClient)) {
        w->setGeometry(left, top, std::max(0, right - left), std::max(0, bottom - top));
    }
}

std::vector<QObject*> ComponentsOf(QWidget& form, const QObject* skip)
{
    std::vector<QObject*> out;
    Collect(form, skip, out);
    return out;
}

bool IsControl(const QObject* object)
{
    const auto* w = qobject_cast<const QWidget*>(object);
    return w != nullptr && !w->isWindow() && qobject_cast<const QMenuBar*>(w) == nullptr;
}

bool IsLaidOut(const QWidget& control)
{
    const QWidget* parent = control.parentWidget();
    return parent != nullptr && (parent->layout() != nullptr || parent->inherits("QSplitter"));
}

bool IsPlainLabel(const QObject* object)
{
    return object != nullptr && object->metaObject() == &QLabel::staticMetaObject;
}

} // namespace GTControls
