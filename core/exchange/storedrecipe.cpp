#include "core/exchange/storedrecipe.h"

#include "core/analysis/lineamounts.h"
#include "core/analysis/quantity.h"
#include "core/analysis/recipelines.h"
#include "core/exchange/linenotes.h"
#include "core/exchange/recipeimport.h"
#include "core/recipes/recipeview.h"
#include "core/store/ingtable.h"
#include "core/store/recipestore.h"
#include "core/text.h"

namespace zestora {

namespace {

// "makes 36 cookies" where an import kept what the recipe makes, else "makes 4 servings".
QString makesLine(const QString& servings, QByteArrayView makes)
{
    return QStringLiteral("makes ") +
           (makes.isEmpty() ? servings + QStringLiteral(" servings") : decodeCp1252(makes));
}

} // namespace

QByteArrayView trimmedSpaces(QByteArrayView text)
{
    while (text.startsWith(' '))
        text = text.sliced(1);
    while (text.endsWith(' '))
        text.chop(1);
    return text;
}

QByteArray writtenQuantity(const StoredRecipe::Line& line)
{
    QByteArray quantity = trimmedSpaces(line.quantity).toByteArray();
    if (line.decimal && !quantity.isEmpty() && !quantity.contains('.'))
        quantity.append(".0");
    return quantity;
}

QByteArray cookLine(const StoredRecipe::Line& line)
{
    const QByteArrayView unit = trimmedSpaces(line.unit);
    const QByteArrayView name = trimmedSpaces(line.ingredient);
    QByteArray text = writtenQuantity(line);
    for (const QByteArrayView part : {unit, name}) {
        if (part.isEmpty() ||
            (part.data() == name.data() &&
             QLatin1StringView(name).compare(QLatin1StringView(unit), Qt::CaseInsensitive) == 0))
            continue;
        if (!text.isEmpty())
            text.append(' ');
        text.append(part);
    }
    return text;
}

void StoredRecipe::read(const RecipeStore& recipes, int index)
{
    const RecipeEntry& entry = recipes.recipeList()[index];
    name = trimmedSpaces(
        QByteArrayView(recipes.bigRecipeBytes()).sliced(entry.nameAt, entry.nameSize));
    const recipefields::Body<QByteArrayView> body =
        recipefields::body(recipes.recipeBodyBytes(index));
    servings = trimmedSpaces(body.servings);
    lines.resize(0);
    recipefields::forEachEntry(
        body.entries, [this](QByteArrayView marked) { lines.append(recipefields::entry(marked)); });
    directions = body.directions;
}

QByteArray StoredRecipe::yield() const
{
    return servings.toByteArray() + (servings == "1" ? " serving" : " servings");
}

StoredRecipe::Source StoredRecipe::source() const
{
    Source found{{}, {}, {}, {}, {}, directions};
    QByteArrayView& rest = found.directions;
    const auto paragraph = [&rest] {
        const qsizetype end = rest.indexOf("\r\n\r\n");
        return end < 0 ? rest : rest.first(end);
    };
    const auto drop = [&rest](qsizetype size) {
        rest = rest.sliced(qMin(rest.size(), size + 4));
    };
    if (const QByteArrayView first = paragraph(); first.size() > name.size() &&
                                                  first.startsWith(name) && !first.contains('\n') &&
                                                  first.size() > lines::maxNameLength) {
        found.title = first;
        drop(first.size());
    }
    // Only a paragraph of these lines alone is the import's: "Makes ...", "Categories: ..." or
    // both, in that order.
    const QByteArrayView said = paragraph();
    const qsizetype cut = said.indexOf("\r\n");
    const QByteArrayView one = cut < 0 ? said : said.first(cut);
    const QByteArrayView two = cut < 0 ? QByteArrayView() : said.sliced(cut + 2);
    const auto makes = [this](QByteArrayView line) {
        return line.startsWith(exchange::makesLabel) &&
               exchange::servingsOfYield(decodeCp1252(line.sliced(exchange::makesLabel.size())))
                       .text == decodeCp1252(servings);
    };
    const auto categories = [](QByteArrayView line) {
        return line.startsWith(exchange::categoriesLabel) && !line.contains('\n');
    };
    if (cut < 0 ? makes(one) || categories(one) : makes(one) && categories(two)) {
        (makes(one) ? found.makes : found.categories) =
            one.sliced((makes(one) ? exchange::makesLabel : exchange::categoriesLabel).size());
        if (cut >= 0)
            found.categories = two.sliced(exchange::categoriesLabel.size());
        drop(said.size());
    }
    if (const std::optional<QList<QByteArrayView>> notes =
            exchange::readLineNotes(paragraph(), lines)) {
        found.notes = *notes;
        drop(paragraph().size());
    }
    if (const QByteArrayView first = paragraph();
        first.size() > exchange::descriptionLabel.size() &&
        first.startsWith(exchange::descriptionLabel) && !first.contains('\n'))
        found.description = first.sliced(exchange::descriptionLabel.size());
    return found;
}

QString StoredRecipe::makesText(const QString& name, const QString& servings,
                                const QString& directions)
{
    const QByteArray nameBytes = encodeCp1252(trimSpaces(name));
    const QByteArray servingsBytes = encodeCp1252(trimSpaces(servings));
    const QByteArray directionsBytes = encodeCp1252(directions);
    StoredRecipe recipe;
    recipe.name = nameBytes;
    recipe.servings = servingsBytes;
    recipe.directions = directionsBytes;
    return makesLine(servings, recipe.source().makes);
}

QVarLengthArray<QByteArrayView, 16> StoredRecipe::directionLines(QByteArrayView directions)
{
    QVarLengthArray<QByteArrayView, 16> result;
    for (qsizetype start = 0; start <= directions.size();) {
        qsizetype end = directions.indexOf('\n', start);
        if (end < 0)
            end = directions.size();
        QByteArrayView line = directions.sliced(start, end - start);
        if (line.endsWith('\r'))
            line.chop(1);
        result.append(line);
        start = end + 1;
    }
    return result;
}

RecipeNutrition::RecipeNutrition(const IngTable& ingredients)
    : m_ingredients(ingredients)
{
}

template <typename Value, typename Work>
const Value& RecipeNutrition::cached(Cache<Value>& cache, QByteArrayView key, const Work& work)
{
    if (cache.asked && key == cache.lastKey)
        return cache.last;
    auto found = cache.values.constFind(key);
    if (found == cache.values.constEnd())
        found = cache.values.insert(key, work(decodeCp1252(key)));
    cache.lastKey = key;
    cache.last = *found;
    cache.asked = true;
    return cache.last;
}

RecipeNutrition::Result RecipeNutrition::of(const StoredRecipe& recipe)
{
    const auto quantityOf = [](const QString& text) {
        return quantity::quantityValue(text);
    };
    const auto indexOf = [this](const QString& name) {
        const int index = m_ingredients.lastIndexOfNameIgnoringCase(name);
        if (index < 0)
            return -1;
        const IngRecord& record = m_ingredients.at(index);
        m_found.append({&record, nutrition::measureUnits(record)});
        return static_cast<int>(m_found.size() - 1);
    };

    Result result;
    nutrition::RecipeTotals totals;
    int worked = 0;
    const float servings = cached(m_quantities, recipe.servings, quantityOf);
    for (const StoredRecipe::Line& line : recipe.lines) {
        if (line.heading)
            continue;
        const int index = cached(m_indexes, line.ingredient, indexOf);
        if (index < 0) {
            result.missingIngredient = trimSpaces(decodeCp1252(line.ingredient));
            return result;
        }
        const Found& found = m_found.at(index);
        const float portions = nutrition::portionShare(
            *found.record, found.units, cached(m_units, line.unit, nutrition::unitIndex),
            cached(m_quantities, line.quantity, quantityOf));
        nutrition::addPortions(totals, *found.record, portions, servings, nutrition::Clamp::None);
        ++worked;
    }
    if (worked > 0)
        result.perServing = totals;
    return result;
}

std::optional<double> servingWeight(const StoredRecipe& recipe, const IngTable& ingredients,
                                    std::optional<double> cookedGrams)
{
    const float servings = quantity::quantityValue(decodeCp1252(recipe.servings));
    if (cookedGrams && servings > 0)
        return *cookedGrams / servings;
    double grams = 0;
    bool any = false;
    for (const StoredRecipe::Line& line : recipe.lines) {
        if (line.heading)
            continue;
        const std::optional<nutrition::LineAmount> amount = nutrition::lineAmount(
            lines::ingredientEntry(decodeCp1252(line.ingredient), !line.decimal,
                                   decodeCp1252(line.quantity), decodeCp1252(line.unit)),
            ingredients, servings);
        if (!amount || !amount->grams)
            return std::nullopt;
        grams += *amount->grams;
        any = true;
    }
    if (!any || !(servings > 0))
        return std::nullopt;
    return grams / servings;
}

ShownRecipe shownRecipe(const StoredRecipe& recipe, const RecipeNutrition::Result& nutrition)
{
    // What an import kept in its place: the whole title as the name, what the recipe makes
    // beside the panel, each line's note after its line; the categories lead the directions.
    const StoredRecipe::Source source = recipe.source();
    QString directions = decodeCp1252(source.directions);
    if (!source.categories.isEmpty())
        directions.prepend(QLatin1StringView(exchange::categoriesLabel) +
                           decodeCp1252(source.categories) + QStringLiteral("\r\n\r\n"));
    ShownRecipe shown{decodeCp1252(source.title.isEmpty() ? recipe.name : source.title),
                      {},
                      directions,
                      makesLine(decodeCp1252(recipe.servings), source.makes),
                      {},
                      {}};
    for (qsizetype i = 0; i < recipe.lines.size(); ++i) {
        const StoredRecipe::Line& line = recipe.lines[i];
        shown.lines.append(line.heading ? decodeCp1252(line.text)
                                        : storedRecipeRow(decodeCp1252(line.ingredient),
                                                          decodeCp1252(line.quantity),
                                                          decodeCp1252(line.unit)));
        if (const QByteArrayView note = source.notes.value(i); !note.isEmpty())
            shown.lines.last() += QLatin1StringView(exchange::noteSeparator) + decodeCp1252(note);
    }
    if (nutrition.perServing) {
        shown.panel = nutrition::panelTexts(*nutrition.perServing);
        shown.shares = nutrition::calorieShares(*nutrition.perServing).value_or(shown.shares);
    }
    return shown;
}

} // namespace zestora
