// The analysis screen's recipe name, OK button and saving, and a stored recipe taken over for
// editing.
#include "analysis/analysisscreen.h"

#include "ui_analysisscreen.h"

#include "analysis/nutritionpanel.h"
#include "analysis/recipeexplainer.h"
#include "core/analysis/quantity.h"
#include "core/analysis/recipelines.h"
#include "core/session.h"
#include "core/sortednamemodel.h"
#include "core/store/recipemarks.h"
#include "core/text.h"
#include "core/textpattern.h"
#include "platform/messagebox.h"
#include "platform/waitcursor.h"
#include "store/nameconflictdialog.h"

#include <QTextDocument>

namespace zestora {

void AnalysisScreen::nameTxtChange()
{
    const QString text = m_ui->NameTxt->text();
    m_ui->lblName->setText(text);
    if (!trimSpaces(text).isEmpty()) {
        m_stepIndex = 1;
        m_ui->OkCmd->setEnabled(true);
    }
    if (text.size() > lines::maxNameLength) {
        MessageBox::show(this, lines::nameTooLongMessage, QStringLiteral("There's a Problem"),
                         MessageBox::Icon::Information);
        // Only the letters over the limit go; the recipe on screen stays. Setting the text runs
        // this handler again with the shortened name.
        m_ui->NameTxt->setText(text.left(lines::maxNameLength));
        return;
    }
    if (m_session.editingStoredRecipe)
        takeOverStoredRecipe();
    setChanged();
}

void AnalysisScreen::takeOverStoredRecipe()
{
    m_recipeTotals = m_session.sharedTotals;
    m_servingsDivisor = m_session.shownServings;
    const Session::ShownPanel& shown = m_session.shownPanel;
    m_ui->lblName->setText(shown.name);
    m_ui->lbl1M->setText(shown.makes);
    panel::showTexts(this, shown.panel);
    m_ui->Label24->setText(shown.shares.fat);
    m_ui->Label23->setText(shown.shares.carbs);
    m_ui->Label21->setText(shown.shares.protein);
    m_ui->ServingsLbl->setText(shown.servings);
    const int spinner =
        quantity::servingsSpinnerValue(m_ui->ServingsLbl->text(), m_servingsDivisor);
    m_ui->ServingsVs->setValue(spinner);
    // Servings the spinner shows take its divisor (a third is 0.333, as when chosen on it); any
    // other text ("2.5") keeps the recipe's own divisor and stays as stored, where moving the
    // spinner wrote its nearest servings, so that saving the recipe unchanged keeps it.
    const quantity::Servings onSpinner = quantity::servingsFor(spinner);
    if (onSpinner.text == shown.servings) {
        m_servingsDivisor = onSpinner.divisor;
    } else {
        m_servingsDivisor = m_session.shownServings;
        m_ui->ServingsLbl->setText(shown.servings);
        m_ui->lbl1M->setText(shown.makes);
    }
    m_session.newServings = m_servingsDivisor;
    m_session.oldServings = m_servingsDivisor;
    m_session.editingStoredRecipe = false;
    stopFlashing();
}

void AnalysisScreen::editStoredRecipe(const QString& name, const QStringList& rows,
                                      const QStringList& entries, const QString& directions)
{
    cmdStartOverClick();
    m_session.editingStoredRecipe = true;
    m_ui->NameTxt->setText(name);
    for (qsizetype i = 0; i < entries.size(); ++i)
        insertLine(m_ui->R_IngLst->count(), rows.value(i), entries[i]);
    m_ui->DirectionsTxt->setPlainText(directions);
    m_ui->LblPress->setVisible(false);
    // The recipe on screen is the stored one until it is changed.
    m_session.recipeSaved = true;
    showSavedStatus();
    m_explainer->refresh();
}

bool AnalysisScreen::storedNameMatches(const QString& name, bool typedNameIsPattern) const
{
    const QString typed = trimSpaces(name);
    const TextPattern typedPattern(typed);
    for (const RecipeEntry& entry : m_session.recipes.recipeList()) {
        const QString stored = trimSpaces(entry.recipeName);
        // Equal names always count, whichever of the two is taken as a pattern: "Pie [v2]" as a
        // pattern does not match itself.
        if (stored.compare(typed, Qt::CaseInsensitive) == 0)
            return true;
        if (typedNameIsPattern ? typedPattern.matches(stored) : TextPattern(stored).matches(typed))
            return true;
    }
    return false;
}

void AnalysisScreen::okCmdClick()
{
    stopFlashing();
    if (m_savingNow) {
        if (trimSpaces(m_ui->NameTxt->text()).isEmpty()) {
            MessageBox::show(this, QStringLiteral("Your recipe must have a name."),
                             QStringLiteral("No Name"), MessageBox::Icon::Exclamation);
            m_ui->NameTxt->clear();
            m_ui->NameTxt->setFocus();
            return;
        }
        if (storedNameMatches(m_ui->NameTxt->text(), true)) {
            const NameConflictDialog::Result result = NameConflictDialog::ask(
                this, m_ui->NameTxt->text(), m_session.recipes, *m_recipeNames,
                [this] { Q_EMIT firstStoredRecipeWanted(); });
            if (result.outcome == NameConflictDialog::Outcome::Cancelled)
                m_session.sameFrmCancelled = true;
            else if (result.outcome == NameConflictDialog::Outcome::Renamed)
                m_ui->NameTxt->setText(result.newName);
        }
    }
    if (m_session.newServings != m_session.oldServings && m_ui->R_IngLst->count() > 0) {
        nutrition::rescale(m_recipeTotals, m_session.oldServings, m_session.newServings);
        writePanel();
        showCaloriePercentages();
    }
    m_session.oldServings = m_session.newServings;
}

std::optional<QString> AnalysisScreen::unstorableText() const
{
    struct Piece {
        QString what;
        QString text;
    };
    QList<Piece> pieces{{QStringLiteral("the recipe name"), trimSpaces(m_ui->NameTxt->text())},
                        {QStringLiteral("the directions"), trimSpaces(directionsText())}};
    for (int row = 0; row < m_ui->InvisLst->count(); ++row) {
        const QString entry = m_ui->InvisLst->item(row)->text();
        const lines::EntryFields fields = lines::entryFields(entry);
        if (fields.name.isEmpty()) {
            pieces.append(
                {QStringLiteral("the heading \"%1\"").arg(m_ui->R_IngLst->item(row)->text()),
                 m_ui->R_IngLst->item(row)->text()});
        } else {
            pieces.append(
                {QStringLiteral("the ingredient name \"%1\"").arg(fields.name), fields.name});
            pieces.append({QStringLiteral("the measure \"%1\"").arg(fields.unit), fields.unit});
        }
    }
    for (const Piece& piece : pieces) {
        if (const std::optional<QChar> bad = firstCharOutsideCp1252(piece.text))
            return QStringLiteral("The character %1 in %2 cannot be stored in the recipe file, "
                                  "which holds only Western European letters and signs.")
                .arg(describeChar(*bad), piece.what);
        if (const std::optional<QChar> mark = marks::firstMarkIn(piece.text))
            return QStringLiteral("The character %1 in %2 cannot be stored in a recipe: the recipe "
                                  "file uses it to mark where the parts of a recipe begin and end.")
                .arg(describeChar(*mark), piece.what);
    }
    return std::nullopt;
}

QString AnalysisScreen::directionsText() const
{
    // The raw text keeps every character typed (the plain text turns no-break spaces into
    // spaces); its paragraph breaks become the file's CR LF.
    return lines::withCrLf(m_ui->DirectionsTxt->document()->toRawText());
}

void AnalysisScreen::save()
{
    m_session.sameFrmCancelled = false;
    m_savingNow = true;
    okCmdClick();
    m_savingNow = false;
    if (m_session.sameFrmCancelled)
        return;
    const QString name = trimSpaces(m_ui->NameTxt->text());
    if (name.isEmpty())
        return;
    if (m_ui->R_IngLst->count() == 0) {
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
    QStringList entries;
    for (int row = 0; row < m_ui->InvisLst->count(); ++row)
        entries.append(m_ui->InvisLst->item(row)->text());
    const QString record =
        lines::recipeRecord(name, m_ui->ServingsLbl->text(), entries, directionsText());
    const bool saved = [&] {
        const WaitCursor wait;
        return m_session.recipes.appendRecipe(name, record);
    }();
    if (!saved) {
        MessageBox::show(this, m_session.recipes.errorString(), QStringLiteral("Not Saved"),
                         MessageBox::Icon::Critical);
        return;
    }
    m_recipeNames->insertName(name);
    m_session.recipeSaved = true;
    showSavedStatus();
}

bool AnalysisScreen::mayClose()
{
    const QString name = trimSpaces(m_ui->NameTxt->text());
    const bool holdsWork =
        !name.isEmpty() || m_ui->R_IngLst->count() > 0 || !trimSpaces(directionsText()).isEmpty();
    if (m_session.recipeSaved || !holdsWork)
        return true;
    const MessageBox::Answer answer = MessageBox::show(
        this,
        QStringLiteral("Save changes to ") +
            (name.isEmpty() ? QStringLiteral("this recipe") : name) + QStringLiteral("?"),
        QStringLiteral("Save Changes?"), MessageBox::Icon::Question,
        MessageBox::Buttons::SaveDiscardCancel);
    if (answer == MessageBox::Answer::Save)
        save();
    return answer == MessageBox::Answer::Discard ||
           (answer == MessageBox::Answer::Save && m_session.recipeSaved);
}

} // namespace zestora
