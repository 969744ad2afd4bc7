#include "core/exchange/recipepage.h"

namespace zestora::exchange {

namespace {

// Text made safe for a page: markup characters escaped, control characters (the recipe file's
// line end mark among them) left out.
QString escaped(const QString& text)
{
    QString clean;
    clean.reserve(text.size());
    for (QChar c : text)
        if (c.category() != QChar::Other_Control || c == u'\n')
            clean += c;
    return clean.toHtmlEscaped();
}

const QString styleSheet = QStringLiteral(
    "body { font-family: Arial, Helvetica, sans-serif; margin: 2em; }\n"
    "article.recipe { display: flex; flex-wrap: wrap; gap: 2em; align-items: flex-start; }\n"
    "article.recipe > div { flex: 1 1 24em; }\n"
    "article.recipe + article.recipe { border-top: 1px solid #999; margin-top: 2em;"
    " padding-top: 2em; break-before: page; page-break-before: always; }\n"
    "h1 { font-size: 1.5em; } h2 { font-size: 1.1em; }\n"
    "ul.ingredients { list-style: none; padding: 0; }\n"
    "li.blank { height: 1em; }\n"
    "table.nutrition { border: 2px solid #000; border-collapse: collapse; min-width: 14em; }\n"
    "table.nutrition caption { font-size: 1.4em; font-weight: bold; text-align: left; }\n"
    "table.nutrition th, table.nutrition td { border-top: 1px solid #000;"
    " padding: 0.15em 0.4em; text-align: left; }\n"
    "table.nutrition td.amount, table.nutrition td.value { text-align: right; }\n"
    "table.nutrition th.sub { font-weight: normal; padding-left: 1.2em; }\n"
    "table.nutrition tfoot td { font-size: 0.8em; }\n"
    "@media print { body { margin: 0; } }\n");

} // namespace

QByteArray htmlPageStart(const QString& title)
{
    return QByteArrayLiteral(
               "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
               "<title>") +
           escaped(title).toUtf8() + QByteArrayLiteral("</title>\n<style>\n") +
           styleSheet.toUtf8() + QByteArrayLiteral("</style>\n</head>\n<body>\n");
}

QByteArray htmlPageEnd()
{
    return QByteArrayLiteral("</body>\n</html>\n");
}

QByteArray htmlRecipe(const ShownRecipe& recipe)
{
    QString html =
        QStringLiteral("<article class=\"recipe\">\n<div>\n<h1>") + escaped(recipe.name) +
        QStringLiteral("</h1>\n<p class=\"makes\">") + escaped(recipe.makes) +
        QStringLiteral("</p>\n<h2>List of Ingredients</h2>\n<ul class=\"ingredients\">\n");
    for (const QString& line : recipe.lines) {
        // A heading's row is its text; the blank line that parts groups is a blank one.
        const QString text = line.simplified();
        html += text.isEmpty() ? QStringLiteral("<li class=\"blank\"></li>\n")
                               : QStringLiteral("<li>") + escaped(text) + QStringLiteral("</li>\n");
    }
    html += QStringLiteral("</ul>\n<h2>Instructions for Preparation</h2>\n");
    // Paragraphs apart where the directions leave a blank line, lines kept within them.
    for (const QString& paragraph : QString(recipe.directions)
                                        .replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                                        .split(QStringLiteral("\n\n"), Qt::SkipEmptyParts))
        html += QStringLiteral("<p>") +
                escaped(paragraph.trimmed()).replace(u'\n', QStringLiteral("<br>\n")) +
                QStringLiteral("</p>\n");
    html += QStringLiteral("</div>\n");
    const nutrition::PanelTexts& p = recipe.panel;
    if (p.cals.isEmpty()) {
        html += QStringLiteral("<p class=\"nutrition\">The nutrition could not be worked out: an "
                               "ingredient is not in the ingredient database.</p>\n</article>\n");
        return html.toUtf8();
    }
    html += QStringLiteral("<table class=\"nutrition\">\n<caption>Nutrition Facts</caption>\n"
                           "<thead>\n<tr><th scope=\"col\">Amount per serving</th>"
                           "<th scope=\"col\"></th><th scope=\"col\">% Daily Value *</th></tr>\n"
                           "</thead>\n<tbody>\n");
    const auto row = [&html](const QString& label, const QString& amount, const QString& value,
                             bool sub) {
        html += QStringLiteral("<tr><th scope=\"row\"") +
                (sub ? QStringLiteral(" class=\"sub\"") : QString()) + u'>' + label +
                QStringLiteral("</th><td class=\"amount\">") + escaped(amount) +
                QStringLiteral("</td><td class=\"value\">") + escaped(value) +
                QStringLiteral("</td></tr>\n");
    };
    row(QStringLiteral("Calories"), p.cals, {}, false);
    row(QStringLiteral("Calories from fat"), p.fatCals, {}, true);
    row(QStringLiteral("Total Fat"), p.fatG, p.fatPct, false);
    row(QStringLiteral("Saturated Fat"), p.satFatG, p.satFatPct, true);
    row(QStringLiteral("Cholesterol"), p.cholG, p.cholPct, false);
    row(QStringLiteral("Sodium"), p.sodiumG, p.sodiumPct, false);
    row(QStringLiteral("Total Carbohydrate"), p.carbsG, p.carbsPct, false);
    row(QStringLiteral("Dietary Fiber"), p.fiberG, p.fiberPct, true);
    row(QStringLiteral("Protein"), p.proteinG, {}, false);
    html += QStringLiteral("</tbody>\n<tfoot>\n<tr><td colspan=\"3\">* Percent values are based "
                           "on a 2,000 calorie per day diet. Your daily values may differ.</td>"
                           "</tr>\n<tr><td colspan=\"3\">") +
            escaped(recipe.shares.fat) + QStringLiteral("<br>") + escaped(recipe.shares.carbs) +
            QStringLiteral("<br>") + escaped(recipe.shares.protein) +
            QStringLiteral("</td></tr>\n</tfoot>\n</table>\n</article>\n");
    return html.toUtf8();
}

} // namespace zestora::exchange
