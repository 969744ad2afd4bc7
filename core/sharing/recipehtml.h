#pragma once

#include "core/analysis/nutrition.h"

#include <QString>
#include <QStringList>

namespace zestora {

// The texts of the stored recipes screen that a recipe e-mail carries, as they are displayed.
struct ShownRecipe {
    QString name;       // RecipeLst
    QStringList lines;  // R_IngLst, ingredient lines and headings
    QString directions; // DirectionsTxt
    QString makes;      // lbl1M
    nutrition::PanelTexts panel;
    nutrition::CalorieShares shares; // Label20, Label21, Label22
};

// The recipe as the HTML body of an e-mail: the extra text, a table with the name, lines and
// directions beside a Nutrition Facts panel, and a closing paragraph. Every text goes in as it is,
// unescaped, so that HTML typed into the extra text takes effect; the directions' line breaks
// become <br>, where a mail reader would show a blank.
QString buildRecipeHtml(const QString& extraText, const ShownRecipe& recipe);
// The same recipe as the plain text beside the HTML: the name, lines and directions, then the
// panel a line to each row ("Calories 152", "Total Fat 8g  12%"), the shares and the closing
// sentence; lines end in CR LF.
QString recipeText(const ShownRecipe& recipe);
// The table alone: name, lines and directions beside the panel.
QString recipeHtmlTable(const ShownRecipe& recipe);

} // namespace zestora
