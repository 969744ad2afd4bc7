#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace zestora {

class IngTable;

// Where a recipe's numbers come from: what each line stands for in grams and in every nutrient of
// the panel, so that a cook sees which lines make up a total.
namespace nutrition {

// The panel's rows, top to bottom.
enum class Nutrient { Calories, TotalFat, SatFat, Cholesterol, Sodium, TotalCarbs, Fiber, Protein };
constexpr int nutrientCount = 8;

// The row's caption as the panel reads it, "Total Fat".
QString nutrientName(Nutrient nutrient);

struct LineAmount {
    // Each nutrient's amount in one serving, unrounded; calories count 9 a gram of fat and 4 a
    // gram of carbohydrate and protein, as the panel's total does.
    std::array<double, nutrientCount> perServing{};
    // The weight of the whole line, when one of the ingredient's measures is a weight.
    std::optional<double> grams;
    // The line as written, and the servings it is divided by.
    QString quantityText;
    float quantity = 0;
    QString unit;
    float servings = 1;

    double amount(Nutrient nutrient) const { return perServing[static_cast<size_t>(nutrient)]; }
    // How the line was worked out: "2 cup = 2 x 244 g; 149 kcal per cup; 4 servings". Written
    // when asked for, as a tool tip is.
    QString workings() const;
};

// What a marked-up recipe entry stands for; none for a heading, a blank line or a line whose
// ingredient is not in the table. servings is the divisor the panel was worked out with.
std::optional<LineAmount> lineAmount(const QString& entry, const IngTable& ingredients,
                                     float servings);

// Each line's share of the nutrient over all lines, in percent; none where a line has no
// amount, and none anywhere when the lines add up to nothing.
QList<std::optional<double>> lineShares(const QList<std::optional<LineAmount>>& amounts,
                                        Nutrient nutrient);

// A weight as the line list shows it: "488 g", tenths below 10 g.
QString gramsText(double grams);

} // namespace nutrition
} // namespace zestora
