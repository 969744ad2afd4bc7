#include "widgets/laidoutlabel.h"

#include <QPainter>
#include <QStyle>
#include <QTextDocument>

namespace zestora {

bool LaidOutLabel::laysOutItsText() const
{
    const Qt::TextFormat format = textFormat();
    const bool plain =
        format == Qt::PlainText || (format == Qt::AutoText && !Qt::mightBeRichText(text()));
    // Selectable text is drawn by a text control, as rich text is; a disabled one may be etched.
    const auto selectable =
        Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard | Qt::TextEditable;
    // A picture or a movie is the label's only content: its text is empty then.
    return !text().isEmpty() && plain && !(textInteractionFlags() & selectable) &&
           LaidOutText::canDraw(0, text());
}

bool LaidOutLabel::drawsItsText() const
{
    return laysOutItsText() && isEnabled();
}

int LaidOutLabel::textFlags() const
{
    return int(QStyle::visualAlignment(Qt::LeftToRight, alignment())) |
           (wordWrap() ? Qt::TextWordWrap : 0) | Qt::TextExpandTabs | Qt::TextForceLeftToRight;
}

std::optional<QSize> LaidOutLabel::unwrappedSize() const
{
    // The style sheet may give the font.
    ensurePolished();
    if (wordWrap() || !laysOutItsText())
        return std::nullopt;
    // As QLabel adds its margin, and an indent: the one given, or with none a framed label's "x".
    int across = 2 * margin();
    int down = across;
    int shift = indent();
    if (shift < 0 && frameWidth())
        shift = fontMetrics().horizontalAdvance(u'x') - 2 * margin();
    if (shift > 0) {
        const Qt::Alignment placed = QStyle::visualAlignment(Qt::LeftToRight, alignment());
        across += placed & (Qt::AlignLeft | Qt::AlignRight) ? shift : 0;
        down += placed & (Qt::AlignTop | Qt::AlignBottom) ? shift : 0;
    }
    const QMargins frame = contentsMargins();
    const QSize text = m_laidOut.unwrappedSize(font(), textFlags(), this->text());
    return (text +
            QSize(across + frame.left() + frame.right(), down + frame.top() + frame.bottom()))
        .expandedTo(minimumSize());
}

QSize LaidOutLabel::sizeHint() const
{
    const std::optional<QSize> size = unwrappedSize();
    return size ? *size : QLabel::sizeHint();
}

QSize LaidOutLabel::minimumSizeHint() const
{
    // A text that does not wrap is as wide and as high in any room.
    const std::optional<QSize> size = unwrappedSize();
    return size ? *size : QLabel::minimumSizeHint();
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
    m_laidOut.draw(painter, textRoom(), textFlags(), text());
}

} // namespace zestora
