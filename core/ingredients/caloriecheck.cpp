#include "core/ingredients/caloriecheck.h"

namespace zestora {

CalorieCheck checkCalories(const IngRecord& ingredient)
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
    text += QString(44, u'-') + paragraph + QStringLiteral("   Please check your data. ") +
            paragraph +
            QStringLiteral("If you have checked it and its all ok, press YES, otherwise press NO.");
    check.message = text;
    return check;
}

} // namespace zestora
