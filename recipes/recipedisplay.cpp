#include "recipes/recipedisplay.h"

#include "ui_storedrecipesscreen.h"

#include "core/analysis/recipelines.h"
#include "core/analysis/servingweight.h"
#include "core/exchange/storedrecipe.h"
#include "core/paste/coverage.h"
#include "core/recipes/cookedweights.h"
#include "widgets/dishweightbox.h"
#include "widgets/recipeexplainer.h"

#include <QScopeGuard>

namespace zestora {

RecipeDisplay::RecipeDisplay(Ui::StoredRecipesScreen& ui, QWidget* form,
                             const IngTable& ingredients)
    : m_ui(ui)
{
    // The explainer reads the panel's rows, which the form gives it.
    m_ui.Picture1->setForm(NutritionPanel::Form::StoredRecipe);
    m_explainer = new RecipeExplainer(
        form, ingredients,
        {ui.R_IngLst,
         ui.Picture1,
         {ui.fatShare, ui.carbsShare, ui.proteinShare},
         ui.CalorieBar,
         {[this] { return m_shown.shownRows; },
          [this](int line) -> const QString& { return m_shown.rows.at(line); },
          [this](int line) -> const QString& { return m_shown.entries.at(line); },
          [this] {
              return m_shown.shownServings;
          }}});
    m_dishWeight = new DishWeightBox(DishWeightBox::Form::Shown, form);
    // Under the panel and its shares, as on the analysis screen.
    m_ui.panelColumn->insertWidget(m_ui.panelColumn->indexOf(m_ui.CalorieBar) + 1, m_dishWeight);
    clear();
}

RecipeLinesModel* RecipeDisplay::lines() const
{
    return m_explainer->lines();
}

void RecipeDisplay::clear()
{
    clearValues();
    m_explainer->showTotals(std::nullopt);
}

void RecipeDisplay::clearValues()
{
    m_ui.Picture1->clear();
    m_ui.CoverageLbl->clear();
    for (QLabel* share : {m_ui.fatShare, m_ui.carbsShare, m_ui.proteinShare})
        share->clear();
    m_name.clear();
    m_shown = {};
    m_explainer->lines()->linesReset(0);
    m_panel.reset();
    m_shares = {};
    m_ui.DirectionsTxt->clear();
    QFont font = m_ui.DirectionsTxt->font();
    font.setBold(false);
    font.setPointSize(9);
    m_ui.DirectionsTxt->setFont(font);
    m_dishWeight->clear();
}

std::optional<QString> RecipeDisplay::show(const QString& name, RecipeView recipe)
{
    // The chart is shown or hidden once, at the end: each change of its visibility lays out the
    // whole window again there and then.
    clearValues();
    m_name = name;
    m_shown = std::move(recipe);
    const RecipeView& view = m_shown;
    // What the recipe makes as its source said it ("makes 36 cookies"), where an import kept it.
    m_ui.Picture1->setServing(StoredRecipe::makesText(name, view.servingsText, view.directions));
    m_explainer->lines()->linesReset(view.shownRows);
    // Lines that count for nothing are named, so that the cook knows how far to trust the panel.
    if (const paste::Coverage coverage = paste::coverageOf(view); !coverage.complete())
        m_ui.CoverageLbl->setText(coverage.text());
    if (view.ingredientLines > 0) {
        m_panel = nutrition::panelTexts(view.viewTotals);
        m_ui.Picture1->setValues(*m_panel);
    }
    if (view.missingIngredient) {
        m_explainer->showTotals(std::nullopt);
        return view.missingIngredient;
    }
    m_ui.DirectionsTxt->setPlainText(view.directions);
    if (m_panel)
        m_shares = nutrition::calorieShares(view.viewTotals).value_or(nutrition::CalorieShares{});
    m_ui.fatShare->setText(m_shares.fat);
    m_ui.carbsShare->setText(m_shares.carbs);
    m_ui.proteinShare->setText(m_shares.protein);
    m_explainer->showTotals(m_shares.chart());
    CookedWeights weights;
    weights.load();
    m_dishWeight->showWeight(nutrition::servingWeight(
        view.viewTotals, view.shownServings, weights.of(name), m_explainer->lines()->rawGrams()));
    return std::nullopt;
}

ShownRecipe RecipeDisplay::shownRecipe() const
{
    ShownRecipe shown{m_name,
                      {},
                      // The directions go out as stored, with CR LF between their lines.
                      lines::withCrLf(m_ui.DirectionsTxt->document()->toRawText()),
                      m_ui.Picture1->serving(),
                      m_panel.value_or(nutrition::PanelTexts{}),
                      m_shares};
    shown.lines = m_shown.rows.first(m_shown.shownRows);
    return shown;
}

RecipePage RecipeDisplay::page(QSize frameSize) const
{
    QFrame* frame = m_ui.ViewFrame;
    m_ui.viewLayout->setGeometry(QRect(frame->contentsRect().topLeft(), frameSize));
    // A form never shown is sent no resize events, which lay out the widgets inside its widgets:
    // their layouts take the sizes just given here, outer ones first.
    if (!frame->isVisible())
        for (QWidget* widget : frame->findChildren<QWidget*>())
            if (QLayout* inner = widget->layout()) {
                inner->invalidate();
                inner->activate();
            }
    const auto laidOutAgain =
        qScopeGuard([&] { m_ui.viewLayout->setGeometry(frame->contentsRect()); });
    return recipePage({frame,
                       frameSize,
                       m_ui.Picture1,
                       m_name,
                       m_ui.Label1,
                       m_ui.R_IngLst,
                       m_ui.CoverageLbl->text(),
                       m_panel && m_shown.viewTotals.totCalories > 0,
                       m_ui.Label19,
                       {m_ui.fatShare, m_ui.carbsShare, m_ui.proteinShare},
                       m_ui.CalorieBar,
                       m_ui.DirectionsTxt,
                       m_dishWeight->servingLabel()});
}

} // namespace zestora
