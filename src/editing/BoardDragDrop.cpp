// Drag mode's switch, the drag itself (start after the drag distance, the private MIME type) and
// the drop on the board's controls.
#include "editing/BoardDragDrop.h"

#include "board/Board.h"
#include "board/MainForm.h"
#include "board/MainFormButtons.h"
#include "board/MainFormContext.h"
#include "board/Selection.h"
#include "board/Settings.h"
#include "controls/ColorPanel.h"

#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>

#include <exception>

BoardDragDrop::BoardDragDrop(TForm1& form) : QObject(&form), form_(form)
{
    ExecDrag = [](QWidget* source, QMimeData* data) {
        auto* drag = new QDrag(source);
        drag->setMimeData(data);
        drag->exec(Qt::MoveAction);
    };
    for (QWidget* container : {static_cast<QWidget*>(form.Panel54), static_cast<QWidget*>(form.PanelPages)}) {
        container->setAcceptDrops(true);
        Watch(container);
        for (QWidget* child : container->findChildren<QWidget*>()) {
            Watch(child);
        }
    }
}

void BoardDragDrop::Watch(QWidget* widget)
{
    widget->installEventFilter(this);
}

DragRole BoardDragDrop::RoleOf(const QWidget* widget)
{
    static const QRegularExpression named(QStringLiteral("^(Panel|PageButton|PanelPage)(\\d+)$"));
    for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        const QString name = w->objectName();
        if (name == QStringLiteral("PanelPages")) {
            return {DragRole::PageArea, 0};
        }
        const QRegularExpressionMatch match = named.match(name);
        if (!match.hasMatch()) {
            continue;
        }
        const int number = match.captured(2).toInt();
        const QString kind = match.captured(1);
        if (kind == QStringLiteral("Panel")) {
            // Panel1..Panel48 are the slots; the higher numbers are the window's own panels.
            if (number >= 1 && number <= ButtonCount) {
                return {DragRole::Slot, number};
            }
            return {};
        }
        if (number >= 1 && number <= PageButtonCount) {
            return {kind == QStringLiteral("PageButton") ? DragRole::PageButton : DragRole::PageFrame,
                    number};
        }
        return {};
    }
    return {};
}

QMimeData* BoardDragDrop::MimeOf(const DragRole& source)
{
    auto* data = new QMimeData;
    const QString kind = source.kind == DragRole::Slot ? QStringLiteral("sound") : QStringLiteral("page");
    data->setData(MimeType, (kind + QLatin1Char(' ') + QString::number(source.number)).toUtf8());
    return data;
}

bool BoardDragDrop::SourceOf(const QMimeData* data, DragRole& source)
{
    if (data == nullptr || !data->hasFormat(MimeType)) {
        return false;
    }
    const QStringList parts = QString::fromUtf8(data->data(MimeType)).split(QLatin1Char(' '));
    if (parts.size() != 2) {
        return false;
    }
    bool ok = false;
    const int number = parts.at(1).toInt(&ok);
    if (parts.at(0) == QStringLiteral("sound") && ok && number >= 1 && number <= ButtonCount) {
        source = {DragRole::Slot, number};
        return true;
    }
    if (parts.at(0) == QStringLiteral("page") && ok && number >= 1 && number <= PageButtonCount) {
        source = {DragRole::PageButton, number};
        return true;
    }
    return false;
}

bool BoardDragDrop::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr) {
        return false;
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        return MousePress(widget, event);
    case QEvent::MouseMove:
        return MouseMove(event);
    case QEvent::MouseButtonRelease:
        pressed_ = nullptr;
        return false;
    case QEvent::DragEnter:
    case QEvent::DragMove:
        return DragOver(event);
    case QEvent::Drop:
        return Drop(widget, event);
    default:
        return false;
    }
}

bool BoardDragDrop::MousePress(QWidget* widget, QEvent* event)
{
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (!form_.ButtonDragMode || mouse->button() != Qt::LeftButton) {
        pressed_ = nullptr;
        return false;
    }
    // A press that a control leaves alone travels on to its parents: the slot or page it belongs
    // to keeps it, the board's background does not take it away.
    const DragRole role = RoleOf(widget);
    if (role.kind != DragRole::Slot && !role.IsPage()) {
        return false;
    }
    // The control pressed first keeps the drag; its parents see the same press as it travels on.
    if (pressed_.isNull() || !(RoleOf(pressed_) == role)) {
        pressed_ = widget;
    }
    pressPos_ = mouse->globalPosition().toPoint();
    pressRole_ = role;
    return false;
}

bool BoardDragDrop::MouseMove(QEvent* event)
{
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (pressed_.isNull() || !form_.ButtonDragMode || !(mouse->buttons() & Qt::LeftButton)) {
        return false;
    }
    if ((mouse->globalPosition().toPoint() - pressPos_).manhattanLength() <
        QApplication::startDragDistance()) {
        return false;
    }
    QWidget* source = pressed_;
    pressed_ = nullptr;
    ExecDrag(source, MimeOf(pressRole_));
    return true;
}

bool BoardDragDrop::DragOver(QEvent* event)
{
    auto* drag = static_cast<QDropEvent*>(event);
    // Only our own drags; anything else passes on untouched.
    if (!drag->mimeData()->hasFormat(MimeType)) {
        return false;
    }
    if (form_.ButtonDragMode) {
        drag->acceptProposedAction();
    } else {
        drag->ignore();
    }
    return true;
}

bool BoardDragDrop::Drop(QWidget* container, QEvent* event)
{
    auto* drop = static_cast<QDropEvent*>(event);
    DragRole source;
    if (!SourceOf(drop->mimeData(), source)) {
        return false;
    }
    drop->acceptProposedAction();
    QWidget* under = container->childAt(drop->position().toPoint());
    Form1HandleDrag(RoleOf(under != nullptr ? under : container), source);
    return true;
}
