#include "picture.h"

#include <algorithm>
#include <utility>

Picture::~Picture()
{
    release();
}

void Picture::swap(Picture &other) noexcept
{
    std::swap(m_dc, other.m_dc);
    std::swap(m_bitmap, other.m_bitmap);
    std::swap(m_oldBitmap, other.m_oldBitmap);
    std::swap(m_bits, other.m_bits);
    std::swap(m_width, other.m_width);
    std::swap(m_height, other.m_height);
}

void Picture::release()
{
    if (m_dc) {
        SelectObject(m_dc, m_oldBitmap);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    m_dc = nullptr;
    m_bitmap = nullptr;
    m_bits = nullptr;
    m_width = m_height = 0;
}

void Picture::resize(int width, int height, std::uint32_t background)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == m_width && height == m_height)
        return;
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    void *bits = nullptr;
    if (width > 0 && height > 0) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height; // top-down: row 0 is the top
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        dc = bitmap ? CreateCompatibleDC(nullptr) : nullptr;
        if (!dc) {
            // Out of memory: the pane shows its background until the next resize.
            if (bitmap)
                DeleteObject(bitmap);
            width = height = 0;
            bitmap = nullptr;
        }
    }
    const HGDIOBJ oldBitmap = dc ? SelectObject(dc, bitmap) : nullptr;
    if (dc) {
        const RECT all{0, 0, width, height};
        const HBRUSH brush = CreateSolidBrush(colorref(background));
        FillRect(dc, &all, brush);
        DeleteObject(brush);
        if (m_dc)
            BitBlt(dc, 0, 0, std::min(width, m_width), std::min(height, m_height), m_dc, 0, 0, SRCCOPY);
        GdiFlush();
    }
    release();
    m_dc = dc;
    m_bitmap = bitmap;
    m_oldBitmap = oldBitmap;
    m_bits = static_cast<std::uint32_t *>(bits);
    m_width = width;
    m_height = height;
}

void Picture::fill(std::uint32_t rgb)
{
    if (!m_dc)
        return;
    const RECT all{0, 0, m_width, m_height};
    const HBRUSH brush = CreateSolidBrush(colorref(rgb));
    FillRect(m_dc, &all, brush);
    DeleteObject(brush);
    GdiFlush();
}

void Picture::setBlock(int x, int y, int side, std::uint32_t rgb)
{
    const int right = std::min(x + side, m_width);
    const int bottom = std::min(y + side, m_height);
    if (x >= right || x + side <= 0)
        return;
    for (int row = std::max(y, 0); row < bottom; ++row)
        std::fill(m_bits + row * m_width + std::max(x, 0), m_bits + row * m_width + right, rgb);
}

void Picture::show(HDC target, const RECT &area, std::uint32_t background) const
{
    const HBRUSH brush = CreateSolidBrush(colorref(background));
    const int right = std::min<int>(area.right, m_width);
    const int bottom = std::min<int>(area.bottom, m_height);
    if (right > area.left && bottom > area.top)
        BitBlt(target, area.left, area.top, right - area.left, bottom - area.top, m_dc, area.left, area.top, SRCCOPY);
    const RECT beside{std::max<int>(area.left, m_width), area.top, area.right, area.bottom};
    const RECT below{area.left, std::max<int>(area.top, m_height), std::min<int>(area.right, m_width), area.bottom};
    if (beside.left < beside.right)
        FillRect(target, &beside, brush);
    if (below.top < below.bottom && below.left < below.right)
        FillRect(target, &below, brush);
    DeleteObject(brush);
}
