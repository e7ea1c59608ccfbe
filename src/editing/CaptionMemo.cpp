#include "editing/CaptionMemo.h"

#include <QTextBlock>
#include <QTextCursor>

namespace {

int BoardLength(const QString& text)
{
    return static_cast<int>(text.size() + text.count(u'\n'));
}

} // namespace

TCaptionMemo::TCaptionMemo(int maxLength, QWidget* parent) : QTextEdit(parent), maxLength_(maxLength)
{
    setAcceptRichText(false);
    setLineWrapMode(QTextEdit::WidgetWidth);
    connect(this, &QTextEdit::textChanged, this, &TCaptionMemo::Enforce);
}

QString TCaptionMemo::Text() const
{
    return toPlainText();
}

void TCaptionMemo::SetText(const QString& text)
{
    setPlainText(text);
    Enforce();
}

void TCaptionMemo::Enforce()
{
    if (enforcing_) {
        return;
    }
    enforcing_ = true;
    QString text = toPlainText();
    if (BoardLength(text) > maxLength_) {
        while (!text.isEmpty() && BoardLength(text) > maxLength_) {
            text.chop(1);
        }
        setPlainText(text);
        QTextCursor end = textCursor();
        end.movePosition(QTextCursor::End);
        setTextCursor(end);
    }
    // Every paragraph centred, also those typed after the text was set.
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().alignment() != Qt::AlignHCenter) {
            QTextCursor cursor(block);
            QTextBlockFormat format = block.blockFormat();
            format.setAlignment(Qt::AlignHCenter);
            cursor.setBlockFormat(format);
        }
    }
    enforcing_ = false;
}
