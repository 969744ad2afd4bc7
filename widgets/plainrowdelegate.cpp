#include "widgets/plainrowdelegate.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>
#include <QTextLayout>

#include <cmath>
#include <utility>

namespace zestora {

void drawRow(QStyleOptionViewItem& row, const QStyle* style, QPainter* painter)
{
    const auto notPlain = QStyleOptionViewItem::WrapText | QStyleOptionViewItem::HasCheckIndicator |
                          QStyleOptionViewItem::HasDecoration;
    const Qt::Alignment alignment = QStyle::visualAlignment(row.direction, row.displayAlignment);
    if ((row.features & notPlain) || row.text.contains(u'\n') || row.text.contains(u'\r') ||
        !alignment.testFlag(Qt::AlignLeft) ||
        (alignment & Qt::AlignVertical_Mask) != Qt::AlignVCenter)
        return style->drawControl(QStyle::CE_ItemViewItem, &row, painter, row.widget);
    const QString text = std::exchange(row.text, QString());
    // The background, the selection and the focus frame.
    style->drawControl(QStyle::CE_ItemViewItem, &row, painter, row.widget);
    // The style's room for the text: the whole row within its margins, the line in its middle.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, row.widget) + 1;
    const QRect room = row.rect.adjusted(margin, 0, -margin, 0);
    const QFontMetricsF metrics(row.font);
    const int lineHeight = static_cast<int>(std::ceil(metrics.ascent() + metrics.descent()));
    const int top = room.top() + (room.height() - lineHeight) / 2;
    QPalette::ColorGroup group =
        row.state.testFlag(QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
    if (group == QPalette::Normal && !row.state.testFlag(QStyle::State_Active))
        group = QPalette::Inactive;
    painter->save();
    painter->setFont(row.font);
    painter->setPen(row.palette.color(group, row.state.testFlag(QStyle::State_Selected)
                                                 ? QPalette::HighlightedText
                                                 : QPalette::Text));
    // One layout measures the text and draws it; only a text too long for its room is laid out
    // again, cut.
    QTextLayout layout(text, row.font, painter->device());
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setFlags(QTextOption::IncludeTrailingSpaces);
    layout.setTextOption(option);
    // The glyphs shaped to measure the line are kept to draw it.
    layout.setCacheEnabled(true);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    if (line.naturalTextWidth() <= room.width())
        line.draw(painter, QPointF(room.left(), top));
    else
        painter->drawText(QPointF(room.left(), top + metrics.ascent()),
                          metrics.elidedText(text, row.textElideMode, room.width()));
    painter->restore();
}

void PlainRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const
{
    QStyleOptionViewItem row = option;
    initStyleOption(&row, index);
    const QStyle* style = option.widget ? option.widget->style() : QApplication::style();
    drawRow(row, style, painter);
}

} // namespace zestora
