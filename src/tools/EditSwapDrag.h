#pragma once
// Rows of the lineup and roster windows are rearranged by dragging one edit onto another: the
// two texts change places.
#include <QObject>
#include <QPoint>

class QLineEdit;

class EditSwapDrag final : public QObject
{
    Q_OBJECT
public:
    explicit EditSwapDrag(QObject* parent) : QObject(parent) {}
    void Watch(QLineEdit* edit);
    // The drop of one edit on another (HandleDrag).
    static void SwapTexts(QLineEdit* dragged, QLineEdit* target);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* pressed_ = nullptr;
    QPoint pressAt_;
};
