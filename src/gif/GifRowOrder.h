#pragma once

// The order in which a frame's rows travel in the stream: top to bottom, or GIF's four
// interlace passes (rows 0, 8, 16, ...; 4, 12, ...; 2, 6, ...; 1, 3, 5, ...). Shared by the
// decoder and the encoders so both walk the same rows exactly once.
class TGIFRowOrder
{
public:
    TGIFRowOrder(int height, bool interlaced) : FHeight(height), FInterlaced(interlaced)
    {
        if (FInterlaced)
            SkipEmptyPasses();
    }
    bool Done() const { return FRow >= FHeight || FHeight <= 0; }
    int Row() const { return FRow; }
    void Next()
    {
        if (!FInterlaced) {
            ++FRow;
            return;
        }
        FRow += Step(FPass);
        SkipEmptyPasses();
    }

private:
    static int Start(int pass) { return pass == 0 ? 0 : 8 >> pass; }
    static int Step(int pass) { return pass == 0 ? 8 : 16 >> pass; }
    void SkipEmptyPasses()
    {
        while (FRow >= FHeight && FPass < 3) {
            ++FPass;
            FRow = Start(FPass);
        }
    }

    int FHeight;
    bool FInterlaced;
    int FPass = 0;
    int FRow = 0;
};
