#include "platform/ReturnKeyButtons.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPushButton>

namespace {

// Presses the push button that has the focus when Return or Enter goes down on it. Qt's own
// answer to Return on a button is its dialog's default button, which is not the one aimed at.
class FocusedButtonReturn final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress) {
            return false;
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) {
            return false;
        }
        auto* button = qobject_cast<QPushButton*>(watched);
        if (button == nullptr || button->window()->focusWidget() != button) {
            return false;
        }
        if (!key->isAutoRepeat() && button->isEnabled()) {
            button->click();
        }
        return true;
    }
};

} // namespace

void AimReturnAtFocusedButtons(QWidget& window)
{
    // Qt would make the first push button of a dialog, or the last one focused, the default, so
    // Return typed in a field pressed a button the operator never aimed at: only the named
    // default stays one.
    auto* filter = new FocusedButtonReturn(&window);
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
        if (!button->isDefault()) {
            button->setAutoDefault(false);
        }
        button->installEventFilter(filter);
    }
}
