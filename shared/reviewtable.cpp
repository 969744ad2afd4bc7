#include "shared/reviewtable.h"

#include "core/analysis/lineamounts.h"
#include "core/paste/foodindex.h"
#include "core/shell/helptopics.h"
#include "core/store/ingtable.h"
#include "platform/helpviewer.h"
#include "shared/searchdialog.h"
#include "widgets/elidedcombobox.h"

#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QTimer>

#include <functional>

namespace zestora {

namespace {
// The food list's last entry, which opens the search of every food.
constexpr int searchItem = -2;

QTableWidgetItem* textItem(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

// A drop-down in a cell being changed that knows whether its list was just closed, so that a
// choice made there is told from one made by a key on the closed drop-down.
class ChoiceBox : public QComboBox {
public:
    using QComboBox::QComboBox;
    void hidePopup() override
    {
        QComboBox::hidePopup();
        // The choice made in the list, if any, is activated right after; Escape activates none.
        m_listClosed = true;
        QTimer::singleShot(0, this, [this] { m_listClosed = false; });
    }
    bool chosenInList() const { return m_listClosed; }

private:
    bool m_listClosed = false;
};

// A cell whose value is chosen from a drop-down takes a choice made in its list at once: the
// mouse gives no Enter, and a click on a scroll bar or header takes no focus from the drop-down.
// Keys on the closed drop-down only move the choice until Enter or leaving the cell.
class ChoiceDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    QComboBox* choices(QWidget* parent, const QString& name) const
    {
        auto* box = new ChoiceBox(parent);
        box->setObjectName(name);
        connect(box, &QComboBox::activated, this, &ChoiceDelegate::take);
        return box;
    }

private:
    void take()
    {
        auto* box = static_cast<ChoiceBox*>(sender());
        if (!box->chosenInList())
            return;
        Q_EMIT commitData(box);
        Q_EMIT closeEditor(box);
    }
};

// The unit of a line is chosen from its food's measures, as on the analysis screen.
class UnitDelegate : public ChoiceDelegate {
public:
    UnitDelegate(ReviewTable* table, std::function<QStringList(int row)> units)
        : ChoiceDelegate(table)
        , m_units(std::move(units))
    {
    }
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override
    {
        QComboBox* units = choices(parent, QStringLiteral("UnitLst_%1").arg(index.row()));
        units->addItems(m_units(index.row()));
        return units;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        static_cast<QComboBox*>(editor)->setCurrentText(index.data().toString());
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override
    {
        model->setData(index, static_cast<QComboBox*>(editor)->currentText());
    }

private:
    std::function<QStringList(int row)> m_units;
};

// How much of a line counts is chosen from the few ways a recipe uses what nobody eats.
class CountedDelegate : public ChoiceDelegate {
public:
    using ChoiceDelegate::ChoiceDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override
    {
        QComboBox* ways = choices(parent, QStringLiteral("CountedLst_%1").arg(index.row()));
        for (const paste::Eaten eaten : paste::eatenChoices())
            ways->addItem(paste::eatenName(eaten), static_cast<int>(eaten));
        return ways;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        auto* choices = static_cast<QComboBox*>(editor);
        choices->setCurrentIndex(choices->findData(index.data(Qt::UserRole)));
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override
    {
        model->setData(index, static_cast<QComboBox*>(editor)->currentData(), Qt::UserRole);
    }
};
} // namespace

ReviewTable::ReviewTable(QWidget* parent)
    : QTableWidget(0, CountedColumn + 1, parent)
{
    setHorizontalHeaderLabels({QStringLiteral("Line"), QStringLiteral("Food"),
                               QStringLiteral("Quantity"), QStringLiteral("Unit"),
                               QStringLiteral("Grams"), QStringLiteral("Check"),
                               QStringLiteral("Counted")});
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // A line's quantity and unit are edited in place: type over the quantity, choose the unit.
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed |
                    QAbstractItemView::DoubleClicked);
    setItemDelegateForColumn(UnitColumn, new UnitDelegate(this, [this](int row) {
                                 const paste::ReviewedLine& line = m_lines[row];
                                 return line.matched() ? paste::measureList(
                                                             m_index->ingredients().at(line.food))
                                                       : QStringList();
                             }));
    setItemDelegateForColumn(CountedColumn, new CountedDelegate(this));
    // Tab goes from the table to each line's food list, then on to the window's buttons.
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    QHeaderView* header = horizontalHeader();
    // The columns are measured when the lines are shown, and keep their widths while the user
    // changes foods and amounts.
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setSectionResizeMode(LineColumn, QHeaderView::Stretch);
    connect(this, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (item->column() == QuantityColumn || item->column() == UnitColumn) {
            amountEdited(item->row());
            return;
        }
        if (item->column() == CountedColumn) {
            eatenChosen(item->row(), static_cast<paste::Eaten>(item->data(Qt::UserRole).toInt()));
            return;
        }
        if (item->column() != LineColumn || !(item->flags() & Qt::ItemIsUserCheckable))
            return;
        const bool leftOut = item->checkState() != Qt::Checked;
        if (std::exchange(m_lines[item->row()].leftOut, leftOut) != leftOut)
            changedByUser();
    });
}

void ReviewTable::setUp(paste::FoodIndex& index, const SortedNameModel& names, HelpViewer& help)
{
    m_index = &index;
    m_names = &names;
    m_help = &help;
}

void ReviewTable::showLines(QList<paste::ReviewedLine> lines)
{
    m_lines = std::move(lines);
    m_changedByUser = false;
    m_foodLists.clear();
    setRowCount(0);
    setRowCount(static_cast<int>(m_lines.size()));
    QWidget* previous = this;
    for (int row = 0; row < rowCount(); ++row) {
        if (m_lines[row].isIngredient()) {
            QComboBox* foods = foodList(row);
            setTabOrder(previous, foods);
            previous = foods;
        }
        showRow(row);
    }
    for (const int column : {QuantityColumn, UnitColumn, GramsColumn})
        resizeColumnToContents(column);
    // Room for any note a food chosen later brings, so that the columns hold still. Each is
    // measured as the view measures a cell, grid line included: a pixel short and it wraps. A
    // weight's estimate, longer, wraps within the column rather than push the columns after
    // the food out of a 1024-pixel screen.
    QStyleOptionViewItem note;
    initViewItemOption(&note);
    note.font.setBold(true);
    note.fontMetrics = QFontMetrics(note.font);
    note.features |= QStyleOptionViewItem::HasDisplay;
    int noteWidth = horizontalHeader()->sectionSizeHint(NoteColumn);
    for (const QString& text : paste::ReviewedLine::notes()) {
        note.text = text;
        const QSize size = style()->sizeFromContents(QStyle::CT_ItemViewItem, &note, QSize(), this);
        noteWidth = std::max(noteWidth, size.width() + (showGrid() ? 1 : 0));
    }
    horizontalHeader()->resizeSection(NoteColumn, noteWidth);
    horizontalHeader()->resizeSection(FoodColumn, 300);
    if (rowCount() > 0)
        setCurrentCell(0, LineColumn);
    Q_EMIT linesChanged();
}

bool ReviewTable::focusNextPrevChild(bool next)
{
    // Tab goes on from the chosen line to its food, not to the first line's.
    if (next && hasFocus() && currentRow() >= 0)
        if (QWidget* foods = cellWidget(currentRow(), FoodColumn)) {
            foods->setFocus(Qt::TabFocusReason);
            return true;
        }
    return QTableWidget::focusNextPrevChild(next);
}

QWidget* ReviewTable::lastInTabOrder()
{
    if (m_foodLists.isEmpty())
        return this;
    return m_foodLists.last();
}

bool ReviewTable::anyLineGoesIn() const
{
    return !paste::draftLines(m_lines, m_index->ingredients()).isEmpty();
}

QString ReviewTable::summary() const
{
    int ingredients = 0;
    int goingIn = 0;
    int marked = 0;
    int estimated = 0;
    for (const paste::ReviewedLine& line : m_lines) {
        if (!line.isIngredient())
            continue;
        ++ingredients;
        const bool goesIn =
            !line.leftOut && paste::acceptedLine(line, m_index->ingredients()).has_value();
        goingIn += goesIn;
        estimated += goesIn && !line.measure.estimate.isEmpty();
        marked += !line.note().isEmpty();
    }
    QString text = QStringLiteral("%1 of %2 ingredient lines go in; %3 marked to check.")
                       .arg(goingIn)
                       .arg(ingredients)
                       .arg(marked);
    if (estimated > 0)
        text += QStringLiteral(" %1 weighed by an estimate.").arg(estimated);
    return text;
}

QComboBox* ReviewTable::foodList(int row)
{
    const paste::ReviewedLine& line = m_lines[row];
    const IngTable& ingredients = m_index->ingredients();
    // A long name ends in "..." with all of it in the tool tip, as the column leaves the line
    // beside it room to be read.
    auto* foods = new ElidedComboBox(this);
    foods->setObjectName(QStringLiteral("FoodLst_%1").arg(row));
    foods->setAccessibleName(QStringLiteral("Food for %1").arg(line.line.text));
    foods->setPlaceholderText(QStringLiteral("No food: choose one"));
    for (const paste::FoodMatch& match : line.foods)
        foods->addItem(ingredients.at(match.index).trimmedName(), match.index);
    if (line.matched() && foods->findData(line.food) < 0)
        foods->addItem(ingredients.at(line.food).trimmedName(), line.food);
    foods->addItem(QStringLiteral("Search all foods..."), searchItem);
    foods->setCurrentIndex(foods->findData(line.food));
    connect(foods, &QComboBox::activated, this, [this, row, foods](int item) {
        // The search window opens once the list has closed and let go of the mouse: opened
        // from within the list's click, it would swallow the user's next click.
        QMetaObject::invokeMethod(
            this,
            [this, row, foods = QPointer(foods), item] {
                if (foods) // the lines were not read again meanwhile
                    foodChosen(row, foods, item);
            },
            Qt::QueuedConnection);
    });
    setCellWidget(row, FoodColumn, foods);
    m_foodLists.append(foods);
    return foods;
}

void ReviewTable::foodChosen(int row, QComboBox* foods, int item)
{
    paste::ReviewedLine& line = m_lines[row];
    int food = foods->itemData(item).toInt();
    if (food == searchItem) {
        food = -1;
        SearchDialog::search(this, *m_help, *m_names, [&](const QString& name) {
            food = m_index->ingredients().lastIndexOfNameIgnoringCase(name);
        });
        if (food < 0) { // nothing chosen: the line keeps its food
            foods->setCurrentIndex(foods->findData(line.food));
            return;
        }
        if (foods->findData(food) < 0)
            foods->insertItem(foods->count() - 1, m_index->ingredients().at(food).trimmedName(),
                              food);
        foods->setCurrentIndex(foods->findData(food));
    }
    paste::chooseFood(line, food, m_index->ingredients(), m_index->weights());
    line.chosen = true;
    line.leftOut = false; // a food chosen for a line is meant to go in
    recount();
    changedByUser();
}

void ReviewTable::amountEdited(int row)
{
    paste::ReviewedLine& line = m_lines[row];
    if (paste::setAmount(line, item(row, QuantityColumn)->text(), item(row, UnitColumn)->text(),
                         m_index->ingredients(), m_index->weights()))
        line.leftOut = false; // an amount given to a line is meant to go in
    // A text that is no amount goes back to the line's amount.
    recount();
    changedByUser();
}

void ReviewTable::eatenChosen(int row, paste::Eaten eaten)
{
    if (std::exchange(m_lines[row].eaten, eaten) == eaten)
        return;
    recount();
    changedByUser();
}

void ReviewTable::recount()
{
    // Frying oil counts a share of the other lines: every line's part is worked out again.
    paste::countParts(m_lines, m_index->ingredients(), m_index->weights());
    for (int row = 0; row < rowCount(); ++row)
        showRow(row);
}

void ReviewTable::changedByUser()
{
    m_changedByUser = true;
    Q_EMIT linesChanged();
}

void ReviewTable::showRow(int row)
{
    const QSignalBlocker quiet(this);
    const paste::ReviewedLine& line = m_lines[row];
    // Headings stand out, and so does what a line lacks.
    QFont bold = font();
    bold.setBold(true);
    auto* text = new QTableWidgetItem(line.isHeading() ? line.line.heading : line.line.text);
    text->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    const std::optional<paste::OrdinaryLine> ordinary =
        line.isIngredient() ? paste::acceptedLine(line, m_index->ingredients()) : std::nullopt;
    if (line.isHeading() || ordinary) {
        text->setFlags(text->flags() | Qt::ItemIsUserCheckable);
        text->setCheckState(line.leftOut ? Qt::Unchecked : Qt::Checked);
    }
    if (line.isHeading())
        text->setFont(bold);
    setItem(row, LineColumn, text);
    QString quantity;
    QString unit;
    QString grams;
    if (ordinary) {
        quantity = ordinary->quantity;
        unit = ordinary->unit;
        if (const auto amount = nutrition::lineAmount(ordinary->entry(), m_index->ingredients(), 1);
            amount && amount->grams)
            grams = nutrition::gramsText(*amount->grams);
    } else if (line.line.hasQuantity()) {
        quantity = QString::number(*line.line.quantity);
        unit = line.line.unit;
    }
    showText(row, QuantityColumn, quantity, line.isIngredient());
    showText(row, UnitColumn, unit, line.matched());
    showText(row, GramsColumn, grams, false);
    // A weight the line has by an estimate says so, with where it came from.
    QString note = line.isHeading() ? QStringLiteral("Heading") : line.note();
    if (note.isEmpty() && ordinary && !line.measure.estimate.isEmpty())
        note = line.measure.estimate.front().toUpper() + line.measure.estimate.sliced(1);
    showText(row, NoteColumn, note, false);
    item(row, NoteColumn)->setToolTip(note); // all of an estimate its lines may not hold
    if (!line.isHeading())
        item(row, NoteColumn)->setFont(bold);
    QStringList counted{line.line.measures, line.measure.edible, paste::eatenText(line)};
    counted.removeAll(QString());
    showText(row, CountedColumn, counted.join(QStringLiteral("; ")), line.isIngredient());
    item(row, CountedColumn)->setData(Qt::UserRole, static_cast<int>(line.eaten));
}

void ReviewTable::showText(int row, int column, const QString& text, bool editable)
{
    // The cell's item stays: it may be the one whose edit is being taken.
    QTableWidgetItem* cell = item(row, column);
    if (!cell) {
        cell = textItem(text);
        setItem(row, column, cell);
    }
    cell->setText(text);
    cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable |
                   (editable ? Qt::ItemIsEditable : Qt::NoItemFlags));
}

void setUpReviewWindow(QDialog* window, ReviewTable* table, QLabel* summary, QPushButton* help,
                       HelpViewer& helpViewer)
{
    // Room for the lines and their foods, in the middle of the screen: on a 1024-pixel screen
    // nearly all of its width, frame included, so that every column is in view.
    const QRect area = window->screen()->availableGeometry();
    window->resize(qMin(1000, area.width()), qMin(640, area.height()));
    window->move(area.center() - window->rect().center());
    HelpViewer::setWindowContext(window, help::pasteContext);
    QObject::connect(help, &QPushButton::clicked, window,
                     [&helpViewer] { helpViewer.showHelp(help::pasteContext); });
    QObject::connect(table, &ReviewTable::linesChanged, summary,
                     [table, summary] { summary->setText(table->summary()); });
}

} // namespace zestora
