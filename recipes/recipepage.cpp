#include "recipes/recipepage.h"

#include "core/recipes/wordwrap.h"
#include "widgets/caloriebar.h"
#include "widgets/nutritionpanel.h"

#include <QAbstractItemView>
#include <QFontMetricsF>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QStyle>

namespace zestora {

namespace {

constexpr qreal twipsPerInch = 1440;

// Where the screen draws a label's text, relative to origin, in twips.
RecipePage::Text labelText(const QLabel* label, const QWidget* origin, qreal pixel)
{
    const int margin = label->margin();
    QRect area = label->contentsRect().adjusted(margin, margin, -margin, -margin);
    const Qt::Alignment alignment = label->alignment();
    if (label->indent() > 0) {
        if (alignment & Qt::AlignRight)
            area.setRight(area.right() - label->indent());
        else
            area.setLeft(area.left() + label->indent());
    }
    const QRect drawn = label->style()->itemTextRect(label->fontMetrics(), area, alignment,
                                                     label->isEnabled(), label->text());
    return {label->text(), label->font(), QPointF(label->mapTo(origin, drawn.topLeft())) * pixel};
}

QRectF place(const QWidget* widget, const QWidget* origin, qreal pixel)
{
    return {QPointF(widget->mapTo(origin, QPoint(0, 0))) * pixel, QSizeF(widget->size()) * pixel};
}

QFont styled(QFont font, qreal size, bool bold, bool underline)
{
    font.setPointSizeF(size);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

// The printer seen in twips, at the screen's positions: the one place where twips become the
// printer's device units. The screen's frame is centred across the sheet and then moved 600 twips
// to the left, and lowered by a quarter of the spare height. Lines printed one under the other
// continue on a new sheet when the sheet is full.
class Sheet {
public:
    Sheet(QPainter& painter, QPrinter& printer, const RecipePage& page)
        : m_painter(painter)
        , m_printer(printer)
        , m_unit(printer.resolution() / twipsPerInch)
        , m_nextTop(page.panel.top())
    {
        const QSizeF paper = printer.paperRect(QPrinter::Inch).size() * twipsPerInch;
        m_origin = QPointF(600 - (paper.width() - page.window.width()) / 2,
                           -(paper.height() - page.window.height()) / 4);
        // Half an inch stays blank at the foot and the right of the sheet.
        m_bottom = m_origin.y() + paper.height() - twipsPerInch / 2;
        m_right = m_origin.x() + paper.width() - twipsPerInch / 2;
        m_painter.setPen(Qt::black);
    }

    qreal top() const { return m_origin.y(); }
    qreal right() const { return m_right; }
    qreal y() const { return m_y; }
    void moveTo(qreal y) { m_y = y; }
    void setFont(const QFont& font) { m_painter.setFont(font); }

    qreal textWidth(const QString& text) const
    {
        return QFontMetricsF(m_painter.font(), &m_printer).horizontalAdvance(text) / m_unit;
    }
    // Prints text with its top left at a place, whole: nothing clips it.
    void printAt(const QString& text, const QPointF& at)
    {
        const qreal ascent = QFontMetricsF(m_painter.font(), &m_printer).ascent();
        m_painter.drawText(device(at) + QPointF(0, ascent), text);
    }
    // Prints a line at the current height and moves under it.
    void print(const QString& text, qreal x)
    {
        const qreal height = QFontMetricsF(m_painter.font(), &m_printer).height() / m_unit;
        if (m_y + height > m_bottom && m_y > m_nextTop) {
            m_printer.newPage();
            m_y = m_nextTop;
        }
        printAt(text, {x, m_y});
        m_y += height;
    }
    void line(const QPointF& from, const QPointF& to, qreal width)
    {
        m_painter.setPen(QPen(Qt::black, width * m_unit, Qt::SolidLine, Qt::FlatCap));
        m_painter.drawLine(device(from), device(to));
    }
    void rectangle(const QRectF& area, qreal width)
    {
        m_painter.setPen(
            QPen(Qt::black, width * m_unit, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        m_painter.setBrush(Qt::NoBrush);
        m_painter.drawRect(QRectF(device(area.topLeft()), device(area.bottomRight())));
    }
    // The chart keeps the font of the shares printed before it.
    void calorieBar(const QRectF& area, const std::array<double, 3>& shares)
    {
        paintCalorieBar(m_painter, QRectF(device(area.topLeft()), device(area.bottomRight())),
                        shares);
    }

private:
    QPointF device(const QPointF& twips) const { return (twips - m_origin) * m_unit; }

    QPainter& m_painter;
    QPrinter& m_printer;
    qreal m_unit; // device units in a twip
    QPointF m_origin;
    qreal m_bottom = 0;
    qreal m_right = 0;
    qreal m_nextTop; // where lines start on a further sheet
    qreal m_y = 0;
};

} // namespace

RecipePage recipePage(const PrintedControls& screen)
{
    RecipePage page;
    const qreal pixel = twipsPerInch / screen.frame->logicalDpiX();
    const QWidget* frame = screen.frame;
    const NutritionPanel* panel = screen.panel;
    page.pixel = pixel;
    page.window = QSizeF(screen.frameSize) * pixel;
    page.panel = place(panel, frame, pixel);
    for (const QLabel* label : panel->printedLabels())
        page.panelTexts.append(labelText(label, panel, pixel));
    // On paper the title of the panel sits at its left edge, and the small caption is in Arial.
    page.panelTexts[0].at.setX(15);
    page.panelTexts[3].font.setFamily(QStringLiteral("Arial"));
    for (const QFrame* rule : panel->rules())
        page.rules.append({QPointF(rule->mapTo(panel, QPoint(0, rule->height() / 2))) * pixel,
                           rule->lineWidth() * pixel});

    page.name = screen.name;
    page.titleFont = screen.title->font();
    page.listLeft = place(screen.rows, frame, pixel).left();
    page.listFont = screen.rows->font();
    const QAbstractItemModel* lines = screen.rows->model();
    for (int i = 0; i < lines->rowCount(); ++i) {
        const QModelIndex line = lines->index(i, 0);
        page.lines.append({line.data().toString(), line.data(Qt::FontRole).value<QFont>().bold()});
    }
    page.coverage = screen.coverage;

    if (screen.withShares) {
        RecipePage::Text caption = labelText(screen.sharesCaption, frame, pixel);
        caption.font = styled(caption.font, caption.font.pointSizeF() + 1, true, true);
        page.shares.append(caption);
        const QFont shown = screen.shares[0]->font();
        const QFont shareFont = styled(shown, shown.pointSizeF() + 1, false, false);
        for (const QLabel* label : screen.shares) {
            RecipePage::Text share = labelText(label, frame, pixel);
            share.font = shareFont;
            page.shares.append(share);
        }
        if (!screen.servingWeight->text().isEmpty())
            page.shares.append(labelText(screen.servingWeight, frame, pixel));
        if (screen.calorieBar->shares()) {
            page.calorieShares = screen.calorieBar->shares();
            page.calorieBar = place(screen.calorieBar, frame, pixel);
        }
    }

    const QRectF box = place(screen.directions, frame, pixel);
    page.directionsLeft = box.left();
    page.directionsWidth = box.width();
    page.directions = screen.directions->toPlainText();
    return page;
}

void paintRecipePage(QPainter& painter, QPrinter& printer, const RecipePage& page)
{
    Sheet sheet(painter, printer, page);
    sheet.rectangle(page.panel, page.pixel);
    sheet.rectangle(page.panel, 3 * page.pixel);

    const auto printWrapped = [&sheet](const QString& text, qreal x, qreal width) {
        for (const QString& line : wrapText(
                 text, width, [&sheet](const QString& piece) { return sheet.textWidth(piece); }))
            sheet.print(line, x);
    };
    // A title wider than the sheet wraps rather than running off it.
    const qreal left = page.listLeft * 0.5;
    sheet.setFont(
        styled(page.titleFont, page.titleFont.pointSizeF() + 2, page.titleFont.bold(), true));
    sheet.moveTo((sheet.top() + page.panel.top()) / 2);
    printWrapped(page.name, left, sheet.right() - left);

    const QPointF panelAt = page.panel.topLeft();
    for (const RecipePage::Text& text : page.panelTexts) {
        sheet.setFont(text.font);
        sheet.printAt(text.text, panelAt + text.at);
    }
    for (const RecipePage::Rule& rule : page.rules)
        sheet.line(panelAt + rule.from, {page.panel.right(), panelAt.y() + rule.from.y()},
                   rule.width);
    for (const RecipePage::Text& share : page.shares) {
        sheet.setFont(share.font);
        sheet.printAt(share.text, share.at);
    }
    if (page.calorieShares)
        sheet.calorieBar(page.calorieBar, *page.calorieShares);

    // The ingredients and the directions run down the page left of the panel; a line too wide
    // for the room there wraps rather than printing over the panel.
    const qreal room = page.panel.left() - 8 * page.pixel;
    const QFont arial(QStringLiteral("Arial"));
    const qreal listSize = page.listFont.pointSizeF();
    const QFont caption = styled(arial, listSize + 2, true, true);
    const QFont plain = styled(arial, listSize + 1, false, false);
    const QFont heading = styled(arial, listSize + 1, true, false);
    sheet.moveTo(page.panel.top());
    sheet.setFont(caption);
    sheet.print(QStringLiteral("List of Ingredients:"), left);
    sheet.print(QString(), left);
    for (const RecipePage::Line& line : page.lines) {
        sheet.setFont(line.heading ? heading : plain);
        printWrapped(line.text, left, room - left);
    }
    if (!page.coverage.isEmpty()) {
        sheet.setFont(plain);
        sheet.print(QString(), left);
        printWrapped(page.coverage, left, room - left);
    }
    sheet.setFont(plain);
    sheet.print(QString(), left);

    sheet.setFont(caption);
    sheet.print(QStringLiteral("Instructions for preparation"), left);
    sheet.setFont(plain);
    const qreal directionsAt = page.directionsLeft * 0.5;
    printWrapped(page.directions, directionsAt, qMin(page.directionsWidth, room - directionsAt));
}

} // namespace zestora
