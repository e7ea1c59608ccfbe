#pragma once
// Button drag mode: with it on, a sound dragged onto another slot of the page on display swaps
// the two buttons, a sound dragged onto a page button moves to that page, and a page dragged onto
// another page swaps the two pages. Drags use the platform's drag with a MIME type of our own,
// started once the mouse has moved the platform's drag distance; dragged files from other
// programs are not ours and are left to whoever takes them.
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>

#include <functional>

class QMimeData;
class QWidget;
class TForm1;

// What a control of the board is, for a drag: a sound slot (any part of it), a page button, a
// page frame, the page area behind them, or nothing of these.
struct DragRole
{
    enum Kind
    {
        None,
        Slot,
        PageButton,
        PageFrame,
        PageArea
    };
    Kind kind = None;
    int number = 0;

    bool IsPage() const { return kind == PageButton || kind == PageFrame; }
    bool operator==(const DragRole&) const = default;
};

class BoardDragDrop : public QObject
{
    Q_OBJECT
public:
    inline static const QString MimeType = QStringLiteral("application/x-rallybox-board-item");

    explicit BoardDragDrop(TForm1& form);

    // The role of a control, found from its own name or the nearest named container around it.
    static DragRole RoleOf(const QWidget* widget);
    // The drag's payload and its reading back (false for anything that is not a sound or a page).
    static QMimeData* MimeOf(const DragRole& source);
    static bool SourceOf(const QMimeData* data, DragRole& source);

    // Runs the platform's drag of the payload; tests replace it, since the real one waits for the
    // mouse to be released.
    std::function<void(QWidget* source, QMimeData* data)> ExecDrag;

    void ButtonDragModeOnOff1Click();
    // The drop of source on target, in drag mode.
    void Form1HandleDrag(const DragRole& target, const DragRole& source);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Watch(QWidget* widget);
    bool MousePress(QWidget* widget, QEvent* event);
    bool MouseMove(QEvent* event);
    bool DragOver(QEvent* event);
    bool Drop(QWidget* container, QEvent* event);
    void DropSound(const DragRole& target, int source);
    void SwapSounds(int source, int target);
    void SwapPages(int source, int target);
    void PaintDragPanels(bool on);
    void Error(const QString& text);

    TForm1& form_;
    QPointer<QWidget> pressed_;
    QPoint pressPos_;
    DragRole pressRole_;
};
