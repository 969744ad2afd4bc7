#include "core/paste/eachfood.h"

#include "core/paste/ingredientline.h"

#include <QRegularExpression>

namespace zestora::paste {

namespace {

// The foods of "onion, carrots and celery, chopped" and what is said of all of them (", chopped");
// none unless at least two foods are joined by "and".
struct FoodList {
    QStringList foods;
    QString saidOfAll;
};

FoodList readFoodList(const QString& written)
{
    static const QRegularExpression andWord(QStringLiteral("\\s+(?:and|&)\\s+"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch join = andWord.match(written);
    if (!join.hasMatch())
        return {};
    FoodList list;
    for (const QString& food : written.first(join.capturedStart()).split(u',')) {
        if (!food.trimmed().isEmpty())
            list.foods.append(food.trimmed());
    }
    // The last food ends at a comma or a bracket; what follows is said of every food.
    QString last = written.sliced(join.capturedEnd());
    static const QRegularExpression endOfFood(QStringLiteral("[,(]"));
    const qsizetype end = last.indexOf(endOfFood);
    if (end >= 0) {
        list.saidOfAll =
            (last.at(end) == u'(' ? QStringLiteral(" ") : QString()) + last.sliced(end);
        last.truncate(end);
    }
    if (list.foods.isEmpty() || last.trimmed().isEmpty())
        return {};
    list.foods.append(last.trimmed());
    return list;
}

// "ground cumin, coriander and turmeric": how the first food is prepared goes for the others that
// say nothing of their own ("ground coriander", not the fresh leaves).
void shareHowPrepared(QStringList& foods)
{
    static const QRegularExpression prepared(
        QStringLiteral("^(?:(?:chopped|diced|minced|sliced|grated|shredded|ground|dried|fresh|"
                       "freshly|finely|roughly|coarsely|crushed|frozen|toasted)\\s+)+"),
        QRegularExpression::CaseInsensitiveOption);
    const QString shared = prepared.match(foods.front()).captured(0);
    if (shared.isEmpty())
        return;
    for (QString& food : foods)
        if (!prepared.match(food).hasMatch())
            food.prepend(shared);
}

// "red and green bell pepper": colours before the last food name it too ("red bell pepper").
void shareNamedFood(QStringList& foods)
{
    static const QRegularExpression colour(
        QStringLiteral("^(?:red|green|yellow|orange|white|black|brown|purple|golden|light|dark)"
                       "(?=\\s|$)"),
        QRegularExpression::CaseInsensitiveOption);
    const QString& last = foods.back();
    const QRegularExpressionMatch lastColour = colour.match(last);
    if (!lastColour.hasMatch() || lastColour.capturedEnd() == last.size())
        return;
    for (qsizetype i = 0; i + 1 < foods.size(); ++i)
        if (foods[i].contains(u' ') || !colour.match(foods[i]).hasMatch())
            return;
    const QString named = last.sliced(lastColour.capturedEnd());
    for (qsizetype i = 0; i + 1 < foods.size(); ++i)
        foods[i] += named;
}

// "1/2 tsp salt and 1/4 tsp pepper", "2 tbsp olive oil and a knob of butter", "1 tsp salt and
// plenty of black pepper": two foods joined by "and", each with its own amount (or a word such as
// "some" in its place), as a line for each, parted at the first "and" an amount follows; "1 and
// 1/2 cups" and "1 cup sugar and 2 tbsp", which leave no food on one side, are one line.
QStringList linesOfTwoAmounts(QStringView written)
{
    static const QString amountStart = QStringLiteral(
        "(?:[\\d\\x{00BC}-\\x{00BE}\\x{2150}-\\x{215E}]|(?:an?\\s+)?(?:pinch|knob|dash|splash|"
        "drizzle|handful)\\b|(?:some|plenty\\s+of|a\\s+little|a\\s+few)\\s)");
    static const QRegularExpression twoAmounts(
        QStringLiteral("^(%1.*?)\\s+(?:and|&)\\s+(%1.*)$").arg(amountStart),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = twoAmounts.match(written);
    if (!m.hasMatch())
        return {};
    const QString first = m.captured(1);
    const QString second = m.captured(2);
    const IngredientLine firstLine = readIngredientLine(first);
    const auto namesAFood = [](const IngredientLine& line) {
        return line.kind == LineKind::Ingredient && !line.food.isEmpty();
    };
    // "4 cups water and 2 bouillon cubes" is how a cook writes stock, read whole as the stock.
    static const QRegularExpression water(QStringLiteral("\\bwater$"),
                                          QRegularExpression::CaseInsensitiveOption);
    if (!namesAFood(firstLine) || !namesAFood(readIngredientLine(second)) ||
        water.match(firstLine.food).hasMatch())
        return {};
    return {first, second};
}

} // namespace

QStringList linesOfEachFood(QStringView written)
{
    if (const QStringList two = linesOfTwoAmounts(written); !two.isEmpty())
        return two;
    // "1 cup each onion and celery", "1/4 teaspoon each: cumin and coriander", "100g each of
    // raisins and sultanas": the amount starts the line and has no comma of its own.
    static const QRegularExpression eachBefore(
        QStringLiteral("^([\\d\\x{00BC}-\\x{00BE}\\x{2150}-\\x{215E}][^,]*?)\\s+each"
                       "(?:\\s+of)?\\s*(:)?\\s+(.+)$"),
        QRegularExpression::CaseInsensitiveOption);
    // "salt and pepper, 1/4 tsp each": the foods first, the amount after the last comma.
    static const QRegularExpression eachAfter(
        QStringLiteral("^(\\D.*),\\s*([\\d\\x{00BC}-\\x{00BE}\\x{2150}-\\x{215E}][^,]*?)\\s+"
                       "each\\.?$"),
        QRegularExpression::CaseInsensitiveOption);
    // Most lines say no "each": they are passed over before either pattern runs.
    if (!written.contains(u"each", Qt::CaseInsensitive))
        return {written.toString()};
    QString amount;
    FoodList list;
    if (const QRegularExpressionMatch m = eachBefore.match(written); m.hasMatch()) {
        amount = m.captured(1);
        list = readFoodList(m.captured(3));
        // "1 each: small onion, green pepper, red bell pepper": after a colon the list is of
        // foods, its commas alone setting them apart.
        if (list.foods.isEmpty() && m.hasCaptured(2)) {
            for (const QString& food : m.captured(3).split(u',', Qt::SkipEmptyParts))
                if (!food.trimmed().isEmpty())
                    list.foods.append(food.trimmed());
        }
    } else if (const QRegularExpressionMatch after = eachAfter.match(written); after.hasMatch()) {
        amount = after.captured(2);
        list = readFoodList(after.captured(1));
        // The first food no longer starts the line.
        if (!list.foods.isEmpty() && list.foods.front().size() > 1 &&
            !list.foods.front().at(1).isUpper())
            list.foods.front()[0] = list.foods.front().at(0).toLower();
    }
    if (list.foods.size() < 2)
        return {written.toString()};
    shareHowPrepared(list.foods);
    shareNamedFood(list.foods);
    QStringList lines;
    for (const QString& food : std::as_const(list.foods))
        lines.append(amount + u' ' + food + list.saidOfAll);
    return lines;
}

} // namespace zestora::paste
