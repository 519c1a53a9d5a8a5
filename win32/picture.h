#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>

// A pane's retained picture: a 32-bit top-down DIB section with its own memory
// DC, so that GDI and direct pixel writes draw on the same bits and a paint only
// copies them to the screen.
class Picture
{
public:
    Picture() = default;
    Picture(const Picture &) = delete;
    Picture &operator=(const Picture &) = delete;
    ~Picture();
    void swap(Picture &other) noexcept;

    int width() const { return m_width; }
    int height() const { return m_height; }
    HDC dc() const { return m_dc; }

    // Colours are 0x00RRGGBB, as the layer gives them.
    static COLORREF colorref(std::uint32_t rgb) { return RGB(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF); }

    // A new size that keeps what old and new share; the rest in the background.
    void resize(int width, int height, std::uint32_t background);
    void fill(std::uint32_t rgb);
    // A square of side pixels at (x, y) in 0x00RRGGBB, clipped to the picture.
    void setBlock(int x, int y, int side, std::uint32_t rgb);
    // 0x00RRGGBB at (x, y), white beyond the picture.
    std::uint32_t pixel(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < m_width && y < m_height ? m_bits[y * m_width + x] & 0xFFFFFF : 0xFFFFFF;
    }
    bool same(const Picture &other) const
    {
        return m_width == other.m_width && m_height == other.m_height
            && std::equal(m_bits, m_bits + m_width * m_height, other.m_bits);
    }
    // Copies the picture's part of area to target and fills the rest with background.
    void show(HDC target, const RECT &area, std::uint32_t background) const;

private:
    void release();

    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;
    std::uint32_t *m_bits = nullptr;
    int m_width = 0;
    int m_height = 0;
};
