#pragma once

#include <QStyledItemDelegate>

namespace zestora {

// Draws a list row as the style does: its text on one line, cut with "..." where it is longer
// than its room. A plain row of one line (no check box, no picture) has its text measured once
// and drawn here, to the same pixels: the style lays each row's text out as a paragraph three
// times (to place it, to cut it and to draw it), which was much of a list's first paint.
void drawRow(QStyleOptionViewItem& row, const QStyle* style, QPainter* painter);

// A list's rows drawn with drawRow, for a long list of one-line names.
class PlainRowDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

} // namespace zestora
