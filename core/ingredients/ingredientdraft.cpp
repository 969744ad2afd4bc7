#include "core/ingredients/ingredientdraft.h"

#include "core/numbers.h"

namespace zestora {

namespace {
using Step = IngredientDraft::Step;

bool isFirst(Step step)
{
    return step == Step::FirstMeasure || step == Step::FirstQuantity;
}
} // namespace

void IngredientDraft::reset()
{
    *this = IngredientDraft();
}

IngredientDraft::Move IngredientDraft::moveOn(bool taken, bool noSecondMeasure)
{
    if (!taken)
        return {};
    if (m_beyondLast) {
        m_beyondLast = false;
        return {false, true};
    }
    if (m_step == Step::Protein)
        return {true, true};
    m_step = static_cast<Step>(indexOf(m_step) + 1);
    if (m_step == Step::SecondQuantity && noSecondMeasure)
        m_step = Step::Calories;
    return {};
}

bool IngredientDraft::moveBack(bool noSecondMeasure)
{
    if (m_beyondLast) {
        m_beyondLast = false;
        return true;
    }
    if (m_step == Step::Name)
        return false;
    m_step = static_cast<Step>(indexOf(m_step) - 1);
    if (m_step == Step::SecondQuantity && noSecondMeasure)
        m_step = Step::SecondMeasure;
    return true;
}

void IngredientDraft::goTo(Step step)
{
    m_step = step;
    m_beyondLast = false;
}

void IngredientDraft::goBeyondLast()
{
    m_step = Step::Protein;
    m_beyondLast = true;
}

const QString& IngredientDraft::measureOf(Step step) const
{
    return isFirst(step) ? m_ingredient.measure1 : m_ingredient.measure2;
}

float IngredientDraft::takeQuantity(Step step, const quantity::Entry& entry)
{
    const float amount = entry.value();
    (isFirst(step) ? m_ingredient.amount1 : m_ingredient.amount2) = amount;
    return amount;
}

QString IngredientDraft::servingText(Step step, const quantity::Entry& entry) const
{
    const QString blank = QStringLiteral(" ");
    if (!entry.fractionMode)
        return floatText(entry.value()) + blank + measureOf(step);
    const QString ones = entry.ones == 0 ? QString() : QString::number(entry.ones);
    return ones + blank + quantity::fractionText(entry.fraction) + blank + measureOf(step);
}

} // namespace zestora
