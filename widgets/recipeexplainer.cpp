#include "widgets/recipeexplainer.h"

#include "core/store/recipemarks.h"
#include "widgets/caloriebar.h"

#include <QApplication>
#include <QBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>

#include <cmath>

namespace zestora {

using nutrition::Nutrient;

namespace {

constexpr int gramsRole = Qt::UserRole + 1;
constexpr int shareRole = Qt::UserRole + 2;
constexpr int shareBarWidth = 40;

// "12.3g" read out as "12.3 g".
QString spokenAmount(const QString& shown)
{
    qsizetype end = 0;
    while (end < shown.size() && (shown[end].isDigit() || shown[end] == u'.'))
        ++end;
    return end < shown.size() && end > 0 ? shown.first(end) + QLatin1Char(' ') + shown.sliced(end)
                                         : shown;
}

// The percentage as the list shows it: whole numbers, tenths under 1 %.
QString shareText(double share)
{
    const double shown = share < 1 && share > 0 ? std::round(share * 10) / 10 : std::round(share);
    return QString::number(shown) + QStringLiteral(" %");
}

// Draws a line's weight, and its share when one is shown, in a column at the right of the list;
// the line's own text keeps the rest of the row.
class LineDelegate : public QStyledItemDelegate {
public:
    LineDelegate(const RecipeExplainer& explainer, QObject* parent)
        : QStyledItemDelegate(parent)
        , m_explainer(explainer)
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
        const RecipeExplainer::Shares& shares = m_explainer.shares();
        const bool showingShares = shares.nutrient.has_value();
        const int gramsWidth = option.fontMetrics.horizontalAdvance(QStringLiteral("00000 g"));
        const int shareWidth =
            showingShares
                ? shareBarWidth + option.fontMetrics.horizontalAdvance(QStringLiteral(" 100 %"))
                : 0;
        const QRect full = option.rect;
        row.rect.setRight(full.right() - gramsWidth - shareWidth - 6);
        style->drawControl(QStyle::CE_ItemViewItem, &row, painter, widget);

        painter->save();
        const QRect gramsArea(row.rect.right() + 1, full.top(), gramsWidth, full.height());
        const QString grams = index.data(gramsRole).toString();
        painter->setPen(option.palette.color(QPalette::PlaceholderText));
        painter->drawText(gramsArea, Qt::AlignRight | Qt::AlignVCenter, grams);
        const QVariant share = index.data(shareRole);
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
            font.setBold(value > 0 && value >= shares.largest - 1e-9);
            painter->setFont(font);
            painter->setPen(option.palette.color(QPalette::Text));
            painter->drawText(QRect(outline.right() + 1, full.top(), full.right() - outline.right(),
                                    full.height()),
                              Qt::AlignRight | Qt::AlignVCenter, shareText(value));
        }
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    const RecipeExplainer& m_explainer;
};

// A line of the list with what it stands for, worked out when the line is added. Its share and
// what a screen reader says of it are worked out when asked for.
class LineItem : public QListWidgetItem {
public:
    LineItem(const QString& row, QString entry, const RecipeExplainer& explainer)
        : QListWidgetItem(row)
        , m_entry(std::move(entry))
        , m_explainer(explainer)
    {
        // A heading stands out in bold, as it does on the printed page.
        if (m_entry.contains(marks::asChar(marks::headingMark))) {
            QFont bold = font();
            bold.setBold(true);
            setFont(bold);
        }
    }

    const QString& entry() const { return m_entry; }
    const std::optional<nutrition::LineAmount>& amount() const { return m_amount; }
    void setAmount(std::optional<nutrition::LineAmount> amount)
    {
        m_amount = std::move(amount);
        m_grams.reset();
        m_size = QSize();
    }
    // The size the line takes in the list, worked out once: the list lays every line out again
    // whenever one is added.
    QSize sizeHint(const std::function<QSize()>& measure) const
    {
        if (!m_size.isValid())
            m_size = measure();
        return m_size;
    }

