#pragma once

#include "canvas.h"
#include "picture.h"
#include "scale.h"

#include <windows.h>

// The drawing port on a pane's picture, at the pane's scale: one program pixel
// is one block of device pixels where the layer's grid puts it. Texts are in
// Tahoma, Windows' sans-serif font; the canvas keeps the font of the last size
// asked for.
class PictureCanvas : public Canvas
{
public:
    PictureCanvas(Picture &picture, const Scale &scale);
    ~PictureCanvas() override;
    PictureCanvas(const PictureCanvas &) = delete;
    PictureCanvas &operator=(const PictureCanvas &) = delete;

    // The page's font at a pixel size, kept until another size or scale is asked for.
    HFONT font(int pixelSize) const;

    void fill(const Rect &area, std::uint32_t rgb) override;
    void rectangle(const Rect &area, std::uint32_t pen, std::uint32_t inside) override;
    void ellipse(const Rect &area, std::uint32_t pen, std::uint32_t inside) override;
    void plot(int x, int y, std::uint32_t rgb) override;
    std::uint32_t pixel(int x, int y) const override;
    void text(int x, int y, std::string_view text, int pixelSize, std::uint32_t ink, std::uint32_t paper) override;
    int measure(std::string_view text, int pixelSize) const override;
    LineMetrics lineMetrics(int pixelSize) const override;

private:
    // The area in device pixels, right and bottom exclusive.
    RECT device(const Rect &area) const;
    // Device pixels to program pixels, rounded up.
    int program(int devicePixels) const;
    // Draws an outline shape with a pen one block thick inside the area.
    void outline(const Rect &area, std::uint32_t pen, std::uint32_t inside, bool round);

    Picture &m_picture;
    const Scale &m_scale;
    mutable HFONT m_font = nullptr;
    mutable int m_fontSize = 0;
    mutable int m_fontDpi = 0;
};
