#pragma once

#include "core/analysis/nutrition.h"
#include "core/analysis/quantity.h"
#include "core/analysis/recipelines.h"

#include <QList>

#include <optional>

namespace zestora {

class IngTable;
struct RecipeView;

// One line of a recipe being built: the row the user reads, the marked-up entry it is saved as,
// and the entry's fields (no name for a heading or a blank line).
struct DraftLine {
    QString row;
    QString entry;
    lines::EntryFields fields;

    bool isIngredient() const { return !fields.name.isEmpty(); }
};

// The recipe being built on the analysis screen: its lines, its per-serving totals and the
// calorie shares they give, its servings, where the next line goes, and whether it is saved. The
// screen shows what this holds and hands every change of the user's to it.
class RecipeDraft {
public:
    explicit RecipeDraft(const IngTable& ingredients);

    // No lines, totals 0, one serving, a blank panel, not saved. A pending insert or replace
    // stays pending.
    void reset();

    const QList<DraftLine>& lines() const { return m_lines; }
    int lineCount() const { return static_cast<int>(m_lines.size()); }
    int ingredientCount() const; // the lines that are not headings or blank

    // Adds a line of the quantity of unit of the ingredient, divided by the servings the totals
    // are for, where an Insert or Replace waits, else at the end. Answers where it went.
    int addIngredient(const IngRecord& ingredient, const QString& name,
                      const quantity::Entry& quantity, const QString& unit);
    // Adds a heading (an empty text is a blank line) where an Insert waits; else at the end,
    // after a blank line when the recipe has lines. Answers the positions of the lines added.
    QList<int> addHeading(const QString& text);

    // One of several lines added at once: an ingredient with its record, or a heading.
    struct NewLine {
        std::optional<IngRecord> ingredient; // none for a heading
        QString name;                        // the ingredient's name as listed, or the heading
        quantity::Entry quantity;
        QString unit;
        QString note = {}; // what a pasted line said beyond its food: "melted"
    };
    // Adds the lines in their order where an Insert or Replace waits, else at the end: each
    // ingredient line as addIngredient adds it, each heading after an ingredient line with a
    // blank line before it. The totals are shown once. Answers the positions of the lines added.
    QList<int> addLines(const QList<NewLine>& lines);

    // The line editor's choice for line `row`. Delete and Replace take the line out (a Replace
    // still waiting from before does too), Replace and Insert leave a place for the next line.
    enum class Edit { Insert, Replace, Delete };
    // Answers whether the line was taken out.
    bool edit(int row, Edit choice);
    // Takes a line out, with its nutrients: its ingredient as the table holds it now.
    void removeLine(int row);

    // Servings chosen on the spinner: the lines added from now on are still worked out for the
    // servings the totals are for, until confirmServings rescales the totals.
    void chooseServings(const quantity::Servings& servings);
    // Answers whether the totals were rescaled.
    bool confirmServings();
    const QString& servingsText() const { return m_servingsText; }
    float servings() const { return m_newServings; }
    // The servings the totals, and every line's share of them, are worked out for.
    float totalsServings() const { return m_oldServings; }

    const nutrition::RecipeTotals& totals() const { return m_totals; }
    // The panel's texts; none while it is blank (before the first line, or a recipe taken over
    // whose panel was blank).
    std::optional<nutrition::PanelTexts> panel() const;
    // The shares shown; they keep the last worked out while the calories are under 1.
    const nutrition::CalorieShares& shares() const { return m_shares; }

    bool isSaved() const { return m_saved; }
    void setSaved(bool saved) { m_saved = saved; }

    // The stored record of the recipe under a name, with its directions.
    QString record(const QString& name, const QString& directions) const;
    // Why the record cannot be stored: a character of the name, the directions, a heading, an
    // ingredient's name or a unit that the recipe file cannot hold or uses as a mark. None when
    // it can be.
    std::optional<QString> unstorableText(const QString& name, const QString& directions) const;
    // A stored recipe as the stored recipes screen shows it, to be edited: every line as stored,
    // the totals it showed (all lines' where an ingredient was missing), its servings, saved.
    void takeOver(const RecipeView& recipe);
    // The servings spinner's value for the recipe taken over.
    int servingsSpinnerValue() const;

private:
    int insertAt(int position, DraftLine line);
    void showTotals();

    const IngTable& m_ingredients;
    QList<DraftLine> m_lines;
    nutrition::RecipeTotals m_totals;
    bool m_panelShown = false;
    nutrition::CalorieShares m_shares;
    QString m_servingsText = QStringLiteral("1");
    float m_newServings = 1;
    float m_oldServings = 1;
    bool m_insertPending = false;
    bool m_replacePending = false;
    qint16 m_pendingLine = 0;
    bool m_saved = false;
};

} // namespace zestora
