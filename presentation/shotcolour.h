#pragma once

#include <cstdint>

// The colour the next plotted shot gets; it runs on across runs for the whole
// process and repeats after 86 * 86 * 86 shots.
class ShotColour
{
public:
    int red() const { return m_red; }
    int green() const { return m_green; }
    int blue() const { return m_blue; }

    void advance()
    {
        m_red += 3;
        if (m_red > 255) {
            m_red = 0;
            m_green += 3;
        }
        if (m_green > 255) {
            m_green = 0;
            m_blue += 3;
        }
        if (m_blue > 255)
            m_blue = 0;
    }

    // 0x00RRGGBB: a 32-bit pixel of Qt's RGB32 and of a Windows DIB alike.
    std::uint32_t rgb() const
    {
        return static_cast<std::uint32_t>((m_red & 0xFF) << 16 | (m_green & 0xFF) << 8 | (m_blue & 0xFF));
    }

private:
    int m_red = 0;
    int m_green = 0;
    int m_blue = 0;
};
