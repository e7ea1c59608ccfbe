#include "tools/TeamNameEditing.h"

#include <QEvent>
#include <QLineEdit>

TeamNameEditing::TeamNameEditing(QObject* parent, std::function<void(bool)> setKeyPreview)
    : QObject(parent), setKeyPreview_(std::move(setKeyPreview))
{}

void TeamNameEditing::Watch(QLineEdit* edit)
{
    edits_.push_back(edit);
    edit->installEventFilter(this);
}

void TeamNameEditing::BeginEdit(QLineEdit* edit)
{
    setKeyPreview_(false);
    edit->setReadOnly(false);
    edit->setFocus(Qt::MouseFocusReason);
}

void TeamNameEditing::EndEdit(QLineEdit* edit)
{
    edit->setReadOnly(true);
    setKeyPreview_(true);
}

void TeamNameEditing::EndEditing()
{
    for (QLineEdit* edit : edits_) {
        if (!edit->isReadOnly()) {
            EndEdit(edit);
        }
    }
    setKeyPreview_(true);
}

bool TeamNameEditing::eventFilter(QObject* watched, QEvent* event)
{
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (edit == nullptr) {
        return false;
    }
    if (event->type() == QEvent::MouseButtonDblClick) {
        BeginEdit(edit);
    } else if (event->type() == QEvent::FocusOut && !edit->isReadOnly()) {
        EndEdit(edit);
    }
    return false;
}
