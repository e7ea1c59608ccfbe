#include "platform/DeferredIconStyle.h"

#include <QIconEngine>
#include <QPainter>
#include <QPointer>

#include <optional>

namespace {

// Stands for a standard icon of a style until the icon is first wanted; then it is read from the
// style and answers as that icon.
class DeferredIconEngine final : public QIconEngine
{
public:
    DeferredIconEngine(QStyle* style, QStyle::StandardPixmap which) : style_(style), which_(which) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().pixmap(size, mode, state);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return Icon().pixmap(size, scale, mode, state);
    }

    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().actualSize(size, mode, state);
    }

    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().availableSizes(mode, state);
    }

    // The styles all have this icon; asking must not read it.
    bool isNull() override { return false; }

    QString key() const override { return QStringLiteral("DeferredIconEngine"); }

    QIconEngine* clone() const override
    {
        auto* copy = new DeferredIconEngine(style_, which_);
        copy->icon_ = icon_;
        return copy;
    }

private:
    const QIcon& Icon()
    {
        if (!icon_) {
            icon_ = style_ ? style_->standardIcon(which_) : QIcon();
        }
        return *icon_;
    }

    QPointer<QStyle> style_;
    QStyle::StandardPixmap which_;
    std::optional<QIcon> icon_;
};

} // namespace

QIcon DeferredIconStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption* option,
                                      const QWidget* widget) const
{
    if (standardIcon == SP_ToolBarHorizontalExtensionButton && option == nullptr) {
        return QIcon(new DeferredIconEngine(baseStyle(), standardIcon));
    }
    return QProxyStyle::standardIcon(standardIcon, option, widget);
}
