#include "widgets/clickablelabel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace zestora {

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event)
{
    LaidOutLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}

void ClickableLabel::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
        Q_EMIT clicked();
        return;
    }
    LaidOutLabel::keyPressEvent(event);
}

void ClickableLabel::paintEvent(QPaintEvent* event)
{
    LaidOutLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QStylePainter painter(this);
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
}

} // namespace zestora
