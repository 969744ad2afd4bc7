#include "core/ingredients/wizardrules.h"

#include "core/analysis/quantity.h"
#include "core/numbers.h"
#include "core/store/recipemarks.h"
#include "core/text.h"
#include "core/units.h"

#include <array>
#include <cmath>

namespace zestora::wizard {

namespace {

// The captions of the two measure steps' options; the last is the measure the user types (first
// measure) or none (second measure).
struct Option {
    const char* first;
    const char* second;
};

constexpr std::array<Option, unitCount> options{{
    {"oz", "oz"},
    {"lb", "lb"},
    {"tsp", "tsp"},
    {"tbs", "tbs"},
    {"cup", "cup"},
    {"pint", "pint"},
    {"quart", "quart"},
    {"g", "g"},
    {"kg", "kg"},
    {"ml", "ml"},
    {"l", "l"},
    {"Unique", "NONE"},
}};

const Option& unit(int index)
{
    return options.at(static_cast<size_t>(index));
}

// The first of `count` options whose caption is the measure trimmed of spaces, or -1.
int unitIndex(const QString& measure, const char* Option::*caption, int count)
{
    const QStringView wanted = trimmedSpacesView(measure);
    for (int i = 0; i < count; ++i)
        if (wanted == QLatin1StringView(unit(i).*caption))
            return i;
    return -1;
}

// What a nutrient box's value becomes: a whole number or a single (divided by 9 for fat given as
// calories), and the daily value its percentage is taken of (0: none shown).
struct Limits {
    bool whole;
    float divisor;
    int dailyValue;
};

Limits limitsOf(Box box)
{
    switch (box) {
    case Box::Calories:
        return {true, 1, 0};
    case Box::FatCalories:
        return {false, 9, nutrition::dailyFat};
    case Box::FatGrams:
        return {false, 1, nutrition::dailyFat};
    case Box::SatFat:
        return {false, 1, nutrition::dailySatFat};
    case Box::Cholesterol:
        return {true, 1, nutrition::dailyCholesterol};
    case Box::Sodium:
        return {true, 1, nutrition::dailySodium};
    case Box::Carbs:
        return {false, 1, nutrition::dailyCarbs};
    case Box::Fiber:
        return {false, 1, nutrition::dailyFiber};
    case Box::Protein:
        break;
    }
    return {false, 1, 0};
}

// The largest magnitude a value may reach before rounding it into 16 or 32 bits would clamp it.
constexpr double int16Room = 32767.5;
constexpr double int32Room = 2147483647.5;

bool isPlainDecimal(QStringView text)
{
    int points = 0;
    for (QChar c : text) {
        if (c == u'.')
            ++points;
        else if (c < u'0' || c > u'9')
            return false;
    }
    return points <= 1;
}

double typedNumber(const QString& text)
{
    return trimSpaces(text).toDouble();
}

float typedSingle(const QString& text)
{
    return static_cast<float>(typedNumber(text));
}

// Percentages of the daily value: a single's in single precision, a whole number's in double.
QString percent(float value, int dailyValue)
{
    return QString::number(roundToInt16(value / static_cast<float>(dailyValue) * 100.0f));
}

QString percent(qint32 value, int dailyValue)
{
    return QString::number(roundToInt16(static_cast<double>(value) / dailyValue * 100));
}

float tenths(float value)
{
    return static_cast<float>(roundToInt32(value * 10.0f) / 10.0);
}

} // namespace

QString firstUnitCaption(int index)
{
    return QString::fromLatin1(unit(index).first);
}

QString secondUnitCaption(int index)
{
    return QString::fromLatin1(unit(index).second);
}

bool secondUnitEnabled(int first, int second)
{
    if (second == ownUnit || first < 0 || first == ownUnit)
        return true;
    return units::kindOf(QLatin1StringView(unit(first).first)) !=
           units::kindOf(QLatin1StringView(unit(second).first));
}

int firstUnitIndex(const QString& measure1)
{
    return unitIndex(measure1, &Option::first, ownUnit);
}

int secondUnitIndex(const QString& measure2)
{
    return unitIndex(measure2, &Option::second, unitCount);
}

QString quantityInstruction(const QString& measure)
{
    return QStringLiteral("  Now enter the number of ") + trimSpaces(measure) +
           QStringLiteral(" in this item.");
}

std::optional<QString> unstorableCharacter(const QString& text, const QString& what)
{
    if (const std::optional<char32_t> bad = firstCharOutsideCp1252(text))
        return QStringLiteral("The character %1 in %2 cannot be stored: the ingredient file "
                              "holds only Western European letters and signs. Please type it "
                              "another way.")
            .arg(describeChar(*bad), what);
    if (const std::optional<QChar> mark = marks::firstMarkIn(text))
        return QStringLiteral("The character %1 in %2 cannot be used: recipes mark where their "
                              "parts begin and end with it. Please type it another way.")
            .arg(describeChar(*mark), what);
    for (QChar c : text)
        if (c.category() == QChar::Other_Control)
            return QStringLiteral("The character %1 in %2 cannot be used: it is a control "
                                  "character such as a line break. Please type it another way.")
                .arg(describeChar(c), what);
    return std::nullopt;
}

quantity::Entry spinnerEntry(float amount)
{
    const float fraction = amount - std::trunc(amount);
    const int ones = roundToInt32(amount - fraction);
    // A table fraction is the part after the whole number, exactly. The wizard stores a third as
    // whole + 0.333 in single precision, so that part reads back as 0.33299994 rather than
    // 0.333: a third is also recognised by the amount the wizard itself stores for it, and by
    // nothing near it (1.1254 is not 1 1/8).
    for (int i = 1; i < quantity::fractionCount; ++i) {
        const float value = quantity::fractionValue(i);
        const bool third = value == 0.333f || value == 0.666f;
        if (fraction == value || (third && amount == static_cast<float>(ones) + value))
            return {ones, i, true};
    }
    const int tenthsDigit = roundToInt32(fraction * 10.0f);
    // 2.96 reads as 3.0 rather than as a tenths digit of 10 that the spinner cannot show.
    if (tenthsDigit >= 10)
        return {ones + 1, 0, false};
    return {ones, tenthsDigit, false};
}

Entry checkIt(const QString& text, Box box)
{
    const QString typed = trimSpaces(text);
    if (typed.isEmpty())
        return Entry::Empty;
    if (typed == QLatin1String("."))
        return Entry::Unfinished;
    if (!isPlainDecimal(typed))
        return Entry::Refused;
    bool ok = false;
    const double value = typed.toDouble(&ok);
    const float single = static_cast<float>(value);
    if (!ok || !std::isfinite(single))
        return Entry::Refused;
    const Limits limits = limitsOf(box);
    if (limits.whole && value >= int32Room)
        return Entry::Refused;
    if (limits.dailyValue == 0)
        // The panels show calories whole and protein to tenths in 32 bits.
        return limits.whole || single * 10.0 < int32Room ? Entry::Valid : Entry::Refused;
    const double stored = limits.whole ? std::nearbyint(value) : single / limits.divisor;
    return stored / limits.dailyValue * 100 < int16Room ? Entry::Valid : Entry::Refused;
}

QString oneDecimal(float value)
{
    // Halves of the last digit go up, as the pattern "#####.0" rounds.
    QString digits = QString::number(std::round(static_cast<double>(value) * 10), 'f', 0);
    if (digits.size() < 2)
        digits.prepend(QLatin1Char('0'));
    QString whole = digits.chopped(1);
    if (whole == QLatin1String("0"))
        whole.clear();
    return whole + QLatin1Char('.') + digits.back();
}

void takeNutrientStep(int step, const NutrientTexts& boxes, IngRecord& ingredient,
                      nutrition::PanelTexts& preview)
{
    const QString grams = QStringLiteral("g");
    const QString milligrams = QStringLiteral("mg");
    const QString percentSign = QStringLiteral("%");
    const QString spacedPercent = QStringLiteral(" %");
    switch (step) {
    case 5:
        ingredient.calories = static_cast<float>(roundToInt32(typedNumber(boxes.calories)));
        preview.cals = trimSpaces(boxes.calories);
        break;
    case 6: {
        const float fat = typedSingle(boxes.fat);
        if (boxes.fatInGrams) {
            preview.fatCals = QString::number(roundToInt32(fat * 9.0f));
            ingredient.fat = fat;
            preview.fatG = trimSpaces(boxes.fat) + grams;
        } else {
            preview.fatCals = boxes.fat;
            ingredient.fat = fat / 9.0f;
            preview.fatG = oneDecimal(ingredient.fat) + grams;
        }
        ingredient.satFat = typedSingle(boxes.satFat);
        preview.satFatG = floatText(ingredient.satFat) + grams;
        preview.satFatPct = percent(ingredient.satFat, nutrition::dailySatFat) + percentSign;
        preview.fatPct = percent(ingredient.fat, nutrition::dailyFat) + spacedPercent;
        break;
    }
    case 7:
        preview.cholG = boxes.cholesterol + milligrams;
        ingredient.cholesterol = roundToInt32(typedNumber(boxes.cholesterol));
        preview.cholPct =
            percent(ingredient.cholesterol, nutrition::dailyCholesterol) + spacedPercent;
        break;
    case 8:
        preview.sodiumG = boxes.sodium + milligrams;
        ingredient.sodium = static_cast<float>(roundToInt32(typedNumber(boxes.sodium)));
        preview.sodiumPct = percent(ingredient.sodium, nutrition::dailySodium) + spacedPercent;
        break;
    case 9:
        preview.carbsG = boxes.carbs + grams;
        ingredient.totalCarbs = typedSingle(boxes.carbs);
        ingredient.fiber = typedSingle(boxes.fiber);
        preview.fiberPct = percent(ingredient.fiber, nutrition::dailyFiber) + percentSign;
        preview.fiberG = floatText(ingredient.fiber) + grams;
        preview.carbsPct = percent(ingredient.totalCarbs, nutrition::dailyCarbs) + spacedPercent;
        break;
    case 10:
        preview.proteinG = boxes.protein + grams;
        ingredient.protein = typedSingle(boxes.protein);
        break;
    default:
        break;
    }
}

IngredientFacts ingredientFacts(const IngRecord& r)
{
    IngredientFacts facts;
    facts.name = r.trimmedName();
    facts.firstServing = floatText(r.amount1) + QStringLiteral(" ") + trimSpaces(r.measure1);
    if (r.amount2 != 0)
        facts.secondServing = floatText(r.amount2) + QStringLiteral(" ") + trimSpaces(r.measure2);
    // The panel of one serving of the record, worked out as a recipe's totals are.
    nutrition::RecipeTotals t;
    t.totFatCalories = roundToInt32(r.fat * 9.0f);
    t.totFat = tenths(r.fat);
    t.totCholesterol = r.cholesterol;
    t.totSodium = roundToInt32(r.sodium);
    t.totCarbs = tenths(r.totalCarbs);
    t.totProtein = tenths(r.protein);
    t.totFiber = tenths(r.fiber);
    t.totSatFat = tenths(r.satFat);
    t.totCalories = roundToInt32(static_cast<double>(t.totCarbs * 4.0f) + t.totFatCalories +
                                 static_cast<double>(t.totProtein * 4.0f));
    facts.panel = nutrition::panelTexts(t);
    facts.shares = nutrition::calorieShares(t);
    return facts;
}

} // namespace zestora::wizard
