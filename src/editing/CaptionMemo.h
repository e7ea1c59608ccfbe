#pragma once
// The caption memo of the sound-button editor: plain text, centred, at most a given number of
// characters as the board counts them (a line break as the two characters CR LF).
#include <QTextEdit>

class TCaptionMemo : public QTextEdit
{
    Q_OBJECT
public:
    explicit TCaptionMemo(int maxLength, QWidget* parent = nullptr);

    // The text with line breaks as "\n".
    QString Text() const;
    void SetText(const QString& text);

private:
    void Enforce();

    int maxLength_;
    bool enforcing_ = false;
};
