#include "core/sharing/recipehtml.h"

#include "core/analysis/recipelines.h"

namespace zestora {

namespace {

QString font(int size)
{
    return QStringLiteral("<font size=\"%1\" face=\"Arial\">").arg(size);
}

const QString sentFrom = QStringLiteral(
    "This recipe was sent to you from Zestora, the recipe and diet-analysis calculator.");

const QString innerTable =
    QStringLiteral("<table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" width=\"176\">");

// One of the six nutrient rows: the label with its amount, and the percentage at the right.
QString nutrientRow(int width, const QString& labelStart, const QString& amount,
                    const QString& labelEnd, int percentWidth, const QString& percentage)
{
    return QStringLiteral("<td>") + innerTable +
           QStringLiteral("<tr><td width=\"%1\">").arg(width) + font(2) + labelStart + amount +
           labelEnd +
           QStringLiteral("</font></td><td align=\"right\" valign=\"bottom\" width=\"%1\">")
               .arg(percentWidth) +
           font(2) + percentage + QStringLiteral("</font></td></tr></table></td></tr><tr>");
}

} // namespace

QString recipeHtmlTable(const ShownRecipe& recipe)
{
    const nutrition::PanelTexts& p = recipe.panel;
    const QString strongEnd = QStringLiteral("</strong>");

    QString html = QStringLiteral("<table><tr><td>") + font(4) + QStringLiteral("<strong><u>") +
                   recipe.name +
                   QStringLiteral("</u></strong></font><br><br></td><td width=\"40\">&nbsp;</td>"
                                  "<td>&nbsp;</td></tr><tr><td valign=\"top\">") +
                   font(2) + QStringLiteral("<strong><u>List of Ingredients</u></strong><br><br>");
    for (const QString& line : recipe.lines)
        html += line + QStringLiteral("<br>");
    html += QStringLiteral("<br><strong><u>Instructions for Preparation<br><br></u></strong>") +
            recipe.directions +
            QStringLiteral("</font></td><td valign=\"top\">&nbsp;</td><td><table border=\"2\" "
                           "width=\"190\"><tr>");

    html += QStringLiteral("<td>") + font(4) +
            QStringLiteral("<strong>Nutrition Facts</strong></font><br>") + font(1) +
            QStringLiteral("per serving</font><br>") + font(1) + recipe.makes +
            QStringLiteral("</font></td></tr><tr>");
    html += QStringLiteral("<td>") + font(1) +
            QStringLiteral("<strong>Amount per serving</strong></font></td></tr><tr>");
    html += QStringLiteral("<td>") + innerTable + QStringLiteral("<tr><td width=\"88\">") +
            font(2) +
            QStringLiteral("<strong>Calories</strong></font></td><td align=\"right\" "
                           "width=\"88\">") +
            font(2) + p.cals + QStringLiteral("</font></td></tr></table></td></tr><tr><td>") +
            innerTable;
    html += QStringLiteral("<tr><td width=\"110\">") + font(1) +
            QStringLiteral("Calories from fat</font></td><td align=\"right\" width=\"66\">") +
            font(2) + p.fatCals + QStringLiteral("</font></td></tr></table></td></tr><tr>");
    html += QStringLiteral("<td align=\"right\">") + font(1) +
            QStringLiteral("<strong>% Daily Value *</strong></font></td></tr><tr>");

    html += nutrientRow(126, QStringLiteral("<strong>Total Fat "), p.fatG, strongEnd, 40, p.fatPct);
    html +=
        nutrientRow(126, QStringLiteral("Saturated Fat "), p.satFatG, QString(), 40, p.satFatPct);
    html +=
        nutrientRow(136, QStringLiteral("<strong>Cholesterol "), p.cholG, strongEnd, 40, p.cholPct);
    html +=
        nutrientRow(126, QStringLiteral("<strong>Sodium "), p.sodiumG, strongEnd, 50, p.sodiumPct);
    html += nutrientRow(136, QStringLiteral("<strong>Total<br>Carbohydrate "), p.carbsG, strongEnd,
                        40, p.carbsPct);
    html += nutrientRow(136, QStringLiteral("Dietary Fiber "), p.fiberG, QString(), 40, p.fiberPct);

    html += QStringLiteral("<td>") + innerTable + QStringLiteral("<tr><td width=\"136\">") +
            font(2) + QStringLiteral("<strong>Protein ") + p.proteinG +
            QStringLiteral("</strong></font></td></tr></table></td></tr><tr>");
    html += QStringLiteral("<td>") + font(2) +
            QStringLiteral("Percent values are based on a 2,000 calorie per day diet. Your daily "
                           "values may differ.</font></td></tr><tr>");
    html += QStringLiteral("<td>") + font(2) +
            QStringLiteral("<strong><u>Additional Information</u></strong><br>") +
            recipe.shares.fat + QStringLiteral("<br>") + recipe.shares.carbs +
            QStringLiteral("<br>") + recipe.shares.protein +
            QStringLiteral("</font></td></tr></table></td></tr></table>");
    return html;
}

QString buildRecipeHtml(const QString& extraText, const ShownRecipe& recipe)
{
    ShownRecipe shown = recipe;
    shown.directions.replace(QStringLiteral("\r\n"), QStringLiteral("<br>"));
    return extraText + recipeHtmlTable(shown) + QStringLiteral("<p><br>") + font(1) + sentFrom +
           QStringLiteral("</font></p>");
}

QString recipeText(const ShownRecipe& recipe)
{
    const nutrition::PanelTexts& p = recipe.panel;
    QStringList text{recipe.name, QString(), QStringLiteral("List of Ingredients"), QString()};
    // A line reads as the screen shows it, without the runs of blanks that part its columns.
    for (const QString& line : recipe.lines)
        text.append(line.simplified());
    text += {QString(),
             QStringLiteral("Instructions for Preparation"),
             QString(),
             recipe.directions,
             QString(),
             QStringLiteral("Nutrition Facts"),
             QStringLiteral("per serving"),
             recipe.makes,
             QStringLiteral("Amount per serving")};
    const auto row = [&text](const QString& label, const QString& amount,
                             const QString& percent = QString()) {
        text.append(QString(label + u' ' + amount + QStringLiteral("  ") + percent).trimmed());
    };
    row(QStringLiteral("Calories"), p.cals);
    row(QStringLiteral("Calories from fat"), p.fatCals);
    text.append(QStringLiteral("% Daily Value *"));
    row(QStringLiteral("Total Fat"), p.fatG, p.fatPct);
    row(QStringLiteral("Saturated Fat"), p.satFatG, p.satFatPct);
    row(QStringLiteral("Cholesterol"), p.cholG, p.cholPct);
    row(QStringLiteral("Sodium"), p.sodiumG, p.sodiumPct);
    row(QStringLiteral("Total Carbohydrate"), p.carbsG, p.carbsPct);
    row(QStringLiteral("Dietary Fiber"), p.fiberG, p.fiberPct);
    row(QStringLiteral("Protein"), p.proteinG);
    text += {QStringLiteral("* Percent values are based on a 2,000 calorie per day diet. Your "
                            "daily values may differ."),
             QString(), QStringLiteral("Additional Information")};
    for (const QString& share : {recipe.shares.fat, recipe.shares.carbs, recipe.shares.protein})
        if (!share.isEmpty())
            text.append(share);
    text += {QString(), sentFrom};
    return lines::withCrLf(text.join(u'\n')) + QStringLiteral("\r\n");
}

} // namespace zestora
