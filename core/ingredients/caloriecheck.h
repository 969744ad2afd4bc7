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
    // Parts above their whole (checkIngredient only).
    bool satFat = false; // saturated fat above the total fat
    bool fiber = false;  // fiber above the total carbohydrate
    QString message;

    bool problem() const { return fat || carbs || protein || sum || satFat || fiber; }
};

CalorieCheck checkCalories(const IngRecord& ingredient);
// The calorie check and the parts: saturated fat above the total fat and fiber above the total
// carbohydrate are listed after the calorie items, each naming both amounts to the hundredth of a
// gram, compared as shown.
CalorieCheck checkIngredient(const IngRecord& ingredient);

} // namespace zestora
