#include "controls/ElidedLabel.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QStyle>

#include <algorithm>

TElidedLabel::TElidedLabel(Qt::TextElideMode mode, QWidget* parent) : QLabel(parent), mode_(mode)
{
    setTextFormat(Qt::PlainText);
}

QString TElidedLabel::ShownText() const
{
    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    return fontMetrics().elidedText(text(), mode_, std::max(0, area.width()));
}

void TElidedLabel::paintEvent(QPaintEvent* event)
{
    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    if (fontMetrics().horizontalAdvance(text()) <= area.width()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    style()->drawItemText(&painter, area, QStyle::visualAlignment(layoutDirection(), alignment()), palette(),
                          isEnabled(), ShownText(), foregroundRole());
}

void FitFontToWidth(QWidget& control, const QString& widestText, int gapPx)
{
    QFont font = control.font();
    int pixels = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
    font.setPixelSize(std::max(1, pixels));
    while (pixels > 6 && QFontMetrics(font).horizontalAdvance(widestText) + gapPx > control.width()) {
        font.setPixelSize(--pixels);
    }
    control.setFont(font);
}
