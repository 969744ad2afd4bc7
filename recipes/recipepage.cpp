#include "recipes/recipepage.h"

#include "core/recipes/wordwrap.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

namespace zestora {

namespace {

const QString family = QStringLiteral("Liberation Sans");

// Writes lines of text down a column, starting a new page when the column is full. Positions are
// in points; the painter draws in the printer's device units, so that fonts keep their sizes.
class Column {
public:
    Column(QPainter& painter, QPrinter& printer, qreal left, qreal width, qreal top)
        : m_painter(painter)
        , m_printer(printer)
        , m_left(left)
        , m_width(width)
        , m_y(top)
    {
    }

    void setFont(qreal size, bool bold = false, bool underline = false)
    {
        QFont font(family);
        font.setPointSizeF(size);
        font.setBold(bold);
        font.setUnderline(underline);
        m_painter.setFont(font);
    }
    void line(const QString& text, Qt::Alignment alignment = Qt::AlignLeft)
    {
        const qreal height = lineHeight();
        if (m_y + height > pageHeight() && m_y > 0) {
            m_printer.newPage();
            m_y = 0;
        }
        m_painter.drawText(device(QRectF(m_left, m_y, m_width, height)),
                           alignment | Qt::AlignVCenter, text);
        m_y += height;
    }
    // Two texts on one line, at the left and the right of the column.
    void pair(const QString& left, const QString& right)
    {
        const QRectF row = device(QRectF(m_left, m_y, m_width, lineHeight()));
        m_painter.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, left);
        m_painter.drawText(row, Qt::AlignRight | Qt::AlignVCenter, right);
        m_y += lineHeight();
    }
    void wrapped(const QString& text)
    {
        const QFontMetricsF metrics(m_painter.font(), &m_printer);
        for (const QString& piece : wrapText(text, m_width, [&](const QString& s) {
                 return metrics.horizontalAdvance(s) / unit();
             }))
            line(piece);
    }
    void rule(qreal thickness)
    {
        m_y += 1;
        m_painter.setPen(QPen(Qt::black, thickness * unit()));
        m_painter.drawLine(device(QPointF(m_left, m_y)), device(QPointF(m_left + m_width, m_y)));
        m_y += thickness + 1;
    }
    void skip(qreal points) { m_y += points; }
    qreal y() const { return m_y; }

    // Device units in a point.
    qreal unit() const { return m_printer.resolution() / 72.0; }
    QRectF device(const QRectF& points) const
    {
        return QRectF(points.topLeft() * unit(), points.size() * unit());
    }
    QPointF device(const QPointF& points) const { return points * unit(); }

private:
    qreal lineHeight() const
    {
        return QFontMetricsF(m_painter.font(), &m_printer).height() / unit();
    }
    qreal pageHeight() const
    {
        return m_printer.pageLayout().paintRect(QPageLayout::Point).height();
    }

    QPainter& m_painter;
    QPrinter& m_printer;
    qreal m_left;
    qreal m_width;
    qreal m_y;
};

} // namespace

void paintRecipePage(QPainter& painter, QPrinter& printer, const RecipePage& page)
{
    const QRectF area = printer.pageLayout().paintRect(QPageLayout::Point);
    const qreal panelWidth = 200;
    const qreal gap = 24;

    Column title(painter, printer, 0, area.width(), 0);
    title.setFont(16, true, true);
    title.line(page.name);
    const qreal top = title.y() + 12;

    // The Nutrition Facts panel in its frame.
    Column panel(painter, printer, 6, panelWidth - 12, top + 4);
    const nutrition::PanelTexts& t = page.panel;
    panel.setFont(20, true);
    panel.line(QStringLiteral("Nutrition Facts"));
    panel.setFont(9);
    panel.pair(QStringLiteral("Per Serving"), page.makes);
    panel.rule(3);
    panel.setFont(7, true);
    panel.line(QStringLiteral("Amount Per Serving"));
    panel.setFont(9, true);
    panel.pair(QStringLiteral("Calories ") + t.cals,
               QStringLiteral("Calories from Fat ") + t.fatCals);
    panel.rule(3);
    panel.setFont(7, true);
    panel.line(QStringLiteral("% Daily Value *"), Qt::AlignRight);
    const std::pair<QString, std::pair<QString, QString>> rows[] = {
        {QStringLiteral("Total Fat"), {t.fatG, t.fatPct}},
        {QStringLiteral("   Saturated Fat"), {t.satFatG, t.satFatPct}},
        {QStringLiteral("Cholesterol"), {t.cholG, t.cholPct}},
        {QStringLiteral("Sodium"), {t.sodiumG, t.sodiumPct}},
        {QStringLiteral("Total Carbohydrate"), {t.carbsG, t.carbsPct}},
        {QStringLiteral("   Dietary Fiber"), {t.fiberG, t.fiberPct}},
        {QStringLiteral("Protein"), {t.proteinG, QString()}},
    };
    panel.setFont(9);
    for (const auto& [caption, values] : rows) {
        panel.rule(0.5);
        panel.pair(caption + QStringLiteral("  ") + values.first, values.second);
    }
    panel.rule(3);
    panel.setFont(7);
    panel.wrapped(
        QStringLiteral("* Percent Daily Values based on a 2,000 calorie diet.  Your daily "
                       "values may differ."));
    painter.setPen(QPen(Qt::black, 3 * panel.unit()));
    painter.drawRect(panel.device(QRectF(0, top, panelWidth, panel.y() - top + 4)));

    if (!page.shares.isEmpty()) {
        Column shares(painter, printer, 0, panelWidth, panel.y() + 18);
        shares.setFont(10, true, true);
        shares.line(QStringLiteral("Additional Information:"));
        shares.setFont(9);
        for (const QString& share : page.shares)
            shares.line(share);
    }

    // Ingredients and directions beside the panel.
    Column recipe(painter, printer, panelWidth + gap, area.width() - panelWidth - gap, top);
    recipe.setFont(12, true, true);
    recipe.line(QStringLiteral("List of Ingredients:"));
    recipe.skip(6);
    for (const RecipePage::Line& line : page.lines) {
        recipe.setFont(10, line.heading);
        recipe.wrapped(line.text);
    }
    recipe.skip(12);
    recipe.setFont(12, true, true);
    recipe.line(QStringLiteral("Instructions for preparation"));
    recipe.setFont(10);
    recipe.wrapped(page.directions);
}

} // namespace zestora
