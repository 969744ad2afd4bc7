#include "widgets/elidedlabel.h"

#include <QPainter>
#include <QStyle>

namespace zestora {

QSize ElidedLabel::sizeHint() const
{
    // One line, empty or not.
    const QMargins margins = contentsMargins();
    return {margins.left() + margins.right(),
            fontMetrics().height() + margins.top() + margins.bottom()};
}

void ElidedLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect area = contentsRect();
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, area.width());
    style()->drawItemText(&painter, area, int(alignment()), palette(), isEnabled(), shown,
                          foregroundRole());
}

} // namespace zestora
