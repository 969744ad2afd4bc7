#pragma once

#include "core/analysis/nutrition.h"
#include "core/analysis/quantity.h"
#include "core/store/ingrecord.h"

#include <array>

namespace zestora {

// The ingredient the wizard builds: the step on view, which steps were taken, the record the taken
// steps wrote and the texts of its Nutrition Facts preview. The wizard shows it and forwards what
// the user does; what each step checks of the controls stays with the wizard.
class IngredientDraft {
public:
    enum class Step {
        Name,
        FirstMeasure,
        FirstQuantity,
        SecondMeasure,
        SecondQuantity,
        Calories,
        Fat,
        Cholesterol,
        Sodium,
        Carbohydrates,
        Protein,
    };
    static constexpr int stepCount = 11;
    static constexpr int indexOf(Step step) { return static_cast<int>(step); }

    // An empty ingredient on the first step.
    void reset();

    // The step on view; after a save from the last step it stays the last.
    Step step() const { return m_step; }
    // Shown as "Step n of 11".
    int stepNumber() const { return indexOf(m_step) + 1; }
    bool taken(Step step) const { return m_taken[static_cast<size_t>(indexOf(step))]; }
    void setTaken(Step step, bool taken) { m_taken[static_cast<size_t>(indexOf(step))] = taken; }
    // Arriving on a step, Next is offered only for one taken before.
    bool nextAllowed() const { return taken(m_step); }

    // Next, after the step on view was taken or refused. A refused step stays on view; the
    // second quantity is passed by when there is no second measure; past the last step the
    // draft is finished and stays on the last.
    struct Move {
        bool almostDone = false; // the last step was taken: Finish is next
        bool finished = false;
    };
    Move moveOn(bool taken, bool noSecondMeasure);
    // Back: answers false on the first step, where there is none.
    bool moveBack(bool noSecondMeasure);
    void goTo(Step step);
    // Saved after the user confirmed a calorie warning: the next Next takes nothing.
    void goBeyondLast();
    bool beyondLast() const { return m_beyondLast; }

    // A quantity step (or the measure step before it) and the measure it counts.
    const QString& measureOf(Step step) const;
    // A quantity step takes its spinners' quantity into the record and answers the amount.
    float takeQuantity(Step step, const quantity::Entry& entry);
    // The preview's serving line: in decimals the amount as a number, in fractions as the
    // spinners show it ("1 1/2 cup", " 1/2 cup").
    QString servingText(Step step, const quantity::Entry& entry) const;

    IngRecord& ingredient() { return m_ingredient; }
    const IngRecord& ingredient() const { return m_ingredient; }
    nutrition::PanelTexts& preview() { return m_preview; }
    const nutrition::PanelTexts& preview() const { return m_preview; }

private:
    Step m_step = Step::Name;
    bool m_beyondLast = false;
    std::array<bool, stepCount> m_taken{};
    IngRecord m_ingredient;
    nutrition::PanelTexts m_preview;
};

} // namespace zestora
