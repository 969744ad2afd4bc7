#include "core/paste/coverage.h"

#include "core/exchange/recipeimport.h"
#include "core/recipes/recipeview.h"
#include "core/text.h"

namespace zestora::paste {

namespace {

// A line as the coverage names it: its food's words, or all of it when it gives no amount
// ("salt to taste"), starting in lower case.
QString shortName(const IngredientLine& line)
{
    QString name = line.hasQuantity() && !line.food.isEmpty() ? line.food : line.text;
    if (!name.isEmpty() && !(name.size() > 1 && name[1].isUpper()))
        name[0] = name[0].toLower();
    return name;
}

// The lines an import kept after the label that ends the directions; none without one.
QStringList uncountedLines(const QString& directions)
{
    const QString label = QString::fromLatin1(exchange::notCountedLabel) + QStringLiteral("\r\n");
    const qsizetype at = directions.lastIndexOf(label);
    if (at < 0 || (at > 0 && !directions.first(at).endsWith(QStringLiteral("\r\n\r\n"))))
        return {};
    return directions.sliced(at + label.size()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

} // namespace

Coverage& Coverage::operator+=(const Coverage& more)
{
    lines += more.lines;
    weighed += more.weighed;
    estimated += more.estimated;
    notCounted += more.notCounted;
    return *this;
}

QString Coverage::text() const
{
    QString text = QStringLiteral("%1 of %2 %3 weighed")
                       .arg(weighed)
                       .arg(lines)
                       .arg(lines == 1 ? QStringLiteral("line") : QStringLiteral("lines"));
    if (estimated > 0)
        text += QStringLiteral(" (%1 by an estimate)").arg(estimated);
    if (!notCounted.isEmpty()) {
        QStringList names;
        for (const QString& line : notCounted)
            names.append(shortName(readIngredientLine(line)));
        text += QStringLiteral("; not counted: ") + names.join(QStringLiteral(", "));
    }
    return text;
}

Coverage coverageOf(const QList<ReviewedLine>& lines, const IngTable& ingredients)
{
    Coverage coverage;
    for (const ReviewedLine& reviewed : lines) {
        if (!reviewed.isIngredient())
            continue;
        ++coverage.lines;
        if (!reviewed.leftOut && acceptedLine(reviewed, ingredients)) {
            ++coverage.weighed;
            coverage.estimated += !reviewed.measure.estimate.isEmpty();
        } else {
            coverage.notCounted.append(reviewed.line.text);
        }
    }
    return coverage;
}

Coverage coverageOf(const RecipeView& recipe)
{
    Coverage coverage;
    for (const QString& entry : recipe.entries) {
        const QString name = lines::entryFields(entry).name;
        if (name.isEmpty())
            continue;
        if (coverage.lines++ < recipe.ingredientLines)
            ++coverage.weighed;
        else
            coverage.notCounted.append(trimSpaces(name));
    }
    const QStringList uncounted = uncountedLines(recipe.directions);
    coverage.lines += static_cast<int>(uncounted.size());
    coverage.notCounted += uncounted;
    return coverage;
}

} // namespace zestora::paste
