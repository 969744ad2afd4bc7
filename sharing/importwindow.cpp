#include "sharing/importwindow.h"

#include "ui_importwindow.h"

#include "core/exchange/recipeimport.h"
#include "platform/typedwork.h"

namespace zestora {

ImportWindow::ImportWindow(QWidget* parent, paste::FoodIndex& index, const SortedNameModel& names,
                           HelpViewer& help)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::ImportWindow>())
{
    m_ui->setupUi(this);
    m_ui->ReviewTbl->setUp(index, names, help);
    setUpReviewWindow(this, m_ui->ReviewTbl, m_ui->SummaryLbl, m_ui->HelpCmd, help);
    for (auto [button, decision] :
         {std::pair{m_ui->StoreCmd, Decision::Store}, std::pair{m_ui->SkipCmd, Decision::Skip},
          std::pair{m_ui->StopCmd, Decision::SkipRest}})
        connect(button, &QPushButton::clicked, this, [this, chosen = decision] {
            m_decision = chosen;
            done(chosen == Decision::Store ? Accepted : Rejected);
        });
}

ImportWindow::~ImportWindow() = default;

void ImportWindow::reject()
{
    if (mayDiscardTyping(this, hasTypedText(*this) || m_ui->ReviewTbl->isChangedByUser()))
        QDialog::reject();
}

ImportWindow::Result ImportWindow::review(QWidget* parent, const exchange::ImportedRecipe& recipe,
                                          int position, int count, paste::FoodIndex& index,
                                          const SortedNameModel& names, HelpViewer& help)
{
    ImportWindow window(parent, index, names, help);
    window.m_ui->RecipeLbl->setText(
        QStringLiteral("<b>%1</b>, %2 servings: recipe %3 of %4 whose lines did not all match.")
            .arg(recipe.name.toHtmlEscaped(), recipe.servings.text)
            .arg(position)
            .arg(count));
    window.m_ui->ReviewTbl->showLines(recipe.lines);
    setTabOrder(window.m_ui->ReviewTbl->lastInTabOrder(), window.m_ui->StoreCmd);
    window.m_ui->ReviewTbl->setFocus();
    window.exec();
    return {window.m_decision, window.m_ui->ReviewTbl->lines()};
}

} // namespace zestora
