#pragma once

#include "core/store/recipemarks.h"

#include <QListWidgetItem>

namespace zestora {

// A heading stands out in bold in a list of recipe lines, as it does on the printed page.
inline void markHeading(QListWidgetItem* row, const QString& entry)
{
    if (!entry.contains(marks::asChar(marks::headingMark)))
        return;
    QFont font = row->font();
    font.setBold(true);
    row->setFont(font);
}

} // namespace zestora
