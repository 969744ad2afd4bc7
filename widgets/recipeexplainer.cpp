#include "widgets/recipeexplainer.h"

#include "widgets/caloriebar.h"
#include "widgets/plainrowdelegate.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QStyleOption>

#include <algorithm>
#include <utility>

namespace zestora {

using nutrition::Nutrient;

namespace {

constexpr int shareBarWidth = 40;

// A row's value and daily percentage as the panel was given them, and the unit of the value.
struct RowTexts {
    QString value;
    QString percent;
    QString unit;
};

RowTexts rowTexts(const nutrition::PanelTexts& v, Nutrient nutrient)
{
    const QString g = QStringLiteral("g");
    const QString mg = QStringLiteral("mg");
    switch (nutrient) {
    case Nutrient::Calories:
        return {v.cals, {}, {}};
    case Nutrient::TotalFat:
        return {v.fatG, v.fatPct, g};
    case Nutrient::SatFat:
        return {v.satFatG, v.satFatPct, g};
    case Nutrient::Cholesterol:
        return {v.cholG, v.cholPct, mg};
    case Nutrient::Sodium:
        return {v.sodiumG, v.sodiumPct, mg};
    case Nutrient::TotalCarbs:
        return {v.carbsG, v.carbsPct, g};
    case Nutrient::Fiber:
        return {v.fiberG, v.fiberPct, g};
    case Nutrient::Protein:
        return {v.proteinG, {}, g};
    }
    return {};
}

// Draws a line's weight, and its share when one is shown, in a column at the right of the list;
// the line's own text keeps the rest of the row.
class LineDelegate : public QStyledItemDelegate {
public:
    LineDelegate(const RecipeLinesModel& lines, QObject* parent)
        : QStyledItemDelegate(parent)
        , m_lines(lines)
    {
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        QStyleOptionViewItem row = option;
        initStyleOption(&row, index);
        const QWidget* widget = option.widget;
        QStyle* style = widget ? widget->style() : nullptr;
        if (!style)
            return QStyledItemDelegate::paint(painter, option, index);
        style->drawPrimitive(QStyle::PE_PanelItemViewItem, &row, painter, widget);
        const bool showingShares = m_lines.sharesShown().has_value();
        const Columns& columns = columnsFor(option);
        const int gramsWidth = columns.grams;
        const int shareWidth = showingShares ? columns.share : 0;
        const QRect full = option.rect;
        row.rect.setRight(full.right() - gramsWidth - shareWidth - 6);
        drawRow(row, style, painter);

        painter->save();
        const QRect gramsArea(row.rect.right() + 1, full.top(), gramsWidth, full.height());
        const QString grams = index.data(RecipeLinesModel::GramsRole).toString();
        painter->setPen(option.palette.color(QPalette::PlaceholderText));
        painter->drawText(gramsArea, Qt::AlignRight | Qt::AlignVCenter, grams);
        const QVariant share = index.data(RecipeLinesModel::ShareRole);
        if (showingShares && share.isValid()) {
            const double value = share.toDouble();
            const int left = gramsArea.right() + 6;
            const int barHeight = full.height() / 2;
            const QRect outline(left, full.top() + (full.height() - barHeight) / 2, shareBarWidth,
                                barHeight);
            painter->setPen(option.palette.color(QPalette::Mid));
            painter->drawRect(outline.adjusted(0, 0, -1, -1));
            painter->fillRect(
                outline.adjusted(1, 1, -1, -1)
                    .adjusted(0, 0, static_cast<int>((shareBarWidth - 2) * (value / 100 - 1)), 0),
                option.palette.color(QPalette::Highlight));
            QFont font = option.font;
            // The largest contributor stands out.
            font.setBold(value > 0 && value >= m_lines.largestShare() - 1e-9);
            painter->setFont(font);
            painter->setPen(option.palette.color(QPalette::Text));
            painter->drawText(QRect(outline.right() + 1, full.top(), full.right() - outline.right(),
                                    full.height()),
                              Qt::AlignRight | Qt::AlignVCenter, shareText(value));
        }
        painter->restore();
    }

