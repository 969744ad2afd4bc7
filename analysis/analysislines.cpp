// The analysis screen's recipe lines: adding an ingredient, the line editor and headings.
#include "analysis/analysisscreen.h"

#include "ui_analysisscreen.h"

#include "analysis/headingdialog.h"
#include "analysis/lineeditordialog.h"
#include "core/exchange/linenotes.h"
#include "core/numbers.h"
#include "platform/messagebox.h"
#include "platform/visiblefocus.h"
#include "widgets/quantityentry.h"
#include "widgets/recipeexplainer.h"

#include <algorithm>

namespace zestora {

void AnalysisScreen::addLine()
{
    if (m_chosenName.isEmpty()) {
        MessageBox::show(this,
                         QStringLiteral("You must first select an ingredient before you ") +
                             QStringLiteral("can add it."),
                         QStringLiteral("Nothing Selected"), MessageBox::Icon::Exclamation);
        return;
    }
    const quantity::Entry quantity = m_quantity->entry();
    if (quantity.text() == quantity::missingQuantity) {
        MessageBox::show(this, QStringLiteral("You must enter a quantity."),
                         QStringLiteral("* * * * Error * * * *"), MessageBox::Icon::Exclamation);
        return;
    }
    showLinesAdded({m_draft.addIngredient(m_currentIng, m_chosenName, quantity,
                                          m_ui->MeasureLst->currentText())});

    // Ready for the next line.
    m_ui->IngLst->setCurrentIndex(QModelIndex());
    m_ui->IngLst->clearSelection();
    m_chosenName.clear();
    m_ui->R_IngLstText->clear();
    m_quantity->clear();
    showTotals();
    showSavedStatus();
    m_ui->IngLst2->setText(QStringLiteral("Select From This List"));
    m_ui->MeasureLst->clear();
    // The next key chooses the next ingredient.
    moveFocusVisibly(m_ui->IngLst2->isVisible() ? static_cast<QWidget*>(m_ui->IngLst2)
                                                : m_ui->IngLst);
}

void AnalysisScreen::addPastedLines(const QList<RecipeDraft::NewLine>& lines,
                                    const paste::Coverage& coverage, std::optional<float> servings)
{
    m_coverage = shownCoverage();
    m_coverage += coverage;
    if (servings)
        takePastedServings(*servings);
    const QList<int> positions = m_draft.addLines(lines);
    m_ingredientLinesCovered = m_draft.ingredientCount();
    if (positions.isEmpty()) {
        showCoverage();
        return;
    }
    // What the lines said beyond their food leads the directions, where the saved recipe keeps
    // it as an import does.
    QStringList entries;
    QStringList notes;
    for (const RecipeDraft::NewLine& line : lines)
        if (line.ingredient && !line.note.isEmpty()) {
            entries.append(lines::ingredientEntry(line.name, line.quantity.fractionMode,
                                                  line.quantity.text(), line.unit));
            notes.append(line.note);
        }
    if (!entries.isEmpty())
        m_ui->DirectionsTxt->setPlainText(
            exchange::withLineNotes(directionsText(), entries, notes));
    // The lines stand together: they are shown in one batch, the panel once.
    m_explainer->lines()->linesInserted(positions.front(), static_cast<int>(positions.size()));
    showTotals();
    showSavedStatus();
}

void AnalysisScreen::takePastedServings(float servings)
{
    // A recipe begun with the pasted lines makes what their text says, so that the lines are
    // divided by it from the first; the servings of a recipe with lines are the user's.
    const int spinner = quantity::servingsSpinnerValue(QString(), servings);
    if (m_draft.lines().isEmpty() && quantity::servingsFor(spinner).divisor == servings) {
        m_ui->ServingsVs->setValue(spinner);
        confirmServings(false);
    } else if (servings != m_draft.servings()) {
        Q_EMIT statusNote(QStringLiteral("The pasted text makes %1 servings; the recipe's "
                                         "servings were left at %2.")
                              .arg(floatText(servings), m_draft.servingsText()));
    }
}

paste::Coverage AnalysisScreen::shownCoverage() const
{
    // Lines added or taken away by hand since are ingredients the user chose and measured: they
    // are weighed, and the count follows them.
    paste::Coverage shown = m_coverage;
    const int byHand = m_draft.ingredientCount() - m_ingredientLinesCovered;
    shown.lines = std::max(shown.lines + byHand, 0);
    shown.weighed = std::max(shown.weighed + byHand, 0);
    shown.estimated = std::min(shown.estimated, shown.weighed);
    return shown;
}

void AnalysisScreen::showCoverage()
{
    // One line, ending in "..." where the screen is too narrow, so that the directions below it
    // never move; the tool tip gives the whole of it.
    const QString text = m_coverage.lines > 0 ? shownCoverage().text() : QString();
    m_ui->CoverageLbl->setText(text);
    m_ui->CoverageLbl->setToolTip(text);
}

void AnalysisScreen::showLinesAdded(const QList<int>& positions)
{
    for (const int at : positions)
        m_explainer->lines()->linesInserted(at, 1);
}

void AnalysisScreen::showLineRemoved(int row)
{
    m_explainer->lines()->lineRemoved(row);
    // The line is gone: no other line takes its highlight.
    m_ui->R_IngLst->setCurrentIndex(QModelIndex());
    m_ui->R_IngLst->clearSelection();
}

void AnalysisScreen::editLine(int row)
{
    const std::optional<RecipeDraft::Edit> choice =
        LineEditorDialog::ask(this, m_draft.lines().at(row).row);
    if (!choice)
        return;
    if (m_draft.edit(row, *choice)) {
        showLineRemoved(row);
        showTotals();
    }
    showSavedStatus();
    // The ingredient that goes in the line's place, or after it, is chosen next.
    if (*choice != RecipeDraft::Edit::Delete)
        openIngredientList();
}

void AnalysisScreen::addHeading()
{
    if (const std::optional<QString> heading = HeadingDialog::ask(this, m_help))
        showLinesAdded(m_draft.addHeading(*heading));
}

} // namespace zestora
