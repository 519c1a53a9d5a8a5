#include "statuspane.h"

#include "imagecanvas.h"
#include "session.h"

#include <QAccessible>
#include <QKeyEvent>

#include <chrono>

namespace {
QColor colour(std::uint32_t rgb)
{
    return QColor::fromRgb(0xFF000000u | rgb);
}

bool grey(std::uint32_t rgb)
{
    return (rgb >> 16 & 0xFF) == (rgb & 0xFF) && (rgb >> 8 & 0xFF) == (rgb & 0xFF);
}
} // namespace

StatusPane::StatusPane(const Session &session, QWidget *parent)
    : RetainedPane(parent)
    , m_session(session)
    , m_picture(session)
{
    setObjectName(QStringLiteral("statusPane"));
    setColours(m_picture.colours());
    // A blind user reaches the figures with Tab and reads them line by line.
    QImage none;
    QRect unused;
    setFont(ImageCanvas::font(m_picture.fontSize(ImageCanvas(none, grid(), QSize(), unused))));
}

void StatusPane::setColours(const PaneColours &colours)
{
    m_picture.setColours(colours);
    // Grey text on grey, as white on black: a quarter of the memory of a colour picture.
    const bool greyOnly = grey(colours.statusInk) && grey(colours.statusPaper);
    RetainedPane::setColours(colour(colours.statusPaper), colour(colours.statusFocus),
                             greyOnly ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
}

void StatusPane::paintRetained(QImage &image, QRect &dirty, bool erased)
{
    ImageCanvas canvas(image, grid(), extent(), dirty);
    if (m_picture.paint(canvas, erased))
        m_lineHeight = m_picture.lineHeight(canvas);
    tellScreenReader();
}

void StatusPane::setCaret(int offset)
{
    if (m_reading.setCaret(offset))
        tellCaret();
}

void StatusPane::tellCaret()
{
    if (QAccessible::isActive()) {
        QAccessibleTextCursorEvent event(this, m_reading.caret());
        QAccessible::updateAccessibility(&event);
    }
}

void StatusPane::keyPressEvent(QKeyEvent *event)
{
    using Key = StatusReading::Key;
    const bool control = event->modifiers() & Qt::ControlModifier;
    Key key;
    switch (event->key()) {
    case Qt::Key_Left:
        key = Key::Left;
        break;
    case Qt::Key_Right:
        key = Key::Right;
        break;
    case Qt::Key_Up:
        key = Key::Up;
        break;
    case Qt::Key_Down:
        key = Key::Down;
        break;
    case Qt::Key_Home:
        key = control ? Key::TextStart : Key::Home;
        break;
    case Qt::Key_End:
        key = control ? Key::TextEnd : Key::End;
        break;
    default:
        RetainedPane::keyPressEvent(event);
        return;
    }
    if (m_reading.press(key))
        tellCaret();
}

void StatusPane::tellScreenReader()
{
    m_reading.show(m_shown);
    const auto now = std::chrono::steady_clock::now();
    if (const auto progress = m_progress.tell(m_session, now))
        emit progressTold(QString::fromStdString(*progress));
    const auto change = m_reading.tell(hasFocus(), m_session.running(), now);
    if (change && QAccessible::isActive()) {
        QAccessibleTextUpdateEvent event(this, change->at, QString::fromStdString(change->removed),
                                         QString::fromStdString(change->inserted));
        QAccessible::updateAccessibility(&event);
    }
}