    // As wide as the list, never wider: the weights and shares at the right stay in view and a
    // long line ends in "..." (its whole text is what a screen reader says). A line that does not
    // break is one line of its font high, however long it is: measured once for each font on a
    // short text, since the list asks for every line's size whenever one is added.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        // A known font is found from the row's text and font alone: setting up the whole style
        // option for every line of a long recipe costs more than the rest of its layout.
        const QString text = index.data(Qt::DisplayRole).toString();
        const bool oneLine = !text.contains(u'\n') && !text.contains(u'\r');
        const QVariant font = index.data(Qt::FontRole);
        const QFont rowFont =
            font.isValid() ? font.value<QFont>().resolve(option.font) : option.font;
        const auto known = std::find_if(
            m_lineHeights.cbegin(), m_lineHeights.cend(),
            [&rowFont](const std::pair<QFont, int>& line) { return line.first == rowFont; });
        if (oneLine && known != m_lineHeights.cend())
            return {0, known->second};
        QStyleOptionViewItem shown(option);
        initStyleOption(&shown, index);
        if (oneLine)
            shown.text = QStringLiteral("Xg");
        const QStyle* style = shown.widget ? shown.widget->style() : QApplication::style();
        const int height =
            style->sizeFromContents(QStyle::CT_ItemViewItem, &shown, QSize(), shown.widget)
                .height();
        if (oneLine)
            m_lineHeights.append({rowFont, height});
        return {0, height};
    }

private:
    // The widths of the weight and share columns in the list's font, measured once a font.
    struct Columns {
        QFont font;
        int grams = 0;
        int share = 0;
    };
    const Columns& columnsFor(const QStyleOptionViewItem& option) const
    {
        if (!m_columns || m_columns->font != option.font)
            m_columns = Columns{
                option.font, option.fontMetrics.horizontalAdvance(QStringLiteral("00000 g")),
                shareBarWidth + option.fontMetrics.horizontalAdvance(QStringLiteral(" 100 %"))};
        return *m_columns;
    }

    const RecipeLinesModel& m_lines;
    mutable std::optional<Columns> m_columns;
    // A one-line row's height in each font met so far: the list's own and the headings' bold.
    mutable QList<std::pair<QFont, int>> m_lineHeights;
};

} // namespace

