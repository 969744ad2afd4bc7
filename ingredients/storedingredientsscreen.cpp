#include "ingredients/storedingredientsscreen.h"

#include "ui_storedingredientsscreen.h"

#include "core/ingredients/ingredientuse.h"
#include "core/ingredients/wizardrules.h"
#include "core/recipes/recipeingredients.h"
#include "core/session.h"
#include "core/sortednamemodel.h"
#include "core/text.h"
#include "platform/messagebox.h"
#include "platform/toolbar.h"
#include "platform/waitcursor.h"

#include <QAction>

namespace zestora {

namespace {

// How many recipes a question about deleting an ingredient names.
constexpr int namesShown = 3;

// "2 stored recipes use it: Pancakes and Scones." or, with more than are named, "12 stored
// recipes use it, among them A, B and C."
QString usedBy(const IngredientUse& use)
{
    QString names = use.firstNames.first(use.firstNames.size() - 1).join(QStringLiteral(", "));
    if (!names.isEmpty())
        names += QStringLiteral(" and ");
    names += use.firstNames.last();
    if (use.recipeCount == 1)
        return QStringLiteral("1 stored recipe uses it: ") + names + QStringLiteral(".");
    return QString::number(use.recipeCount) + QStringLiteral(" stored recipes use it") +
           (use.recipeCount > use.firstNames.size() ? QStringLiteral(", among them ")
                                                    : QStringLiteral(": ")) +
           names + QStringLiteral(".");
}

} // namespace

StoredIngredientsScreen::StoredIngredientsScreen(Session& session, SortedNameModel* ingredientNames,
                                                 QWidget* parent)
    : QWidget(parent)
    , m_session(session)
    , m_ingredientNames(ingredientNames)
    , m_ui(std::make_unique<Ui::StoredIngredientsScreen>())
    , m_activeBar(new ToolBar(QStringLiteral("ActiveBar1"), this))
{
    m_ui->setupUi(this);
    m_ui->Picture1->setForm(NutritionPanel::Form::Ingredient);
    // Tab goes on from the list to the chosen ingredient's values.
    m_ui->Picture1->makeRowsFocusable(m_ui->IngLst);
    // A chosen name that leaves the list (deleted here, or replaced by the wizard) leaves nothing
    // chosen, rather than passing the choice to its neighbour unasked. Connected before the list
    // gets the model, so that this runs before the list's selection moves the choice on.
    connect(ingredientNames, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex&, int first, int last) {
                const int row = m_ui->IngLst->currentIndex().row();
                if (row < first || row > last)
                    return;
                const QSignalBlocker quiet(m_ui->IngLst->selectionModel());
                m_ui->IngLst->setCurrentIndex(QModelIndex());
            });
    m_ui->IngLst->setModel(ingredientNames);
    connect(m_activeBar->addTool(QStringLiteral("Delete"), QStringLiteral("Delete "),
                                 QStringLiteral("Delete Selected Ingredient"),
                                 QKeySequence(Qt::CTRL | Qt::Key_D)),
            &QAction::triggered, this, &StoredIngredientsScreen::deleteChosen);
    connect(m_activeBar->addTool(QStringLiteral("Edit"), QStringLiteral("Edit"), QString(),
                                 QKeySequence(Qt::CTRL | Qt::Key_E)),
            &QAction::triggered, this, &StoredIngredientsScreen::editChosen);
    m_ui->outerLayout->insertWidget(0, m_activeBar);
    // A choice by mouse or by the arrow keys shows the ingredient.
    connect(m_ui->IngLst->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &StoredIngredientsScreen::showChosenIngredient);
    reset();
}

StoredIngredientsScreen::~StoredIngredientsScreen() = default;

void StoredIngredientsScreen::reset()
{
    for (QLabel* share : {m_ui->Label20, m_ui->Label21, m_ui->Label22})
        share->clear();
    m_shownFacts = {};
    m_ui->Picture1->clear();
}

QString StoredIngredientsScreen::chosenName() const
{
    const QModelIndex chosen = m_ui->IngLst->currentIndex();
    return chosen.isValid() ? chosen.data().toString() : QString();
}

void StoredIngredientsScreen::showChosenIngredient()
{
    const QString name = chosenName();
    // With names stored twice the last one wins, exactly as listed.
    const int index = m_session.ingredients.lastIndexOfName(name);
    if (index >= 0)
        m_shownIng = m_session.ingredients.at(index);
    m_shownFacts = wizard::ingredientFacts(m_shownIng);
    m_ui->Picture1->setName(m_shownFacts.name);
    m_ui->Picture1->setServing(m_shownFacts.firstServing);
    m_ui->Picture1->setSecondServing(m_shownFacts.secondServing);
    m_ui->Picture1->setValues(m_shownFacts.panel);
    const nutrition::CalorieShares shares =
        m_shownFacts.shares.value_or(nutrition::CalorieShares{});
    m_ui->Label20->setText(shares.fat);
    m_ui->Label21->setText(shares.carbs);
    m_ui->Label22->setText(shares.protein);
}

void StoredIngredientsScreen::editChosen()
{
    if (trimSpaces(chosenName()).isEmpty())
        MessageBox::show(this, QStringLiteral("You must first select an ingredient to Edit it."),
                         QStringLiteral("Nothing was chosen"), MessageBox::Icon::Information);
    else
        Q_EMIT editIngredient(m_shownIng, m_shownFacts.panel.cals, m_shownFacts.panel.fatCals);
}

void StoredIngredientsScreen::deleteChosen()
{
    const QString name = chosenName();
    if (trimSpaces(name).isEmpty()) {
        MessageBox::show(this, QStringLiteral("You must first select an ingredient to delete it."),
                         QStringLiteral("Nothing was chosen"), MessageBox::Icon::Information);
        return;
    }
    QString question =
        QStringLiteral("Are you sure you want to delete ") + name + QStringLiteral("?");
    // Read from the recipes once, when asked, not as the user moves through the list.
    const IngredientUse use = [&] {
        const WaitCursor wait;
        return recipesLosing(m_session.ingredients, m_session.recipes, name, namesShown);
    }();
    if (use.recipeCount > 0)
        question +=
            QStringLiteral("\r\n\r\n") + usedBy(use) +
            (use.recipeCount == 1 ? QStringLiteral("\r\nIts") : QStringLiteral("\r\nTheir")) +
            QStringLiteral(" Nutrition Facts cannot be worked out until an ingredient of "
                           "this name is stored again.");
    if (MessageBox::show(this, question, QStringLiteral("Delete?"), MessageBox::Icon::Question,
                         MessageBox::Buttons::YesNo,
                         MessageBox::Default::No) != MessageBox::Answer::Yes)
        return;
    if (!m_session.ingredients.deleteIngAndSave(trimSpaces(name))) {
        MessageBox::show(this, m_session.ingredients.errorString(),
                         QStringLiteral("Ingredient Not Deleted"), MessageBox::Icon::Critical);
        return;
    }
    // Deleted, an ingredient made from a recipe follows it no more, so that the recipe never
    // writes over a new ingredient of the same name.
    if (m_session.ingredients.lastIndexOfNameIgnoringCase(trimSpaces(name)) < 0) {
        recipeingredients::RecipeLinks links;
        links.load();
        if (!links.unlinkIngredient(name))
            MessageBox::show(this, links.errorString(), QStringLiteral("Not Saved"),
                             MessageBox::Icon::Exclamation);
    }
    // Both ingredient lists show this one model, so one removal serves both.
    m_ingredientNames->removeRow(m_ui->IngLst->currentIndex().row());
    reset();
}

} // namespace zestora
