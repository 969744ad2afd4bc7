#include "core/recipes/recipeview.h"

#include "core/analysis/quantity.h"
#include "core/store/ingtable.h"
#include "core/store/recipemarks.h"
#include "core/text.h"

namespace zestora {

namespace {

QChar mark(char m)
{
    return marks::asChar(m);
}

// The text between the first from mark and the first to mark after it; to the end when there is
// no to mark, empty when there is no from mark.
QStringView section(QStringView text, char from, char to, qsizetype* end = nullptr)
{
    const qsizetype start = text.indexOf(mark(from));
    if (start < 0) {
        if (end)
            *end = 0;
        return {};
    }
    qsizetype stop = text.indexOf(mark(to), start + 1);
    if (stop < 0)
        stop = text.size();
    if (end)
        *end = stop;
    return text.sliced(start + 1, stop - start - 1);
}

} // namespace

QString storedRecipeRow(const QString& name, const QString& quantity, const QString& measure)
{
    if (name.trimmed().compare(measure.trimmed(), Qt::CaseInsensitive) == 0)
        return quantity + QStringLiteral("  ") + measure;
    return quantity + QLatin1Char(' ') + measure + QStringLiteral("   ") + name;
}

RecipeView viewRecipe(const QString& body, const IngTable& ingredients)
{
    RecipeView view;
    qsizetype servingsEnd = 0;
    view.servingsText =
        section(body, marks::bodyStart, marks::servingsEnd, &servingsEnd).toString();
    view.shownServings = quantity::quantityValue(view.servingsText);

    const QStringView afterServings = QStringView(body).sliced(servingsEnd);
    const QStringView lines = section(afterServings, marks::servingsEnd, marks::linesEnd);
    for (qsizetype start = 0; start < lines.size();) {
        qsizetype end = lines.indexOf(mark(marks::lineEnd), start);
        end = end < 0 ? lines.size() : end + 1;
        view.entries.append(lines.sliced(start, end - start).toString());
        start = end;
    }

    for (const QString& entry : view.entries) {
        const QStringView text = entry.endsWith(mark(marks::lineEnd))
                                     ? QStringView(entry).chopped(1)
                                     : QStringView(entry);
        if (entry.contains(mark(marks::headingMark))) {
            view.rows.append(text.size() >= 2 ? text.sliced(2).toString() : QString());
            continue;
        }
        const qsizetype nameEnd = text.indexOf(mark(marks::nameEnd));
        const qsizetype quantityEnd = text.indexOf(mark(marks::quantityEnd));
        // The name follows the line start mark; a line without its name end has none.
        const QString name = nameEnd > 0 ? text.sliced(1, nameEnd - 1).toString() : QString();
        const qsizetype quantityStart = nameEnd + 2;
        const QString quantityText =
            nameEnd >= 0 && quantityEnd >= quantityStart
                ? text.sliced(quantityStart, quantityEnd - quantityStart).toString()
                : QString();
        const QString measure =
            quantityEnd >= 0 ? text.sliced(quantityEnd + 1).toString() : QString();
        view.rows.append(storedRecipeRow(name, quantityText, measure));
        const int index = ingredients.lastIndexOfNameIgnoringCase(name);
        if (index < 0) {
            if (!view.missingIngredient) {
                view.missingIngredient = trimSpaces(name);
                view.shownRows = static_cast<int>(view.rows.size()) - 1;
            }
            continue;
        }
        const float q = quantity::quantityValue(quantityText);
        nutrition::addLineNutrients(view.editTotals, ingredients.at(index), measure, q,
                                    view.shownServings, nutrition::Clamp::None);
        if (view.missingIngredient)
            continue;
        nutrition::addLineNutrients(view.viewTotals, ingredients.at(index), measure, q,
                                    view.shownServings, nutrition::Clamp::None);
        ++view.ingredientLines;
    }
    if (!view.missingIngredient)
        view.shownRows = static_cast<int>(view.rows.size());

    const qsizetype directionsStart = body.indexOf(mark(marks::directionsStart));
    if (directionsStart >= 0)
        view.directions = QStringView(body)
                              .sliced(directionsStart + 1)
                              .chopped(body.size() > directionsStart + 1 ? 1 : 0)
                              .toString();
    return view;
}

} // namespace zestora
