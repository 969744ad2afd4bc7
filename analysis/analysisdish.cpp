// The analysis screen's finished dish: the weight when cooked the cook types, the serving's weight
// and per-100 g values it gives, and the weight kept with the recipe when it is saved.
#include "analysis/analysisscreen.h"

#include "ui_analysisscreen.h"

#include "core/recipes/cookedweights.h"
#include "platform/messagebox.h"
#include "widgets/dishweightbox.h"
#include "widgets/recipeexplainer.h"

namespace zestora {

namespace {
const QString notAWeight =
    QStringLiteral("The weight when cooked is the whole dish's weight in grams, as 980.");
} // namespace

void AnalysisScreen::setUpDishWeight()
{
    m_dishWeight = new DishWeightBox(DishWeightBox::Form::Entry, this);
    // Under the panel and its shares, where the room left below takes the per-100 g column.
    m_ui->panelColumn->insertWidget(m_ui->panelColumn->indexOf(m_ui->CalorieBar) + 1, m_dishWeight);
    // After the panel's rows, whose last is the protein's.
    m_dishWeight->followInTabOrder(m_ui->Frame1->rows().back().value);
    connect(m_dishWeight, &DishWeightBox::cookedWeightEdited, this, [this] {
        setChanged();
        showServingWeight();
    });
}

void AnalysisScreen::showServingWeight()
{
    bool bad = false;
    const std::optional<double> cooked = cookedGramsFrom(m_dishWeight->cookedText(), &bad);
    if (bad) {
        // Short, so that the column under the panel keeps its width.
        m_dishWeight->showProblem(QStringLiteral("Weight when cooked: grams, as 980"));
        return;
    }
    m_dishWeight->showWeight(nutrition::servingWeight(m_draft.totals(), m_draft.totalsServings(),
                                                      cooked, m_explainer->lines()->rawGrams()));
}

void AnalysisScreen::showCookedWeightOf(const QString& recipe)
{
    CookedWeights weights;
    weights.load();
    const std::optional<double> grams = weights.of(recipe);
    m_dishWeight->setCookedText(grams ? cookedGramsText(*grams) : QString());
}

bool AnalysisScreen::cookedWeightTyped()
{
    bool bad = false;
    cookedGramsFrom(m_dishWeight->cookedText(), &bad);
    if (bad)
        MessageBox::show(this, notAWeight, QStringLiteral("Not Saved"),
                         MessageBox::Icon::Exclamation);
    return !bad;
}

void AnalysisScreen::keepCookedWeight(const QString& recipe)
{
    bool bad = false;
    CookedWeights weights;
    weights.load();
    if (!weights.set(recipe, cookedGramsFrom(m_dishWeight->cookedText(), &bad)))
        MessageBox::show(this,
                         QStringLiteral("The recipe was saved, but not its weight when "
                                        "cooked.\r\n\r\n") +
                             weights.errorString(),
                         QStringLiteral("Weight Not Saved"), MessageBox::Icon::Exclamation);
}

} // namespace zestora
