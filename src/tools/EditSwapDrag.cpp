#include "tools/EditSwapDrag.h"

#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>

namespace {

const QString kMime = QStringLiteral("application/x-rallybox-edit-row");

} // namespace

void EditSwapDrag::Watch(QLineEdit* edit)
{
    edit->setAcceptDrops(true);
    edit->installEventFilter(this);
}

void EditSwapDrag::SwapTexts(QLineEdit* dragged, QLineEdit* target)
{
    if (dragged == nullptr || target == nullptr || dragged == target) {
        return;
    }
    const QString text = dragged->text();
    dragged->setText(target->text());
    target->setText(text);
}

bool EditSwapDrag::eventFilter(QObject* watched, QEvent* event)
{
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (edit == nullptr) {
        return false;
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            pressed_ = edit;
            pressAt_ = mouse->position().toPoint();
        }
        return false;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (pressed_ != edit || !(mouse->buttons() & Qt::LeftButton) ||
            (mouse->position().toPoint() - pressAt_).manhattanLength() < QApplication::startDragDistance()) {
            return false;
        }
        pressed_ = nullptr;
        auto* drag = new QDrag(edit);
        auto* mime = new QMimeData;
        mime->setData(kMime, edit->objectName().toUtf8());
        drag->setMimeData(mime);
        drag->exec(Qt::MoveAction);
        return true;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (drag->mimeData()->hasFormat(kMime)) {
            drag->acceptProposedAction();
            return true;
        }
        return false;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (!drop->mimeData()->hasFormat(kMime)) {
            return false;
        }
        const QString name = QString::fromUtf8(drop->mimeData()->data(kMime));
        QWidget* window = edit->window();
        SwapTexts(window->findChild<QLineEdit*>(name), edit);
        drop->acceptProposedAction();
        return true;
    }
    default:
        return false;
    }
}
