#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

class QWidget;

// Dialog templates are measured in dialog units: a quarter of the font's average
// character width across, an eighth of its height down. Average width as Windows
// takes it: the width of "A".."Z" "a".."z" over 26, halved and rounded up.
class DialogUnits
{
public:
    explicit DialogUnits(const QFont &font);

    // The font both dialogs are laid out with and show their texts in.
    static QFont dialogFont();

    int averageCharWidth() const { return m_baseX; }
    int charHeight() const { return m_baseY; }

    int toPixelsX(int x) const;
    int toPixelsY(int y) const;
    QRect toPixels(int x, int y, int width, int height) const;
    QSize toPixels(int width, int height) const;

    // A static text or check box at its rectangle, grown where its text or the
    // style's indicator would be clipped: the rectangles were made for a
    // narrower font. It grows to the right, or left where the dialog's edge
    // comes first, and equally up and down. The dialog's size must be set before.
    void placeText(QWidget *control, int x, int y, int width, int height) const;

private:
    int m_baseX;
    int m_baseY;
};
