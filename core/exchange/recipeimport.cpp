#include "core/exchange/recipeimport.h"

#include "core/analysis/recipedraft.h"
#include "core/analysis/recipelines.h"
#include "core/exchange/linenotes.h"
#include "core/exchange/mealmaster.h"
#include "core/exchange/plaintext.h"
#include "core/paste/eachfood.h"
#include "core/paste/foodindex.h"
#include "core/recipes/cookedweights.h"
#include "core/store/recipemarks.h"
#include "core/text.h"

#include <QRegularExpression>

#include <cmath>

namespace zestora::exchange {

quantity::Servings servingsOfYield(const QString& yield)
{
    const std::optional<float> amount = paste::readYieldServings(yield);
    if (!amount || !(*amount > 0))
        return quantity::servingsFor(quantity::servingsForOne);
    if (*amount >= 1)
        return quantity::servingsFor(static_cast<int>(qMin<double>(
            std::round(*amount) + (quantity::servingsForOne - 1), quantity::servingsMaximum)));
    int nearest = 1;
    for (int index = 2; index < quantity::fractionCount; ++index)
        if (std::abs(quantity::fractionValue(index) - *amount) <
            std::abs(quantity::fractionValue(nearest) - *amount))
            nearest = index;
    return quantity::servingsFor(nearest);
}

namespace {

// An ingredient line of the file as a cook would write it: "1 1/2 cup Flour, all-purpose".
paste::IngredientLine ingredientLine(const mealmaster::Ingredient& ingredient, QString* rest)
{
    if (ingredient.heading) {
        paste::IngredientLine heading;
        heading.kind = paste::LineKind::Heading;
        heading.text = storableText(ingredient.text);
        heading.heading = heading.text.isEmpty() ? lines::blankLine : heading.text;
        return heading;
    }
    QStringList parts;
    // "x" (per serving) and "ea" (each) say no more than the number.
    if (ingredient.unit.compare(QLatin1String("x"), Qt::CaseInsensitive) != 0 &&
        ingredient.unit.compare(QLatin1String("ea"), Qt::CaseInsensitive) != 0)
        parts.append(mealmaster::unitOfCode(ingredient.unit));
    parts.append(storableText(ingredient.text));
    parts.removeAll(QString());
    *rest = parts.join(u' ');
    const QString text = QStringList{ingredient.quantity, *rest}.join(u' ').trimmed();
    paste::IngredientLine line = paste::readIngredientLine(text);
    // The file says which lines are headings; an ingredient written in capitals is not one.
    if (line.kind != paste::LineKind::Ingredient) {
        line = paste::readIngredientLine(text.toLower());
        line.kind = paste::LineKind::Ingredient;
        line.text = text;
    }
    return line;
}

// A quantity exactly as the spinners write it: "2", "1/3", "2 1/2", "0.5", and "2.0" for the
// whole number 2 given in decimal mode.
std::optional<quantity::Entry> spinnerQuantity(const QString& text)
{
    static const QRegularExpression written(
        QStringLiteral(R"(^(?:(\d{1,4})(?: (\d/\d))?|(\d/\d)|(\d{1,4})\.(\d))$)"));
    const QRegularExpressionMatch match = written.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    quantity::Entry quantity;
    if (match.hasCaptured(4)) {
        quantity = {match.captured(4).toInt(), match.captured(5).toInt(), false};
    } else {
        quantity.ones = match.captured(1).toInt();
        const QString fraction = match.hasCaptured(2) ? match.captured(2) : match.captured(3);
        if (!fraction.isEmpty()) {
            for (int index = 1; index < quantity::fractionCount && quantity.fraction == 0; ++index)
                if (quantity::fractionText(index) == fraction)
                    quantity.fraction = index;
            if (quantity.fraction == 0)
                return std::nullopt;
        }
    }
    if (quantity.ones > 1000 || (quantity.ones == 0 && quantity.fraction == 0))
        return std::nullopt;
    return quantity;
}

// A line that names a stored food and one of its measures word for word, as Zestora's own export
// writes them ("2 stalk, medium Celery, raw": the measure, then the food): that food and that
// measure, as chosen by hand, without asking the matcher.
std::optional<paste::ReviewedLine> exactFood(const paste::IngredientLine& line,
                                             const QString& quantityText, const QString& rest,
                                             const IngTable& ingredients)
{
    const std::optional<quantity::Entry> quantity = spinnerQuantity(quantityText);
    if (!quantity)
        return std::nullopt;
    const auto lineOf = [&](const QString& unit, const QString& name) {
        const int food = ingredients.lastIndexOfNameIgnoringCase(name);
        if (food < 0)
            return std::optional<paste::ReviewedLine>();
        const QStringList measures = paste::measureList(ingredients.at(food));
        qsizetype found = measures.indexOf(unit);
        for (qsizetype i = 0; found < 0 && i < measures.size(); ++i)
            if (measures[i].compare(unit, Qt::CaseInsensitive) == 0)
                found = i;
        if (found < 0)
            return std::optional<paste::ReviewedLine>();
        paste::ReviewedLine reviewed;
        reviewed.line = line;
        reviewed.foods = {{food, 1}};
        reviewed.food = food;
        reviewed.chosen = true;
        reviewed.measure = {paste::MeasureStatus::Kept, *quantity, measures[found]};
        return std::optional(reviewed);
    };
    // A food whose own measure is its name is written once.
    if (std::optional<paste::ReviewedLine> named = lineOf(rest, rest))
        return named;
    for (qsizetype blank = rest.indexOf(u' '); blank > 0; blank = rest.indexOf(u' ', blank + 1))
        if (std::optional<paste::ReviewedLine> found =
                lineOf(rest.first(blank), rest.sliced(blank + 1)))
            return found;
    return std::nullopt;
}

// The same line where an export wrote a note after the food ("Butter, salted; melted"), the note
// kept as the line's only one. Some foods' own names hold the separator: the longest stored food
// wins.
std::optional<paste::ReviewedLine> exactLine(const paste::IngredientLine& line,
                                             const QString& quantityText, const QString& rest,
                                             const IngTable& ingredients)
{
    const QLatin1StringView separator(noteSeparator);
    for (qsizetype cut = rest.size(); cut > 0; cut = rest.lastIndexOf(separator, cut - 1))
        if (std::optional<paste::ReviewedLine> found =
                exactFood(line, quantityText, rest.first(cut), ingredients)) {
            found->line.notes.clear();
            if (cut < rest.size())
                found->line.notes.append(rest.sliced(cut + separator.size()));
            return found;
        }
    return std::nullopt;
}

// A line that gives an amount and has a food and a measure for it. One without an amount
// ("Salt to taste") cannot count, whatever food it is given, and does not wait for a review; nor
// does one that nobody eats.
bool goesInAsMatched(const paste::ReviewedLine& line, const IngTable& ingredients)
{
    return !line.isIngredient() || !line.line.hasQuantity() ||
           line.eaten == paste::Eaten::Nothing || paste::acceptedLine(line, ingredients);
}

QString lowerFirst(const QString& text)
{
    return text.first(qMin<qsizetype>(1, text.size())).toLower() +
           text.sliced(qMin<qsizetype>(1, text.size()));
}

} // namespace

ImportedRecipe importedRecipe(const mealmaster::Recipe& recipe, paste::FoodIndex& index)
{
    ImportedRecipe imported;
    // A title longer than a name may be is cut after its last whole word that fits, and kept
    // whole at the start of the directions.
    const QString title = storableText(trimSpaces(recipe.title));
    QString shortened = title.left(lines::maxNameLength);
    if (title.size() > lines::maxNameLength) {
        if (const qsizetype space = title.lastIndexOf(u' ', lines::maxNameLength);
            space > lines::maxNameLength / 2)
            shortened = title.left(space);
    }
    imported.name = trimSpaces(shortened);
    if (imported.name.isEmpty())
        imported.name = QStringLiteral("Untitled");
    imported.servings = servingsOfYield(recipe.yield);
    for (const mealmaster::Ingredient& ingredient : recipe.ingredients) {
        QString rest;
        const paste::IngredientLine line = ingredientLine(ingredient, &rest);
        if (line.kind != paste::LineKind::Heading) {
            // One amount for each of several foods is a line for each.
            if (const QStringList eachFood = paste::linesOfEachFood(line.text);
                eachFood.size() > 1) {
                for (const QString& food : eachFood)
                    imported.lines.append(index.review(paste::readIngredientLine(food)));
                continue;
            }
            if (std::optional<paste::ReviewedLine> exact =
                    exactLine(line, ingredient.quantity.trimmed(), rest, index.ingredients())) {
                imported.lines.append(*exact);
                continue;
            }
        }
        imported.lines.append(index.review(line));
    }
    // What nobody eats is found from the words of the lines and of the directions as written.
    index.countUneaten(imported.lines, recipe.directions.join(QStringLiteral("\r\n")));
    // The whole title; what the recipe makes when it is more than servings, and its categories;
    // what else the file says that the recipe has no place for, each under its label; then the
    // directions. The exports give the first three their own fields again.
    static const QRegularExpression servingsOnly(
        QStringLiteral(
            R"(^[\d\s/.-]*(?:(?:to|or)\s+[\d/.]+\s*)?(servings?|portions?|people|persons?)?\s*$)"),
        QRegularExpression::CaseInsensitiveOption);
    // The weight when cooked is the recipe's own again, not a line of its directions.
    QStringList notes = recipe.notes;
    notes.removeIf([&imported](const QString& note) {
        const std::optional<double> grams = cookedWeightOfNote(note);
        if (grams)
            imported.cookedGrams = grams;
        return grams.has_value();
    });
    QStringList source;
    if (!recipe.yield.trimmed().isEmpty() && !servingsOnly.match(recipe.yield).hasMatch())
        source.append(QLatin1StringView(makesLabel) + recipe.yield.trimmed());
    if (!recipe.categories.isEmpty())
        source.append(QLatin1StringView(categoriesLabel) +
                      recipe.categories.join(QStringLiteral(", ")));
    QStringList kept{title.size() > lines::maxNameLength ? title : QString(),
                     storableText(source.join(QStringLiteral("\r\n")))};
    kept.removeAll(QString());
    imported.source = kept.join(QStringLiteral("\r\n\r\n"));
    QStringList parts{storableText(notes.join(QStringLiteral("\r\n"))),
                      storableText(recipe.directions.join(QStringLiteral("\r\n")))};
    parts.removeAll(QString());
    imported.directions = parts.join(QStringLiteral("\r\n\r\n"));
    return imported;
}

bool ImportedRecipe::allMatched(const IngTable& ingredients) const
{
    return std::all_of(lines.cbegin(), lines.cend(),
                       [&ingredients](const paste::ReviewedLine& line) {
                           return goesInAsMatched(line, ingredients);
                       });
}

QStringList ImportedRecipe::linesToCheck(const IngTable& ingredients) const
{
    QStringList texts;
    for (const paste::ReviewedLine& line : lines)
        if (!goesInAsMatched(line, ingredients))
            texts.append(line.line.text + QStringLiteral(": ") + lowerFirst(line.note()));
    return texts;
}

ImportedRecipe::Account ImportedRecipe::account(const IngTable& ingredients) const
{
    Account account;
    for (const paste::ReviewedLine& line : lines) {
        if (!line.isIngredient())
            continue;
        if (line.leftOut)
            account.leftOut.append(line.line.text);
        else if (paste::acceptedLine(line, ingredients))
            ++account.counted;
        else
            account.notCounted.append(line.line.text + QStringLiteral(" (") +
                                      lowerFirst(line.note()) + u')');
    }
    return account;
}

QString ImportedRecipe::Account::text() const
{
    const qsizetype all = counted + notCounted.size() + leftOut.size();
    QString said = counted < all
                       ? QStringLiteral("%1 of %2 ingredient lines counted").arg(counted).arg(all)
                   : all == 1 ? QStringLiteral("its ingredient line counted")
                              : QStringLiteral("all %1 ingredient lines counted").arg(all);
    if (!notCounted.isEmpty())
        said += QStringLiteral("; %1 not counted, kept in the directions: %2")
                    .arg(notCounted.size())
                    .arg(notCounted.join(QStringLiteral("; ")));
    if (!leftOut.isEmpty())
        said += QStringLiteral("; %1 left out by you: %2")
                    .arg(leftOut.size())
                    .arg(leftOut.join(QStringLiteral("; ")));
    return said;
}

QString ImportedRecipe::record(const QString& storedName, const IngTable& ingredients,
                               QString* problem) const
{
    // The draft checks what the lines hold; the entries are made here, since the draft puts a
    // blank line before every heading that follows an ingredient and the file says where its own
    // blank lines are.
    RecipeDraft draft(ingredients);
    draft.addLines(paste::draftLines(lines, ingredients));
    QStringList entries;
    QStringList uncounted;
    QStringList noted; // the entries of the lines taken, and what each said beyond its food
    QStringList notes;
    for (const paste::ReviewedLine& line : lines) {
        if (line.leftOut)
            continue;
        if (line.isHeading()) {
            entries.append(
                lines::headingEntry(trimSpaces(line.line.heading).left(lines::maxHeadingLength)));
        } else if (const std::optional<paste::OrdinaryLine> ordinary =
                       paste::acceptedLine(line, ingredients)) {
            entries.append(ordinary->entry());
            noted.append(entries.constLast());
            notes.append(keptNote(line.line.notes, ordinary->name));
        } else if (line.isIngredient()) {
            uncounted.append(line.line.text);
        }
    }
    if (entries.isEmpty()) {
        *problem = QStringLiteral("None of its ingredients was matched to a stored food with an "
                                  "amount, and a recipe needs at least one line.");
        return QString();
    }
    QStringList parts{source, lineNotesParagraph(noted, notes), directions};
    parts.removeAll(QString());
    QString allDirections = trimSpaces(parts.join(QStringLiteral("\r\n\r\n")));
    if (!uncounted.isEmpty())
        allDirections += (allDirections.isEmpty() ? QString() : QStringLiteral("\r\n\r\n")) +
                         QLatin1StringView(notCountedLabel) + QStringLiteral("\r\n") +
                         uncounted.join(QStringLiteral("\r\n"));
    if (const std::optional<QString> unstorable =
            draft.unstorableText(trimSpaces(storedName), allDirections)) {
        *problem = *unstorable;
        return QString();
    }
    return lines::recipeRecord(storedName, servings.text, entries, allDirections);
}

ImportBatch::ImportBatch(const RecipeStore& storedRecipes)
    : m_storedRecipes(storedRecipes)
    , m_names(storedRecipes.recipeList())
{
}

ImportBatch::Check ImportBatch::check(const QString& name, const QString& record) const
{
    const QString trimmed = trimSpaces(name);
    // The body: what follows the name in the record.
    const QString body = record.sliced(record.indexOf(marks::asChar(marks::bodyStart)));
    for (const int index : m_names.sameNames(trimmed)) {
        if (index >= 0) {
            if (trimSpaces(m_storedRecipes.recipeList().at(index).recipeName) == trimmed &&
                m_storedRecipes.recipeBody(index) == body)
                return Check::AlreadyStored;
            continue;
        }
        for (const RecipeStore::NewRecipe& recipe : m_recipes)
            if (trimSpaces(recipe.name) == trimmed && recipe.record == record)
                return Check::AlreadyStored;
    }
    return m_names.matches(trimmed, true) || m_names.matches(trimmed, false) ? Check::NameTaken
                                                                             : Check::New;
}

void ImportBatch::add(const QString& name, const QString& record, std::optional<double> cookedGrams)
{
    m_recipes.append({trimSpaces(name), record});
    m_cookedGrams.append({trimSpaces(name), cookedGrams});
    m_names.add(name);
}

void ImportBatch::drop(const QString& name)
{
    const QString trimmed = trimSpaces(name);
    m_recipes.removeIf(
        [&trimmed](const RecipeStore::NewRecipe& recipe) { return recipe.name == trimmed; });
    m_cookedGrams.removeIf([&trimmed](const auto& weight) { return weight.first == trimmed; });
    storeChanged();
}

void ImportBatch::storeChanged()
{
    m_names = StoredNames(m_storedRecipes.recipeList());
    for (const RecipeStore::NewRecipe& recipe : std::as_const(m_recipes))
        m_names.add(recipe.name);
}

bool ImportBatch::store(RecipeStore& storedRecipes)
{
    if (!storedRecipes.appendRecipes(m_recipes))
        return false;
    m_recipes.clear();
    m_weightsError.clear();
    CookedWeights weights;
    weights.load();
    if (!weights.set(m_cookedGrams))
        m_weightsError = weights.errorString();
    m_cookedGrams.clear();
    return true;
}

} // namespace zestora::exchange
