// The arithmetic of an analog block's sensor scaling: process value = input x gain + offset,
// with the input's full scale at 1000 steps. The pages derive gain and offset from a measuring
// range and the range from gain and offset with these roundings.
#pragma once

namespace scaling {

// Sensor kinds, the index of the page's sensor list.
enum Sensor { Volt10 = 0, MilliAmp20 = 1, MilliAmp4To20 = 2, Pt100 = 3, NoSensor = 4 };

// Rounding to tens: the last digit (with the sign of t) is dropped, and 5 or more rounds up; so
// negative values are cut toward zero. *pDropped (when given) receives that digit.
int RoundTens(int t, int* pDropped = nullptr);
// Whole rounding of a real: RoundTens of x x 10 truncated, divided by 10.
int RoundWhole(double x);
// The gain in hundredths, rounded half away from zero.
int GainHundredths(double gain);

struct GainFromRange {
    double gain;      // t / 1000
    int dropped;      // the digit the rounding to tens dropped
    int hundredths;   // the hidden gain value: 1000 above 10, -1000 below -10, else t / 10
};
// Gain of a range (maximum - minimum) for sensor 0/1 (t = range) or 2 (t = range x 1.25).
GainFromRange GainOfRange(int range, int sensor);

// The fixed scaling of the PT100 sensor by unit (0 Celsius, 1 Fahrenheit) and resolution
// (0 "x 1", 1 "x 0.1").
struct Pt100Row {
    int min, max;
    double gain;
    int hundredths;
    int offset;
};
Pt100Row Pt100Scaling(int unit, int resolution);

}  // namespace scaling