RecipeExplainer::RecipeExplainer(QWidget* screen, const IngTable& ingredients, Source source)
    : QObject(screen)
    , m_source(std::move(source))
    , m_lines(new RecipeLinesModel(ingredients, m_source.lines, this))
{
    QListView* rows = m_source.rows;
    rows->setModel(m_lines);
    rows->setItemDelegate(new LineDelegate(*m_lines, rows));
    rows->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A long recipe is laid out a batch of lines at a time, so that it shows at once; a recipe of
    // ordinary length is one batch.
    rows->setLayoutMode(QListView::Batched);
    rows->setBatchSize(250);
    if (rows->accessibleName().isEmpty())
        rows->setAccessibleName(QStringLiteral("Recipe ingredients"));
    for (const auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(m_lines, signal, this, &RecipeExplainer::linesChanged);
    connect(m_lines, &QAbstractItemModel::modelReset, this, &RecipeExplainer::linesChanged);
    // The ingredients change only on other screens: the lines are worked out again when this one
    // comes back on view.
    screen->installEventFilter(this);
    // An empty list has no line to draw the focus on: it frames itself instead.
    rows->viewport()->installEventFilter(this);

    // The sentences are read as they stand; what they are is their description.
    m_source.shareLabels[0]->setAccessibleDescription(QStringLiteral("Share of calories from fat"));
    m_source.shareLabels[1]->setAccessibleDescription(
        QStringLiteral("Share of calories from carbohydrates"));
    m_source.shareLabels[2]->setAccessibleDescription(
        QStringLiteral("Share of calories from protein"));

    for (const NutritionPanel::Row& row : m_source.panel->rows()) {
        QList<QLabel*> clickable = row.captions;
        clickable.append(row.value);
        if (row.percent)
            clickable.append(row.percent);
        for (QLabel* label : std::as_const(clickable)) {
            label->installEventFilter(this);
            label->setCursor(Qt::PointingHandCursor);
        }
        row.value->setStyleSheet(
            QStringLiteral("QLabel[shown=\"true\"] { background-color: palette(highlight);"
                           " color: palette(highlighted-text); }"));
    }
    linesChanged();
    showTotals(std::nullopt);
}

void RecipeExplainer::linesChanged()
{
    const std::optional<Nutrient> shown = m_lines->sharesShown();
    m_source.rows->setAccessibleDescription(
        shown ? QStringLiteral("Each line with its weight and its share of ") +
                    nutrition::nutrientName(*shown)
              : QStringLiteral("Each line with its weight"));
    // The panel row whose shares the lines show is marked.
    for (const NutritionPanel::Row& row : m_source.panel->rows()) {
        const bool marked = shown == row.nutrient;
        if (row.value->property("shown").toBool() == marked)
            continue;
        row.value->setProperty("shown", marked);
        row.value->style()->unpolish(row.value);
        row.value->style()->polish(row.value);
    }
}

void RecipeExplainer::showTotals(const std::optional<std::array<double, 3>>& calorieShares)
{
    describePanel();
    m_source.bar->setShares(calorieShares);
}

void RecipeExplainer::toggleShares(Nutrient nutrient)
{
    m_lines->showShares(m_lines->sharesShown() == nutrient ? std::nullopt
                                                           : std::optional(nutrient));
    linesChanged();
}

bool RecipeExplainer::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && watched == parent()) {
        m_lines->rework();
        return false;
    }
    if (event->type() == QEvent::Paint && watched == m_source.rows->viewport() &&
        m_lines->rowCount() == 0 && m_source.rows->hasFocus()) {
        // Drawn before the list paints, which paints nothing over it while it has no lines.
        QPainter painter(m_source.rows->viewport());
        QStyleOptionFocusRect frame;
        frame.initFrom(m_source.rows);
        frame.rect = m_source.rows->viewport()->rect();
        m_source.rows->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter,
                                              m_source.rows);
        return false;
    }
    const auto isKey = [event] {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
    };
    const bool click = event->type() == QEvent::MouseButtonRelease;
    if (click || isKey()) {
        for (const NutritionPanel::Row& row : m_source.panel->rows()) {
            const bool onRow =
                watched == row.value || watched == row.percent || row.captions.contains(watched);
            if (onRow && (click || watched == row.value)) {
                toggleShares(row.nutrient);
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

void RecipeExplainer::describePanel()
{
    const nutrition::PanelTexts& values = m_source.panel->values();
    for (const NutritionPanel::Row& row : m_source.panel->rows()) {
        QString spoken = nutrition::nutrientName(row.nutrient);
        const auto [value, percent, unit] = rowTexts(values, row.nutrient);
        // "12.3g" is read out as "12.3 g".
        if (!value.isEmpty())
            spoken += QLatin1Char(' ') + (!unit.isEmpty() && value.endsWith(unit)
                                              ? value.chopped(unit.size()) + QLatin1Char(' ') + unit
                                              : value);
        if (!percent.isEmpty())
            spoken += QStringLiteral(", ") + QString(percent).remove(u'%').trimmed() +
                      QStringLiteral(" percent of daily value");
        row.value->setAccessibleName(spoken);
        row.value->setAccessibleDescription(
            QStringLiteral("Press Space to show or hide each recipe line's share of ") +
            nutrition::nutrientName(row.nutrient));
    }
}

} // namespace zestora