    QVariant data(int role) const override
    {
        switch (role) {
        case gramsRole:
            return grams().isEmpty() ? QVariant() : QVariant(grams());
        case shareRole:
            return share() ? QVariant(*share()) : QVariant();
        case Qt::ToolTipRole:
        case Qt::AccessibleDescriptionRole:
            return m_amount ? QVariant(m_amount->workings()) : QVariant();
        case Qt::AccessibleTextRole:
            return spoken();
        default:
            return QListWidgetItem::data(role);
        }
    }

private:
    std::optional<double> share() const
    {
        const RecipeExplainer::Shares& shares = m_explainer.shares();
        const int row = listWidget() ? listWidget()->row(this) : -1;
        return row >= 0 && row < shares.perLine.size() ? shares.perLine[row] : std::nullopt;
    }

    const QString& grams() const
    {
        if (!m_grams)
            m_grams =
                m_amount && m_amount->grams ? nutrition::gramsText(*m_amount->grams) : QString();
        return *m_grams;
    }

    QString spoken() const
    {
        QString spoken = text().trimmed();
        if (!grams().isEmpty())
            spoken += QStringLiteral(", ") + grams();
        if (const std::optional<double> part = share())
            spoken +=
                QStringLiteral(", ") + shareText(*part).replace(u'%', QStringLiteral("percent")) +
                QStringLiteral(" of ") + nutrition::nutrientName(*m_explainer.shares().nutrient);
        return spoken;
    }

    QString m_entry;
    const RecipeExplainer& m_explainer;
    std::optional<nutrition::LineAmount> m_amount;
    mutable std::optional<QString> m_grams;
    mutable QSize m_size;
};

LineItem* lineAt(const QListWidget* rows, int row)
{
    return static_cast<LineItem*>(rows->item(row));
}

QSize LineDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const auto* rows = qobject_cast<const QListWidget*>(option.widget);
    const auto* line = rows ? static_cast<const LineItem*>(rows->itemFromIndex(index)) : nullptr;
    const auto measure = [&] {
        // A line that does not break is one line of its font high, however long it is: measured
        // on a short text, so that the lines of a long recipe are not all shaped before it shows.
        QStyleOptionViewItem shown(option);
        initStyleOption(&shown, index);
        if (!shown.text.contains(u'\n') && !shown.text.contains(u'\r'))
            shown.text = QStringLiteral("Xg");
        const QStyle* style = shown.widget ? shown.widget->style() : QApplication::style();
        return style->sizeFromContents(QStyle::CT_ItemViewItem, &shown, QSize(), shown.widget);
    };
    // As wide as the list, never wider: the weights and shares at the right stay in view and a
    // long line ends in "..." (its whole text is what a screen reader says).
    return {0, (line ? line->sizeHint(measure) : measure()).height()};
}

} // namespace

