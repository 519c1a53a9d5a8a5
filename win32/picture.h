#pragma once

#include <windows.h>

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

    int width() const { return m_width; }
    int height() const { return m_height; }
    HDC dc() const { return m_dc; }

    // A new size that keeps what old and new share; the rest in the background.
    // With stretch the old picture is scaled to the new size instead.
    void resize(int width, int height, COLORREF background, bool stretch = false);
    void fill(COLORREF colour);
    // A square of side pixels at (x, y) in 0x00RRGGBB, clipped to the picture.
    void setBlock(int x, int y, int side, std::uint32_t rgb);
    // Copies the picture's part of area to target and fills the rest with background.
    void show(HDC target, const RECT &area, HBRUSH background) const;

private:
    void release();

    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;
    std::uint32_t *m_bits = nullptr;
    int m_width = 0;
    int m_height = 0;
};
