#pragma once

#include "core/analysis/nutrition.h"

#include <QList>
#include <QString>

class QPainter;
class QPrinter;

namespace zestora {

// What a printed recipe page shows: the texts of the stored recipes screen.
struct RecipePage {
    QString name;
    QString makes;
    nutrition::PanelTexts panel;
    QStringList shares; // empty when the recipe has no calories
    struct Line {
        QString text;
        bool heading;
    };
    QList<Line> lines;
    QString directions;
};

// Draws the page: the name as a title, the Nutrition Facts panel in its frame with the calorie
// shares below it, and beside it the ingredients (headings bold) and the directions wrapped to the
// column.
void paintRecipePage(QPainter& painter, QPrinter& printer, const RecipePage& page);

} // namespace zestora
