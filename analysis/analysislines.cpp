// The analysis screen's recipe lines: adding an ingredient, the line editor and headings.
#include "analysis/analysisscreen.h"

#include "ui_analysisscreen.h"

#include "analysis/headingdialog.h"
#include "analysis/lineeditordialog.h"
#include "analysis/recipelist.h"
#include "core/analysis/quantity.h"
#include "core/analysis/recipelines.h"
#include "core/session.h"
#include "platform/messagebox.h"

#include <QGuiApplication>

namespace zestora {

void AnalysisScreen::addcmdClick()
{
    const QString name = m_ui->R_IngLstText->text();
    if (name.isEmpty()) {
        MessageBox::show(this,
                         QStringLiteral("You must first select an ingredient before you ") +
                             QStringLiteral("can add it."),
                         QStringLiteral("Nothing Selected"), MessageBox::Icon::Exclamation);
        return;
    }
    const QString unit = m_ui->MeasureLst->currentText();
    const QString quantityText = quantity::putTogetherQuantityString(
        m_ui->OnesTxt->text(), m_ui->FracTxt->text(), fractionMode());
    if (quantityText == quantity::missingQuantity) {
        MessageBox::show(this, QStringLiteral("You must enter a quantity."),
                         QStringLiteral("* * * * Error * * * *"), MessageBox::Icon::Exclamation);
        return;
    }
    const QString row = lines::ingredientRow(name, quantityText, unit);
    const QString entry = lines::ingredientEntry(name, fractionMode(), quantityText, unit);
    if (!m_session.replaceFlag && !m_session.insertFlag) {
        insertLine(m_ui->R_IngLst->count(), row, entry);
    } else {
        insertLine(m_session.selectedLine, row, entry);
        m_session.replaceFlag = false;
        m_session.insertFlag = false;
    }
    nutrition::addLineNutrients(m_recipeTotals, m_currentIng, unit, m_quantityValue,
                                m_servingsDivisor);
    writePanel();

    m_ui->IngLst->setCurrentIndex(QModelIndex());
    m_ui->IngLst->clearSelection();
    m_ui->R_IngLstText->clear();
    clearQuantityEntry();
    m_stepIndex = 2;
    showCaloriePercentages();
    setChanged();
    m_ui->IngLst2->setText(QStringLiteral("Select From This List"));
    m_ui->MeasureLst->clear();
}

void AnalysisScreen::insertLine(int position, const QString& row, const QString& entry)
{
    // A pending position past the end (after rows were taken out) appends.
    const int at = qBound(0, position, m_ui->R_IngLst->count());
    m_ui->R_IngLst->insertItem(at, row);
    m_ui->InvisLst->insertItem(at, entry);
    markHeading(m_ui->R_IngLst->item(at), entry);
}

void AnalysisScreen::rIngLstClick(int row)
{
    const LineEditorDialog::Action action =
        LineEditorDialog::ask(this, m_ui->R_IngLst->item(row)->text());
    if (action == LineEditorDialog::Action::Cancel)
        return;
    // Each choice sets its own flag; one still pending from before stays until it is used.
    switch (action) {
    case LineEditorDialog::Action::Insert:
        m_session.insertFlag = true;
        break;
    case LineEditorDialog::Action::Replace:
        m_session.replaceFlag = true;
        break;
    default:
        m_session.deleteFlag = true;
        break;
    }
    setChanged();

    if (m_session.deleteFlag || m_session.replaceFlag) {
        removeLine(row);
        // The line is gone: no other line takes its highlight.
        m_ui->R_IngLst->setCurrentRow(-1);
        m_ui->R_IngLst->clearSelection();
        m_session.deleteFlag = false;
        if (m_session.replaceFlag)
            m_session.selectedLine = static_cast<qint16>(row);
    } else if (m_session.insertFlag) {
        m_session.selectedLine = static_cast<qint16>(row + 1);
    }
}

void AnalysisScreen::removeLine(int row)
{
    const lines::EntryFields fields = lines::entryFields(m_ui->InvisLst->item(row)->text());
    if (!fields.name.isEmpty()) {
        // The line's own ingredient is taken out; the one being entered stays chosen.
        const int index = m_session.ingredients.lastIndexOfNameIgnoringCase(fields.name);
        if (index >= 0) {
            nutrition::addLineNutrients(m_recipeTotals, m_session.ingredients.at(index),
                                        fields.unit, -quantity::quantityValue(fields.quantity),
                                        m_servingsDivisor);
            writePanel();
        }
    }
    const std::unique_ptr<QListWidgetItem> shownRow(m_ui->R_IngLst->takeItem(row));
    const std::unique_ptr<QListWidgetItem> entry(m_ui->InvisLst->takeItem(row));
    showCaloriePercentages();
}

void AnalysisScreen::addHeading()
{
    const std::optional<QString> heading = HeadingDialog::ask(this, m_help);
    if (!heading)
        return;
    if (!m_session.insertFlag) {
        if (m_ui->R_IngLst->count() > 0)
            insertLine(m_ui->R_IngLst->count(), lines::headingRow(lines::blankLine),
                       lines::headingEntry(lines::blankLine));
        insertLine(m_ui->R_IngLst->count(), lines::headingRow(*heading),
                   lines::headingEntry(*heading));
    } else {
        insertLine(m_session.selectedLine, lines::headingRow(*heading),
                   lines::headingEntry(*heading));
        m_session.replaceFlag = false;
        m_session.insertFlag = false;
    }
}

} // namespace zestora