RecipeExplainer::RecipeExplainer(QWidget* screen, const IngTable& ingredients, Source source)
    : QObject(screen)
    , m_ingredients(ingredients)
    , m_source(std::move(source))
    , m_bar(new CalorieBar(screen))
{
    QListWidget* rows = m_source.rows;
    rows->setItemDelegate(new LineDelegate(*this, rows));
    rows->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A long recipe is laid out a batch of lines at a time, so that it shows at once; a recipe of
    // ordinary length is one batch.
    rows->setLayoutMode(QListView::Batched);
    rows->setBatchSize(250);
    if (rows->accessibleName().isEmpty())
        rows->setAccessibleName(QStringLiteral("Recipe ingredients"));
    // The ingredients change only on other screens: the lines are worked out again when this one
    // comes back on view.
    screen->installEventFilter(this);

    QLabel* lastShare = m_source.shareLabels.back();
    for (auto* layout : screen->findChildren<QBoxLayout*>()) {
        const int at = layout->indexOf(lastShare);
        if (at >= 0) {
            layout->insertWidget(at + 1, m_bar, 0, Qt::AlignLeft);
            break;
        }
    }
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

void RecipeExplainer::insertLines(int at, const QStringList& rows, const QStringList& entries)
{
    const float servings = m_source.servings();
    for (qsizetype i = 0; i < rows.size(); ++i) {
        auto* line = new LineItem(rows[i], entries.value(i), *this);
        line->setAmount(nutrition::lineAmount(line->entry(), m_ingredients, servings));
        m_source.rows->insertItem(at + static_cast<int>(i), line);
    }
    linesChanged();
}

void RecipeExplainer::removeLine(int row)
{
    delete m_source.rows->takeItem(row);
    if (m_source.rows->count() == 0)
        m_nutrient.reset();
    linesChanged();
}

void RecipeExplainer::clearLines()
{
    m_source.rows->clear();
    // Another recipe, or none: the shares go with the old one.
    m_nutrient.reset();
    linesChanged();
}

void RecipeExplainer::reworkLines()
{
    const float servings = m_source.servings();
    for (int row = 0; row < m_source.rows->count(); ++row) {
        LineItem* line = lineAt(m_source.rows, row);
        line->setAmount(nutrition::lineAmount(line->entry(), m_ingredients, servings));
    }
    linesChanged();
}

void RecipeExplainer::linesChanged()
{
    m_shares.reset();
    showActiveRow();
    m_source.rows->setAccessibleDescription(
        m_nutrient ? QStringLiteral("Each line with its weight and its share of ") +
                         nutrition::nutrientName(*m_nutrient)
                   : QStringLiteral("Each line with its weight"));
    m_source.rows->viewport()->update();
}

void RecipeExplainer::showTotals(const std::optional<std::array<double, 3>>& calorieShares)
{
    describePanel();
    m_bar->setShares(calorieShares);
}

const RecipeExplainer::Shares& RecipeExplainer::shares() const
{
    if (!m_shares) {
        Shares shares{m_nutrient, {}, 0};
        if (m_nutrient) {
            QList<std::optional<nutrition::LineAmount>> amounts;
            amounts.reserve(m_source.rows->count());
            for (int row = 0; row < m_source.rows->count(); ++row)
                amounts.append(lineAt(m_source.rows, row)->amount());
            shares.perLine = nutrition::lineShares(amounts, *m_nutrient);
            for (const std::optional<double>& share : std::as_const(shares.perLine))
                shares.largest = std::max(shares.largest, share.value_or(0));
        }
        m_shares = std::move(shares);
    }
    return *m_shares;
}

void RecipeExplainer::toggleShares(Nutrient nutrient)
{
    if (m_nutrient == nutrient)
        m_nutrient.reset();
    else if (m_source.rows->count() > 0)
        m_nutrient = nutrient;
    linesChanged();
}

bool RecipeExplainer::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && watched == parent()) {
        reworkLines();
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
    for (const NutritionPanel::Row& row : m_source.panel->rows()) {
        QString spoken = nutrition::nutrientName(row.nutrient);
        const QString amount = row.value->text().trimmed();
        if (!amount.isEmpty())
            spoken += QLatin1Char(' ') + spokenAmount(amount);
        const QString percent = row.percent ? row.percent->text().trimmed() : QString();
        if (!percent.isEmpty())
            spoken += QStringLiteral(", ") + percent.chopped(percent.endsWith(u'%') ? 1 : 0) +
                      QStringLiteral(" percent of daily value");
        row.value->setAccessibleName(spoken);
        row.value->setAccessibleDescription(
            QStringLiteral("Press Space to show or hide each recipe line's share of ") +
            nutrition::nutrientName(row.nutrient));
    }
}

void RecipeExplainer::showActiveRow()
{
    for (const NutritionPanel::Row& row : m_source.panel->rows()) {
        const bool shown = m_nutrient == row.nutrient;
        if (row.value->property("shown").toBool() == shown)
            continue;
        row.value->setProperty("shown", shown);
        row.value->style()->unpolish(row.value);
        row.value->style()->polish(row.value);
    }
}

} // namespace zestora
