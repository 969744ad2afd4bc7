#pragma once

#include <QString>

// Quantities as the analysis screen enters them (a whole part and a kitchen fraction or a tenths
// digit) and the servings a recipe makes.
namespace zestora::quantity {

constexpr int fractionCount = 10; // spinner values 0 (none) to 9 (7/8)

// The fraction text of a fraction spinner value ("" for 0, "1/8" ... "7/8").
QString fractionText(int index);
// Its value: 0.125 ... 0.875, with the thirds counted as 0.333 and 0.666.
float fractionValue(int index);
// What its text means: "1/3" is one third.
double exactFraction(int index);

// The quantity text of a line from the whole-part and fraction-part texts; "Error" when both are
// empty (an empty part is "" or "0").
QString putTogetherQuantityString(const QString& ones, const QString& fraction, bool fractionMode);
inline const QString missingQuantity = QStringLiteral("Error");

// What the two quantity spinners give: the whole part and the fraction spinner's value, a kitchen
// fraction in fraction mode or a tenths digit in decimal mode; as a number and as the line's text.
float spinnerValue(int ones, int fraction, bool fractionMode);
QString spinnerText(int ones, int fraction, bool fractionMode);

// A quantity as the two spinners give it, wherever one is entered, pasted or imported: a whole
// part, and a kitchen fraction (a table index) or a tenths digit.
struct Entry {
    int ones = 0;
    int fraction = 0; // the fraction spinner's value: 1 is 1/8 ... 9 is 7/8, or the tenths digit
    bool fractionMode = true;

    QString text() const { return spinnerText(ones, fraction, fractionMode); } // "2 1/2", "0.5"
    float value() const { return spinnerValue(ones, fraction, fractionMode); } // a third is 0.333
    double amount() const; // what the text means: a third is one third

    bool operator==(const Entry&) const = default;
};

// A quantity or servings text read back into a number: "2 1/2" is 2.5, "1/3" is one third, "2.5"
// is 2.5. Text that is no number reads as 0.
float quantityValue(const QString& text);

// The servings spinner (1 to 1000): values 1 to 9 are the fractions 1/8 ... 7/8, from 10 on the
// whole numbers 1 ... 991.
struct Servings {
    QString text;
    float divisor;
};
constexpr int servingsMinimum = 1;
constexpr int servingsMaximum = 1000;
constexpr int servingsForOne = 10;
Servings servingsFor(int spinnerValue);
// The spinner value that shows a servings text, for a recipe handed over with its divisor.
int servingsSpinnerValue(const QString& servingsText, float divisor);

} // namespace zestora::quantity
