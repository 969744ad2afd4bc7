#pragma once

#include "core/store/ingrecord.h"

#include <QString>

namespace zestora {

// Whether an ingredient's calories agree with its fat, carbohydrates and protein (9, 4 and 4
// calories a gram) within 12 % either way, and the message that lists what disagrees.
struct CalorieCheck {
    bool fat = false;
    bool carbs = false;
    bool protein = false;
    bool sum = false;
    QString message;

    bool problem() const { return fat || carbs || protein || sum; }
};

CalorieCheck checkCalories(const IngRecord& ingredient);

} // namespace zestora
