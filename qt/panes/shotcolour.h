#pragma once

#include <QRgb>

// The colour the next plotted shot gets; it runs on across runs for the whole
// process and repeats after 86 * 86 * 86 shots.
struct ShotColour
{
    int red = 0;
    int green = 0;
    int blue = 0;

    void advance()
    {
        red += 3;
        if (red > 255) {
            red = 0;
            green += 3;
        }
        if (green > 255) {
            green = 0;
            blue += 3;
        }
        if (blue > 255)
            blue = 0;
    }

    QRgb rgb() const { return qRgb(red & 0xFF, green & 0xFF, blue & 0xFF); }
};
