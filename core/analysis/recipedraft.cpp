#include "core/analysis/recipedraft.h"

#include "core/recipes/recipeview.h"
#include "core/store/ingtable.h"
#include "core/store/recipemarks.h"
#include "core/text.h"

#include <algorithm>

namespace zestora {

namespace {

// A line with the fields its entry reads back, as they will once the recipe is stored.
DraftLine lineOf(QString row, QString entry)
{
    lines::EntryFields fields = lines::entryFields(entry);
    return {std::move(row), std::move(entry), std::move(fields)};
}

DraftLine headingLine(const QString& text)
{
    return lineOf(lines::headingRow(text), lines::headingEntry(text));
}

} // namespace

RecipeDraft::RecipeDraft(const IngTable& ingredients)
    : m_ingredients(ingredients)
{
}

void RecipeDraft::reset()
{
    m_lines.clear();
    m_totals = {};
    m_panelShown = false;
    m_shares = {};
    m_servingsText = QStringLiteral("1");
    m_newServings = 1;
    m_oldServings = 1;
    m_saved = false;
}

int RecipeDraft::ingredientCount() const
{
    return static_cast<int>(std::ranges::count_if(m_lines, &DraftLine::isIngredient));
}

int RecipeDraft::insertAt(int position, DraftLine line)
{
    // A pending place past the end (lines were taken out since) appends.
    const int at = qBound(0, position, lineCount());
    m_lines.insert(at, std::move(line));
    return at;
}

int RecipeDraft::addIngredient(const IngRecord& ingredient, const QString& name,
                               const quantity::Entry& quantity, const QString& unit)
{
    return addLines({NewLine{ingredient, name, quantity, unit}}).front();
}

QList<int> RecipeDraft::addLines(const QList<NewLine>& lines)
{
    if (lines.isEmpty())
        return {}; // a pending Insert or Replace waits on
    int at = lineCount();
    if (m_insertPending || m_replacePending) {
        // A pending place past the end (lines were taken out since) appends.
        at = qBound(0, static_cast<int>(m_pendingLine), lineCount());
        m_insertPending = false;
        m_replacePending = false;
    }
    QList<int> added;
    for (const NewLine& line : lines) {
        if (line.ingredient) {
            const QString text = line.quantity.text();
            m_lines.insert(at, lineOf(lines::ingredientRow(line.name, text, line.unit),
                                      lines::ingredientEntry(line.name, line.quantity.fractionMode,
                                                             text, line.unit)));
            // Until OK confirms a servings change the totals are for the servings before it: the
            // line counts by them, and OK then rescales every line exactly once.
            nutrition::addLineNutrients(m_totals, *line.ingredient, line.unit,
                                        line.quantity.value(), m_oldServings);
            m_panelShown = true;
        } else {
            if (at > 0 && m_lines.at(at - 1).isIngredient()) {
                m_lines.insert(at, headingLine(lines::blankLine));
                added.append(at++);
            }
            m_lines.insert(at, headingLine(line.name));
        }
        added.append(at++);
    }
    showTotals();
    m_saved = false;
    return added;
}

QList<int> RecipeDraft::addHeading(const QString& text)
{
    if (m_insertPending) {
        m_insertPending = false;
        m_replacePending = false;
        return {insertAt(m_pendingLine, headingLine(text))};
    }
    QList<int> added;
    if (!m_lines.isEmpty())
        added.append(insertAt(lineCount(), headingLine(lines::blankLine)));
    added.append(insertAt(lineCount(), headingLine(text)));
    return added;
}

bool RecipeDraft::edit(int row, Edit choice)
{
    // Each choice sets its own flag; one still pending from before stays until it is used.
    if (choice == Edit::Insert)
        m_insertPending = true;
    else if (choice == Edit::Replace)
        m_replacePending = true;
    m_saved = false;
    if (choice == Edit::Delete || m_replacePending) {
        removeLine(row);
        if (m_replacePending)
            m_pendingLine = static_cast<qint16>(row);
        return true;
    }
    if (m_insertPending)
        m_pendingLine = static_cast<qint16>(row + 1);
    return false;
}

void RecipeDraft::removeLine(int row)
{
    const lines::EntryFields& fields = m_lines.at(row).fields;
    if (!fields.name.isEmpty()) {
        // The line's own ingredient as stored now; headings and blank lines hold no nutrients.
        const int index = m_ingredients.lastIndexOfNameIgnoringCase(fields.name);
        if (index >= 0) {
            nutrition::addLineNutrients(m_totals, m_ingredients.at(index), fields.unit,
                                        -quantity::quantityValue(fields.quantity), m_oldServings);
            m_panelShown = true;
        }
    }
    m_lines.removeAt(row);
    showTotals();
}

void RecipeDraft::chooseServings(const quantity::Servings& servings)
{
    m_servingsText = servings.text;
    m_newServings = servings.divisor;
    m_saved = false;
}

bool RecipeDraft::confirmServings()
{
    const bool rescaled = m_newServings != m_oldServings && !m_lines.isEmpty();
    if (rescaled) {
        nutrition::rescale(m_totals, m_oldServings, m_newServings);
        m_panelShown = true;
        showTotals();
    }
    m_oldServings = m_newServings;
    return rescaled;
}

std::optional<nutrition::PanelTexts> RecipeDraft::panel() const
{
    if (!m_panelShown)
        return std::nullopt;
    return nutrition::panelTexts(m_totals);
}

void RecipeDraft::showTotals()
{
    if (m_panelShown) {
        if (const std::optional<nutrition::CalorieShares> shares =
                nutrition::calorieShares(m_totals))
            m_shares = *shares;
    }
    if (m_lines.isEmpty()) {
        // What rounding left over goes too, so that an empty recipe reads zero.
        m_shares = nutrition::noLineShares();
        m_totals = {};
        m_panelShown = true;
    }
}

QString RecipeDraft::record(const QString& name, const QString& directions) const
{
    QStringList entries;
    entries.reserve(m_lines.size());
    for (const DraftLine& line : m_lines)
        entries.append(line.entry);
    return lines::recipeRecord(name, m_servingsText, entries, directions);
}

std::optional<QString> RecipeDraft::unstorableText(const QString& name,
                                                   const QString& directions) const
{
    struct Piece {
        QString what;
        QString text;
    };
    QList<Piece> pieces{{QStringLiteral("the recipe name"), name},
                        {QStringLiteral("the directions"), directions}};
    for (const DraftLine& line : m_lines) {
        const lines::EntryFields& fields = line.fields;
        if (fields.name.isEmpty()) {
            pieces.append({QStringLiteral("the heading \"%1\"").arg(line.row), line.row});
        } else {
            pieces.append(
                {QStringLiteral("the ingredient name \"%1\"").arg(fields.name), fields.name});
            pieces.append({QStringLiteral("the measure \"%1\"").arg(fields.unit), fields.unit});
        }
    }
    for (const Piece& piece : pieces) {
        if (const std::optional<char32_t> bad = firstCharOutsideCp1252(piece.text))
            return QStringLiteral("The character %1 in %2 cannot be stored in the recipe file, "
                                  "which holds only Western European letters and signs.")
                .arg(describeChar(*bad), piece.what);
        if (const std::optional<QChar> mark = marks::firstMarkIn(piece.text))
            return QStringLiteral("The character %1 in %2 cannot be stored in a recipe: the recipe "
                                  "file uses it to mark where the parts of a recipe begin and end.")
                .arg(describeChar(*mark), piece.what);
    }
    return std::nullopt;
}

void RecipeDraft::takeOver(const RecipeView& recipe)
{
    m_lines.clear();
    m_lines.reserve(recipe.entries.size());
    for (qsizetype i = 0; i < recipe.entries.size(); ++i)
        m_lines.append(lineOf(recipe.rows.value(i), recipe.entries[i]));
    // Where an ingredient was missing the screen showed the totals up to it; every line comes
    // over, so the nutrients of the lines after it come too.
    const bool missing = recipe.missingIngredient.has_value();
    m_totals = missing ? recipe.editTotals : recipe.viewTotals;
    m_panelShown = missing || recipe.ingredientLines > 0;
    m_shares = m_panelShown
                   ? nutrition::calorieShares(m_totals).value_or(nutrition::CalorieShares{})
                   : nutrition::CalorieShares{};
    // Servings the spinner shows take its divisor (a third is 0.333, as when chosen on it); any
    // other text ("2.5") keeps the recipe's own divisor and stays as stored, so that saving the
    // recipe unchanged keeps it.
    m_servingsText = recipe.servingsText;
    const quantity::Servings onSpinner = quantity::servingsFor(
        quantity::servingsSpinnerValue(recipe.servingsText, recipe.shownServings));
    m_newServings =
        onSpinner.text == recipe.servingsText ? onSpinner.divisor : recipe.shownServings;
    m_oldServings = m_newServings;
    m_saved = true;
}

int RecipeDraft::servingsSpinnerValue() const
{
    return quantity::servingsSpinnerValue(m_servingsText, m_newServings);
}

} // namespace zestora
