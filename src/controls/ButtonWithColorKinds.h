#pragma once

#include <QImage>
#include <QString>

enum class TBitBtnWithColorKind
{
    bkCustom,
    bkOK,
    bkCancel,
    bkHelp,
    bkYes,
    bkNo,
    bkClose,
    bkAbort,
    bkRetry,
    bkIgnore,
    bkAll
};

// What a predefined kind of colour button brings: its modal result, its caption and its
// two-cell glyph (up and disabled). Glyphs are drawn once and kept for the whole run.
struct TBitBtnKindInfo
{
    int ModalResult;
    const char* ResourceName;
    QString Caption;
};

TBitBtnKindInfo BitBtnKindInfo(TBitBtnWithColorKind kind);
// Two 18 x 18 cells side by side; an empty image for bkCustom.
const QImage& BitBtnKindGlyph(TBitBtnWithColorKind kind);
