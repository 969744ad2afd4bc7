#pragma once

#include "core/paste/linereview.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace zestora {
struct RecipeView;
}

namespace zestora::paste {

// How much of a recipe its nutrition counts: of its ingredient lines, how many were weighed, how
// many of those by an estimate, and which count for nothing, so that a cook sees at a glance how
// far to trust the panel.
struct Coverage {
    int lines = 0;
    int weighed = 0;
    int estimated = 0;
    QStringList notCounted; // the lines as written

    bool complete() const { return weighed == lines; }
    // Another paste into the same recipe.
    Coverage& operator+=(const Coverage& more);
    // "12 of 14 lines weighed; not counted: bay leaf, salt to taste"
    QString text() const;
};

// The coverage of reviewed lines: a line the user left out counts for nothing too.
Coverage coverageOf(const QList<ReviewedLine>& lines, const IngTable& ingredients);

// The coverage of a stored recipe as the stored recipes screen shows it: its lines count up to
// one whose food is missing, where working out stops; the lines an import could not count, kept
// at the end of the directions, count for nothing. A stored line keeps no estimate.
Coverage coverageOf(const RecipeView& recipe);

} // namespace zestora::paste
