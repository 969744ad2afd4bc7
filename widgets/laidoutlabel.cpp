#include "widgets/laidoutlabel.h"

#include <QPainter>
#include <QStyle>
#include <QTextDocument>

namespace zestora {

bool LaidOutLabel::drawsItsText() const
{
    const Qt::TextFormat format = textFormat();
    const bool plain =
        format == Qt::PlainText || (format == Qt::AutoText && !Qt::mightBeRichText(text()));
    // Selectable text is drawn by a text control, as rich text is; a disabled one may be etched.
    const auto selectable =
        Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard | Qt::TextEditable;
    // A picture or a movie is the label's only content: its text is empty then.
    return !text().isEmpty() && plain && isEnabled() && !(textInteractionFlags() & selectable) &&
           LaidOutText::canDraw(0, text());
}

QRect LaidOutLabel::textRoom() const
{
    QRect room = contentsRect();
    const int inner = margin();
    room.adjust(inner, inner, -inner, -inner);
    int shift = indent();
    // With no indent given, a framed label keeps half an "x" from its frame.
    if (shift < 0 && frameWidth())
        shift = fontMetrics().horizontalAdvance(u'x') / 2 - inner;
    if (shift > 0) {
        const Qt::Alignment placed = QStyle::visualAlignment(Qt::LeftToRight, alignment());
        room.adjust(placed & Qt::AlignLeft ? shift : 0, placed & Qt::AlignTop ? shift : 0,
                    placed & Qt::AlignRight ? -shift : 0, placed & Qt::AlignBottom ? -shift : 0);
    }
    return room;
}

void LaidOutLabel::paintEvent(QPaintEvent* event)
{
    if (!drawsItsText()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    drawFrame(&painter);
    painter.setPen(QPen(palette().brush(foregroundRole()), painter.pen().widthF()));
    const int flags = int(QStyle::visualAlignment(Qt::LeftToRight, alignment())) |
                      (wordWrap() ? Qt::TextWordWrap : 0) | Qt::TextExpandTabs |
                      Qt::TextForceLeftToRight;
    m_laidOut.draw(painter, textRoom(), flags, text());
}

} // namespace zestora
