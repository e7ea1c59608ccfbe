#include "board/MainFormButtons.h"

#include "controls/ButtonWithColor.h"

TBitBtnWithColor* NewColorButton(QWidget* parent)
{
    return new TBitBtnWithColor(parent);
}

TBitBtnWithColor* FindColorButton(QObject* window, const QString& name)
{
    return window->findChild<TBitBtnWithColor*>(name);
}

QPushButton* AsPushButton(TBitBtnWithColor* button)
{
    return button;
}

TColor FaceOf(const TBitBtnWithColor* button)
{
    return button->Color();
}

void SetFace(TBitBtnWithColor* button, TColor color)
{
    button->SetColor(color);
}

TColor FontColorOf(const TBitBtnWithColor* button)
{
    return button->FontColor();
}

void SetButtonFontColor(TBitBtnWithColor* button, TColor color)
{
    button->SetFontColor(color);
}
