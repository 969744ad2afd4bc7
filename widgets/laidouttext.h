#pragma once

#include <QFont>
#include <QRect>
#include <QString>
#include <QTextLayout>

#include <optional>

class QPainter;

namespace zestora {

// A text drawn in a rectangle as QPainter::drawText(rectangle, flags, text) draws it, to the same
// pixels, but laid out only when its text, font, room or flags change: the painter lays it out
// anew at every call, which for the fixed captions of a screen was much of each of its paints.
class LaidOutText {
public:
    // Whether draw() can stand in for the painter with these flags and this text: one direction,
    // left to right, no mnemonics, tabs or justification. Anything else the painter draws itself.
    static bool canDraw(int flags, const QString& text);

    // Draws the text; with flags or a text it cannot draw, it lets the painter draw them.
    void draw(QPainter& painter, const QRect& room, int flags, const QString& text);

    // The size QFontMetrics::boundingRect gives a text that draw() can draw and that does not
    // wrap, in a room of any size: measured on the layout that is then drawn, so that a label's
    // text is shaped once for its size and its paints.
    QSize unwrappedSize(const QFont& font, int flags, const QString& text);

private:
    bool laidOutFor(const QFont& font, const QSize& room, int flags, const QString& text) const;
    void layOut(const QFont& font, const QRect& room, int flags, const QString& text);

    QString m_text;
    QFont m_font;
    QSize m_room;
    int m_flags = 0;
    std::optional<QTextLayout> m_layout;
    // The size of the lines together, as the painter places them in the room.
    qreal m_width = 0;
    qreal m_height = 0;
};

} // namespace zestora
