#include "analysis/recipeexplainer.h"

#include "analysis/caloriebar.h"
#include "core/analysis/nutrition.h"

#include <QBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTimer>

#include <cmath>

namespace zestora {

using nutrition::Nutrient;

namespace {

constexpr int gramsRole = Qt::UserRole + 1;
constexpr int shareRole = Qt::UserRole + 2;
constexpr int shareBarWidth = 40;

struct PanelRow {
    Nutrient nutrient;
    const char* value;
    const char* percent; // none for the rows without a daily value
};

constexpr std::array<PanelRow, nutrition::nutrientCount> panelRows{{
    {Nutrient::Calories, "lblCals", nullptr},
    {Nutrient::TotalFat, "lblFg", "lblFP"},
    {Nutrient::SatFat, "lblSFg", "lblSFP"},
    {Nutrient::Cholesterol, "lblCg", "lblCP"},
    {Nutrient::Sodium, "lblSg", "lblSP"},
    {Nutrient::TotalCarbs, "lblTCg", "lblTCP"},
    {Nutrient::Fiber, "lblTFg", "lblTFP"},
    {Nutrient::Protein, "lblPg", nullptr},
}};

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
    using QStyledItemDelegate::QStyledItemDelegate;

    bool showingShares = false;
    double largestShare = 0;

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
            font.setBold(value > 0 && value >= largestShare - 1e-9);
            painter->setFont(font);
            painter->setPen(option.palette.color(QPalette::Text));
            painter->drawText(QRect(outline.right() + 1, full.top(), full.right() - outline.right(),
                                    full.height()),
                              Qt::AlignRight | Qt::AlignVCenter, shareText(value));
        }
        painter->restore();
    }
};

} // namespace

RecipeExplainer::RecipeExplainer(QWidget* screen, const IngTable& ingredients, Source source)
    : QObject(screen)
    , m_ingredients(ingredients)
    , m_source(std::move(source))
    , m_bar(new CalorieBar(screen))
    , m_pending(new QTimer(this))
{
    QListWidget* rows = m_source.rows;
    rows->setItemDelegate(new LineDelegate(rows));
    if (rows->accessibleName().isEmpty())
        rows->setAccessibleName(QStringLiteral("Recipe ingredients"));
    m_pending->setSingleShot(true);
    m_pending->setInterval(0);
    connect(m_pending, &QTimer::timeout, this, &RecipeExplainer::refresh);
    QAbstractItemModel* model = rows->model();
    for (auto changed : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(model, changed, m_pending, qOverload<>(&QTimer::start));
    // Another recipe, or none: the shares go with the old one.
    connect(model, &QAbstractItemModel::modelReset, this, [this] {
        m_nutrient.reset();
        m_pending->start();
    });

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

    const QList<QLabel*> labels = screen->findChildren<QLabel*>();
    for (const PanelRow& panelRow : panelRows) {
        Row row{panelRow.nutrient, screen->findChild<QLabel*>(QLatin1String(panelRow.value)), {}};
        if (panelRow.percent)
            row.percent = screen->findChild<QLabel*>(QLatin1String(panelRow.percent));
        const QString caption = nutrition::nutrientName(panelRow.nutrient);
        for (QLabel* label : labels) {
            const QString text = label->text().trimmed();
            // The stored recipes panel writes "Total Carbohydrate" on two labels.
            if (text == caption ||
                (panelRow.nutrient == Nutrient::TotalCarbs &&
                 (text == QLatin1String("Total") || text == QLatin1String("Carbohydrate"))))
                row.clickable.append(label);
        }
        row.clickable.append(row.value);
        if (row.percent)
            row.clickable.append(row.percent);
        for (QLabel* label : std::as_const(row.clickable)) {
            label->installEventFilter(this);
            label->setCursor(Qt::PointingHandCursor);
        }
        row.value->setFocusPolicy(Qt::StrongFocus);
        row.value->setStyleSheet(
            QStringLiteral("QLabel:focus { text-decoration: underline; }"
                           "QLabel[shown=\"true\"] { background-color: palette(highlight);"
                           " color: palette(highlighted-text); }"));
        m_panelRows.append(row);
    }
    refresh();
}

void RecipeExplainer::refresh()
{
    m_pending->stop();
    if (m_source.rows->count() == 0)
        m_nutrient.reset();
    describePanel();
    markLines();
    showActiveRow();
    m_bar->setShares(m_source.chart());
}

void RecipeExplainer::toggleShares(Nutrient nutrient)
{
    if (m_nutrient == nutrient)
        m_nutrient.reset();
    else if (m_source.rows->count() > 0)
        m_nutrient = nutrient;
    refresh();
}

bool RecipeExplainer::eventFilter(QObject* watched, QEvent* event)
{
    const auto isKey = [event] {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
    };
    const bool click = event->type() == QEvent::MouseButtonRelease;
    if (click || isKey()) {
        for (const Row& row : std::as_const(m_panelRows)) {
            if (row.clickable.contains(watched) && (click || watched == row.value)) {
                toggleShares(row.nutrient);
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

void RecipeExplainer::describePanel()
{
    for (const Row& row : std::as_const(m_panelRows)) {
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

void RecipeExplainer::markLines()
{
    QListWidget* rows = m_source.rows;
    const QStringList entries = m_source.entries().mid(0, rows->count());
    const auto amounts = nutrition::lineAmounts(entries, m_ingredients, m_source.servings());
    QList<std::optional<double>> shares;
    if (m_nutrient)
        shares = nutrition::lineShares(amounts, *m_nutrient);
    double largest = 0;
    for (const std::optional<double>& share : std::as_const(shares))
        largest = std::max(largest, share.value_or(0));
    auto* delegate = static_cast<LineDelegate*>(rows->itemDelegate());
    delegate->showingShares = m_nutrient.has_value();
    delegate->largestShare = largest;

    const QString nutrientName = m_nutrient ? nutrition::nutrientName(*m_nutrient) : QString();
    for (int i = 0; i < rows->count(); ++i) {
        QListWidgetItem* item = rows->item(i);
        const nutrition::LineAmount* amount =
            i < amounts.size() && amounts[i] ? &*amounts[i] : nullptr;
        QVariant share;
        if (i < shares.size() && shares[i])
            share = *shares[i];
        QString spoken = item->text().trimmed();
        QString grams;
        if (amount && amount->grams) {
            grams = nutrition::gramsText(*amount->grams);
            spoken += QStringLiteral(", ") + grams;
        }
        if (share.isValid())
            spoken += QStringLiteral(", ") +
                      shareText(share.toDouble()).replace(u'%', QStringLiteral("percent")) +
                      QStringLiteral(" of ") + nutrientName;
        item->setData(gramsRole, grams.isEmpty() ? QVariant() : QVariant(grams));
        item->setData(shareRole, share);
        item->setData(Qt::ToolTipRole, amount ? amount->workings : QVariant());
        item->setData(Qt::AccessibleTextRole, spoken);
        item->setData(Qt::AccessibleDescriptionRole, amount ? amount->workings : QVariant());
    }
    rows->setAccessibleDescription(
        m_nutrient ? QStringLiteral("Each line with its weight and its share of ") + nutrientName
                   : QStringLiteral("Each line with its weight"));
    rows->viewport()->update();
}

void RecipeExplainer::showActiveRow()
{
    for (const Row& row : std::as_const(m_panelRows)) {
        const bool shown = m_nutrient == row.nutrient;
        if (row.value->property("shown").toBool() == shown)
            continue;
        row.value->setProperty("shown", shown);
        row.value->style()->unpolish(row.value);
        row.value->style()->polish(row.value);
    }
}

} // namespace zestora
