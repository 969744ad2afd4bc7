// The analysis screen's recipe name, OK button and saving, and a stored recipe taken over for
// editing.
#include "analysis/analysisscreen.h"

#include "ui_analysisscreen.h"

#include "core/recipes/recipeingredients.h"
#include "core/recipes/recipeview.h"
#include "core/recipes/storednames.h"
#include "core/session.h"
#include "core/sortednamemodel.h"
#include "core/text.h"
#include "platform/messagebox.h"
#include "platform/waitcursor.h"
#include "shared/nameconflictdialog.h"
#include "widgets/recipeexplainer.h"

#include <QTextDocument>

namespace zestora {

void AnalysisScreen::nameChanged()
{
    const QString text = m_ui->NameTxt->text();
    m_ui->Frame1->setName(text);
    if (!trimSpaces(text).isEmpty())
        m_ui->OkCmd->setEnabled(true);
    if (text.size() > lines::maxNameLength) {
        MessageBox::show(this, lines::nameTooLongMessage, QStringLiteral("There's a Problem"),
                         MessageBox::Icon::Information);
        // Only the letters over the limit go; the recipe on screen stays. Setting the text runs
        // this handler again with the shortened name.
        m_ui->NameTxt->setText(text.left(lines::maxNameLength));
        return;
    }
    setChanged();
}

bool AnalysisScreen::editStoredRecipe(const QString& name, const RecipeView& recipe)
{
    if (!mayReplaceRecipe())
        return false;
    startOver();
    m_ui->NameTxt->setText(name);
    m_draft.takeOver(recipe);
    m_explainer->lines()->linesReset(m_draft.lineCount());
    m_ui->DirectionsLbl->setText(QStringLiteral("Change Items a desired."));
    // The spinner shows the servings without running its handler: they are the recipe's own. The
    // line of servings reads as the stored recipes screen wrote it, unless the spinner moved to
    // servings it writes itself.
    const int spinner = m_draft.servingsSpinnerValue();
    const bool moved = m_ui->ServingsVs->value() != spinner;
    {
        const QSignalBlocker quiet(m_ui->ServingsVs);
        m_ui->ServingsVs->setValue(spinner);
    }
    const QString& servings = m_draft.servingsText();
    m_ui->ServingsLbl->setText(servings);
    const bool spinnerWrites = moved && quantity::servingsFor(spinner).text == servings;
    m_ui->Frame1->setServing((spinnerWrites ? QStringLiteral("Makes ") : QStringLiteral("makes ")) +
                             servings + QStringLiteral(" servings"));
    stopFlashing();
    m_ui->DirectionsTxt->setPlainText(recipe.directions);
    showCookedWeightOf(name);
    // A stored recipe all of whose lines count says nothing of them; one that an import could not
    // count in full names what it left out.
    if (const paste::Coverage stored = paste::coverageOf(recipe); !stored.complete()) {
        m_coverage = stored;
        m_ingredientLinesCovered = m_draft.ingredientCount();
        showCoverage();
    }
    // The recipe on screen is the stored one until it is changed.
    m_draft.setSaved(true);
    showSavedStatus();
    showTotals();
    return true;
}

bool AnalysisScreen::storedNameMatches(const QString& name, bool typedNameIsPattern) const
{
    return StoredNames::taken(m_session.recipes.recipeList(), name, typedNameIsPattern);
}

bool AnalysisScreen::confirmServings(bool saving)
{
    stopFlashing();
    bool cancelled = false;
    if (saving) {
        if (trimSpaces(m_ui->NameTxt->text()).isEmpty()) {
            MessageBox::show(this, QStringLiteral("Your recipe must have a name."),
                             QStringLiteral("No Name"), MessageBox::Icon::Exclamation);
            m_ui->NameTxt->clear();
            m_ui->NameTxt->setFocus();
            return true;
        }
        if (storedNameMatches(m_ui->NameTxt->text(), true)) {
            const NameConflictDialog::Result result = NameConflictDialog::ask(
                this, m_ui->NameTxt->text(), m_session.recipes, *m_recipeNames,
                [this] { Q_EMIT firstStoredRecipeWanted(); });
            if (result.outcome == NameConflictDialog::Outcome::Cancelled)
                cancelled = true;
            else if (result.outcome == NameConflictDialog::Outcome::Renamed)
                m_ui->NameTxt->setText(result.newName);
        }
    }
    if (m_draft.confirmServings()) {
        m_explainer->lines()->rework();
        showTotals();
    }
    return !cancelled;
}

std::optional<QString> AnalysisScreen::unstorableText() const
{
    return m_draft.unstorableText(trimSpaces(m_ui->NameTxt->text()), trimSpaces(directionsText()));
}

QString AnalysisScreen::directionsText() const
{
    // The raw text keeps every character typed (the plain text turns no-break spaces into
    // spaces); its paragraph breaks become the file's CR LF.
    return lines::withCrLf(m_ui->DirectionsTxt->document()->toRawText());
}

void AnalysisScreen::save()
{
    if (!confirmServings(true))
        return;
    const QString name = trimSpaces(m_ui->NameTxt->text());
    if (name.isEmpty())
        return;
    if (m_draft.lineCount() == 0) {
        MessageBox::show(this,
                         QStringLiteral("Your Recipe has no ingredients. Your Recipe ") +
                             QStringLiteral("was NOT saved!"),
                         QStringLiteral("Strange Recipe"), MessageBox::Icon::Critical);
        return;
    }
    if (trimSpaces(directionsText()).isEmpty() &&
        MessageBox::show(this,
                         QStringLiteral("There are no directions for this recipe.  ") +
                             QStringLiteral("Would like to enter some."),
                         QStringLiteral("No Directions?"), MessageBox::Icon::Question,
                         MessageBox::Buttons::YesNo) == MessageBox::Answer::Yes) {
        m_ui->DirectionsTxt->setFocus();
        return;
    }
    if (const std::optional<QString> problem = unstorableText()) {
        MessageBox::show(this,
                         *problem + QStringLiteral("\r\n\r\nPlease change it, then save again."),
                         QStringLiteral("Not Saved"), MessageBox::Icon::Exclamation);
        return;
    }
    // A recipe of this name is still stored when the conflict was left without replacing it.
    if (storedNameMatches(name, false)) {
        MessageBox::show(this,
                         QStringLiteral("A recipe named %1 is still stored, so this recipe was not "
                                        "saved.\r\n\r\nSave it under another name, or under "
                                        "exactly the stored name and choose Replace and Save.")
                             .arg(name),
                         QStringLiteral("Not Saved"), MessageBox::Icon::Exclamation);
        return;
    }
    if (!cookedWeightTyped())
        return;
    const QString record = m_draft.record(name, directionsText());
    recipeingredients::RecipeLinks links;
    links.load();
    if (const QStringList chain = recipeingredients::containingChain(
            name, recipeingredients::ingredientNames(record), m_session.recipes, links);
        !chain.isEmpty()) {
        MessageBox::show(this, recipeingredients::chainMessage(chain), QStringLiteral("Not Saved"),
                         MessageBox::Icon::Exclamation);
        return;
    }
    const bool saved = [&] {
        const WaitCursor wait;
        return m_session.recipes.appendRecipe(name, record);
    }();
    if (!saved) {
        MessageBox::show(this, m_session.recipes.errorString(), QStringLiteral("Not Saved"),
                         MessageBox::Icon::Critical);
        return;
    }
    keepCookedWeight(name);
    m_recipeNames->insertName(name);
    m_draft.setSaved(true);
    showSavedStatus();
    followSavedRecipe(name, links);
}

void AnalysisScreen::followSavedRecipe(const QString& name,
                                       const recipeingredients::RecipeLinks& links)
{
    QString error;
    const QStringList updated = recipeingredients::followRecipe(name, m_session.ingredients,
                                                                m_session.recipes, links, &error);
    if (!error.isEmpty()) {
        MessageBox::show(this,
                         QStringLiteral("The recipe was saved, but the ingredient made from it "
                                        "could not be brought up to date.\r\n\r\n") +
                             error,
                         QStringLiteral("Ingredient Not Updated"), MessageBox::Icon::Exclamation);
        return;
    }
    if (!updated.isEmpty())
        Q_EMIT statusNote((updated.size() == 1
                               ? QStringLiteral("The ingredient %1 was brought up to date.")
                               : QStringLiteral("The ingredients %1 were brought up to date."))
                              .arg(updated.join(QStringLiteral(", "))));
}

bool AnalysisScreen::mayReplaceRecipe()
{
    const QString name = trimSpaces(m_ui->NameTxt->text());
    const bool holdsWork =
        !name.isEmpty() || m_draft.lineCount() > 0 || !trimSpaces(directionsText()).isEmpty();
    if (m_draft.isSaved() || !holdsWork)
        return true;
    const MessageBox::Answer answer = MessageBox::show(
        this,
        QStringLiteral("Save changes to ") +
            (name.isEmpty() ? QStringLiteral("this recipe") : name) + QStringLiteral("?"),
        QStringLiteral("Save Changes?"), MessageBox::Icon::Question,
        MessageBox::Buttons::SaveDiscardCancel);
    if (answer == MessageBox::Answer::Save) {
        save();
        if (!m_draft.isSaved())
            Q_EMIT attentionWanted();
    }
    return answer == MessageBox::Answer::Discard ||
           (answer == MessageBox::Answer::Save && m_draft.isSaved());
}

} // namespace zestora
