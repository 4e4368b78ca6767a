#include "pages/SensorScaling.h"

namespace scaling {

int RoundTens(int t, int* pDropped)
{
    const int d = t % 10;
    if (pDropped)
        *pDropped = d;
    return d >= 5 ? t + (10 - d) : t - d;
}

int RoundWhole(double x) { return RoundTens(int(x * 10)) / 10; }

int GainHundredths(double gain)
{
    int t = int(gain * 1000);
    const int d = t % 10;
    if (d >= 5)
        t += 10 - d;
    else if (d <= -5)
        t -= d + 10;
    else
        t -= d;
    return t / 10;
}

GainFromRange GainOfRange(int range, int sensor)
{
    int t = sensor == MilliAmp4To20 ? int(range * 1.25) : range;
    int dropped = 0;
    t = RoundTens(t, &dropped);
    const double gain = t / 1000.0;
    const int hundredths = gain > 10 ? 1000 : gain < -10 ? -1000 : t / 10;
    return {gain, dropped, hundredths};
}

Pt100Row Pt100Scaling(int unit, int resolution)
{
    static const Pt100Row rows[2][2] = {
        {{-50, 200, 0.25, 25, -50}, {-500, 2000, 2.5, 250, -500}},
        {{-58, 392, 0.45, 45, -58}, {-580, 3920, 4.5, 450, -580}},
    };
    return rows[unit == 1 ? 1 : 0][resolution == 1 ? 1 : 0];
}

}  // namespace scaling
