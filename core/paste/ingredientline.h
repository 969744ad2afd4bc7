#pragma once

#include "core/paste/unitwords.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Recipe text as cooks write it on web pages, in cookbooks and in e-mails, read one line at a
// time: "2 1/2 cups all-purpose flour, sifted" is a quantity, a unit, the food's words and notes.
namespace zestora::paste {

enum class KitchenMeasures;

enum class LineKind {
    Ingredient,
    Heading, // "For the frosting:" or a line in capitals
    Blank,
};

struct IngredientLine {
    LineKind kind = LineKind::Blank;
    QString text; // the line as written, without list bullets and surrounding blanks
    // How much of the unit: a range is read as its middle, a size in brackets multiplies
    // ("1 (14 oz) can" is 14 oz). None when the line gives no amount ("Salt to taste").
    std::optional<double> quantity;
    bool decimal = false; // the amount was written with a decimal point ("1.5")
    QString unit;         // empty when the line names none ("2 eggs")
    QString package;      // what the amount comes in: "can" for "1 (14 oz) can", "400g tin"
    QString size;         // the size of a counted piece: "small" of "1 small head cauliflower"
    // The larger of two sizes a count is written between, the unit or the size being the smaller:
    // "large" of "2 medium-large onions".
    QString largerSize;
    QString food;      // the food's words as written ("all-purpose flour")
    QStringList notes; // what follows a comma or stands in brackets ("sifted")
    QString heading;   // a heading's text, without its colon
    // How the amount was read where the line leaves it open: the middle of a range, a country's
    // measure ("British pint, 568 ml").
    QString measures;
    // Whose measures the line was read in, American until read in others: the country's names of
    // foods go with them ("tomato purée" is paste in a British recipe).
    KitchenMeasures readIn{};
    // How many pieces a rough weight in brackets may stand for together: 3 of "3 (about 450g)
    // beetroot", which British and Australian cards mean as the weight of all three.
    double roughlyWeighedPieces = 0;
    // An extra measured in another kind of measure than the line's own, which only the food's
    // household weights can add to it: the tablespoon of "50g butter, plus 1 tbsp extra".
    double extraAmount = 0;
    QString extraUnit;
    // The weight is of the food made ready, as "(approx. 500g once trimmed)" gives it: what is
    // eaten, with nothing left to throw away.
    bool weighedPrepared = false;
    // The pieces a note counts beside a measure, "(about 16 cookies)" of "1 cup ginger snaps":
    // what the cook means where the food keeps no weight for the measure.
    double piecesBeside = 0;
    // The weight is of pieces the line counts, each as bought: "1 (3 lb) chicken", "1 chicken
    // (about 3 pounds)".
    bool piecesWeighed = false;
    // The amount is each diner's: "2 sausages per person", "1 tsp cranberry sauce, per person".
    bool perPerson = false;

    bool hasQuantity() const { return quantity.has_value(); }
    bool operator==(const IngredientLine&) const = default;
};

IngredientLine readIngredientLine(QStringView text);

// Whether a note says what the food was made from ("made with 2 cubes", "from 1 bouillon cube"):
// it tells how the food was made, and names no food of the line.
bool saysWhatItIsMadeFrom(const QString& note);

// An amount typed on its own ("1 1/2", "0.5", "1½", "2-3"), as its value; none for any other text.
std::optional<double> readQuantity(QStringView text);

// A pasted recipe: an optional title, its lines in order (blank lines kept, so headings and
// groups stay where they were) and, after a heading such as "Directions", its directions.
struct RecipeText {
    QString title;
    QList<IngredientLine> lines;
    std::optional<float> servings; // from a line such as "Serves 4" or "Yield: 6 servings"
    QString directions;
};

// How many a recipe's yield says it makes, written as a file or a web page's data gives it: "8",
// "4-6 servings", "2 dozen cookies", "1 pan (12 squares)". None when it gives no count.
std::optional<float> readYieldServings(QStringView yield);

// Reads a whole text; when titled, a first line that gives no amount is the recipe's title.
RecipeText readRecipeText(QStringView text, bool titled);

// The amounts of the lines that give each diner's, for all the servings the recipe makes.
void servePerPerson(QList<IngredientLine>& lines, float servings);

} // namespace zestora::paste
