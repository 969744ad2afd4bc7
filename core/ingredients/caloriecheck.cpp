#include "core/ingredients/caloriecheck.h"

#include "core/numbers.h"

namespace zestora {

namespace {

// An amount of grams as the message shows it, to the hundredth.
float hundredths(float grams)
{
    return static_cast<float>(std::nearbyint(static_cast<double>(grams) * 100) / 100);
}

CalorieCheck runCheck(const IngRecord& ingredient, bool parts)
{
    const double cal = ingredient.calories;
    const auto single = [](double value) {
        return static_cast<float>(value);
    };
    const float high = single(cal * 0.12 + cal);
    const float low = single(cal - cal * 0.12);
    const double fat = ingredient.fat;
    const double carbs = ingredient.totalCarbs;
    const double protein = ingredient.protein;
    const float fatCal = single(fat * 9);
    const float carbCal = single(carbs * 4);
    const float protCal = single(protein * 4);
    const float sum = single(carbs * 4 + fat * 9 + protein * 4);

    const QString paragraph = QStringLiteral("\r\n\r\n");
    CalorieCheck check;
    int n = 1;
    QString text = QStringLiteral("The following has caused an error:") + paragraph +
                   QString(43, u'-') + paragraph;
    const auto item = [&](const QString& sentence) {
        text += QString::number(n) + QStringLiteral(") ") + sentence + paragraph;
        ++n;
    };
    if (fatCal > high) {
        check.fat = true;
        item(QStringLiteral("There are more calories from Fat than there are total calories."));
    }
    if (carbCal > high) {
        check.carbs = true;
        item(QStringLiteral("There are more calories from Carbohydrates than there are total "
                            "calories."));
    }
    if (protCal > high) {
        check.protein = true;
        item(QStringLiteral("There are more calories from Protein than there are total calories."));
    }
    if (sum > high) {
        check.sum = true;
        item(QStringLiteral("There are more calories from adding up the individual amounts from "
                            "Fat, Carbohydrates, and protein  than there are in the total calories "
                            "that you entered."));
    }
    if (low > sum) {
        check.sum = true;
        item(QStringLiteral("There are fewer calories from adding up the individual amounts from "
                            "Fat, Carbohydrates, and Protein than there are in the total calories "
                            "that you entered."));
    }
    const auto partAboveWhole = [&](float part, const QString& partName, float whole,
                                    const QString& wholeName) {
        if (!parts || hundredths(part) <= hundredths(whole))
            return false;
        item(QStringLiteral("There is more %1 (%2 g) than %3 (%4 g).")
                 .arg(partName, floatText(hundredths(part)), wholeName,
                      floatText(hundredths(whole))));
        return true;
    };
    check.satFat = partAboveWhole(ingredient.satFat, QStringLiteral("Saturated Fat"),
                                  ingredient.fat, QStringLiteral("Total Fat"));
    check.fiber = partAboveWhole(ingredient.fiber, QStringLiteral("Dietary Fiber"),
                                 ingredient.totalCarbs, QStringLiteral("Total Carbohydrate"));
    text += QString(44, u'-') + paragraph + QStringLiteral("   Please check your data. ") +
            paragraph +
            QStringLiteral("If you have checked it and its all ok, press YES, otherwise press NO.");
    check.message = text;
    return check;
}

} // namespace

CalorieCheck checkCalories(const IngRecord& ingredient)
{
    return runCheck(ingredient, false);
}

CalorieCheck checkIngredient(const IngRecord& ingredient)
{
    return runCheck(ingredient, true);
}

} // namespace zestora
