#include "widgets/laidouttext.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace zestora {

namespace {

// Lines that do not break are laid out as wide as this, as the painter lays them out.
constexpr qreal unbrokenLineWidth = 0x01000000;

constexpr int flagsDrawnElsewhere = Qt::TextForceRightToLeft | Qt::TextWrapAnywhere |
                                    Qt::TextJustificationForced | Qt::AlignJustify |
                                    Qt::TextShowMnemonic | Qt::TextHideMnemonic;

} // namespace

bool LaidOutText::canDraw(int flags, const QString& text)
{
    // Tabs, mnemonics' ampersands and the marks between a text's length variants are what the
    // painter works over before it lays a text out.
    return !(flags & flagsDrawnElsewhere) && !text.contains(u'\t') && !text.contains(u'&') &&
           !text.contains(u'\x9c') && !text.isRightToLeft();
}

void LaidOutText::draw(QPainter& painter, const QRect& room, int flags, const QString& text)
{
    const QFont& font = painter.font();
    const bool leftToRight =
        (flags & Qt::TextForceLeftToRight) || painter.layoutDirection() == Qt::LeftToRight;
    if (!canDraw(flags, text) || !leftToRight || font.underline() || font.overline() ||
        font.strikeOut()) {
        painter.drawText(room, flags, text);
        return;
    }
    if (text.isEmpty() || painter.pen().style() == Qt::NoPen)
        return;
    if (!laidOutFor(font, room.size(), flags, text))
        layOut(font, room, flags, text);

    // Placed in the room as the painter places it, each line on its own for its alignment.
    const QRectF area(room);
    const qreal top = (flags & Qt::AlignBottom)    ? area.height() - m_height
                      : (flags & Qt::AlignVCenter) ? (area.height() - m_height) / 2
                                                   : 0;
    const auto leftOf = [&](qreal width) {
        return (flags & Qt::AlignRight)     ? area.width() - width
               : (flags & Qt::AlignHCenter) ? (area.width() - width) / 2
                                            : 0;
    };
    const QRectF bounds(area.x() + leftOf(m_width), area.y() + top, m_width, m_height);
    const bool clipped = !(flags & Qt::TextDontClip) && !area.contains(bounds);
    if (clipped) {
        painter.save();
        painter.setClipRect(area, Qt::IntersectClip);
    }
    for (int i = 0; i < m_layout->lineCount(); ++i) {
        const QTextLine line = m_layout->lineAt(i);
        line.draw(&painter, QPointF(area.x() + leftOf(line.horizontalAdvance()), area.y() + top));
    }
    if (clipped)
        painter.restore();
}

QSize LaidOutText::unwrappedSize(const QFont& font, int flags, const QString& text)
{
    // Every line laid out, as the painter does when it only measures.
    const QRect anyRoom(0, 0, QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (!laidOutFor(font, anyRoom.size(), flags, text))
        layOut(font, anyRoom, flags, text);
    return {static_cast<int>(std::ceil(m_width)), static_cast<int>(std::ceil(m_height))};
}

bool LaidOutText::laidOutFor(const QFont& font, const QSize& room, int flags,
                             const QString& text) const
{
    if (!m_layout || text != m_text || font != m_font || flags != m_flags)
        return false;
    // One line that does not wrap is laid out alike in any room; more lines stop at its bottom.
    const bool oneUnbrokenLine =
        !(flags & Qt::TextWordWrap) && ((flags & Qt::TextSingleLine) || !text.contains(u'\n'));
    return room == m_room || oneUnbrokenLine;
}

void LaidOutText::layOut(const QFont& font, const QRect& room, int flags, const QString& text)
{
    m_text = text;
    m_font = font;
    m_room = room.size();
    m_flags = flags;
    // Line ends break the lines, or are blanks on a single line; a carriage return is a blank.
    QString shown = text;
    const bool singleLine = flags & Qt::TextSingleLine;
    for (QChar& character : shown)
        if (character == u'\r' || (singleLine && character == u'\n'))
            character = u' ';
        else if (character == u'\n')
            character = QChar::LineSeparator;
    m_layout.emplace(shown, m_font);
    QTextOption option;
    option.setTextDirection(Qt::LeftToRight);
    m_layout->setTextOption(option);
    m_layout->setCacheEnabled(true);

    const bool wrapped = flags & Qt::TextWordWrap;
    const qreal lineWidth = wrapped ? std::max<qreal>(0, room.width()) : unbrokenLineWidth;
    const qreal leading = QFontMetricsF(m_font).leading();
    m_width = 0;
    m_height = -leading;
    m_layout->beginLayout();
    for (QTextLine line = m_layout->createLine(); line.isValid(); line = m_layout->createLine()) {
        line.setLineWidth(lineWidth);
        // Each line starts on a whole pixel.
        m_height = std::ceil(m_height + leading);
        line.setPosition(QPointF(0, m_height));
        m_height += line.ascent() + line.descent();
        m_width = std::max(m_width, line.naturalTextWidth());
        // Lines below the room would not show.
        if (!(flags & Qt::TextDontClip) && m_height >= room.height())
            break;
    }
    m_layout->endLayout();
}

} // namespace zestora
