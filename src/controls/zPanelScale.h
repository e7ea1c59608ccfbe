#pragma once

#include <vector>

// The needle meter's scale as the marks one percentage step of the range leaves. The scale is
// drawn value by value from Min to Max, and all values of one percentage land on the same pixels,
// so the last of them decides the stroke's colour and the last multiple of the tick step among
// them the tick's. Collecting them per percentage draws exactly the same picture in at most 101
// steps, however wide the range.
struct zPanelScaleMark
{
    int Percent = 0;
    bool StrokeAlert = false;
    bool HasTick = false;
    bool TickAlert = false;
};

struct zPanelScaleInput
{
    int Min = 0;
    int Max = 100;
    int Alert = 75;
    bool UseAlert = true;
    bool Ticks = true;
    int StepPerTick = 10;
};

// (value - Min) x 100 div (Max - Min); 0 for an empty range.
int zPanelPercent(int value, int min, int max);

// The marks in drawing order (rising percentage).
std::vector<zPanelScaleMark> zPanelScaleMarks(const zPanelScaleInput& input);
