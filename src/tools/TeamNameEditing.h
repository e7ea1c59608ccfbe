#pragma once
// Typing a team name on a scoreboard: a double-click makes the name edit writable and stops the
// window's hot keys; leaving the edit (or closing the window) makes it read-only and starts them
// again, so letters typed into a name never fire sounds.
#include <QObject>

#include <functional>
#include <vector>

class QLineEdit;

class TeamNameEditing final : public QObject
{
    Q_OBJECT
public:
    TeamNameEditing(QObject* parent, std::function<void(bool keyPreview)> setKeyPreview);
    void Watch(QLineEdit* edit);
    // Ends any name edit in progress; the window's close calls this.
    void EndEditing();

    // The double-click and leave handlers of an edit.
    void BeginEdit(QLineEdit* edit);
    void EndEdit(QLineEdit* edit);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(bool)> setKeyPreview_;
    std::vector<QLineEdit*> edits_;
};
