#include "ingredients/storedingredientsscreen.h"

#include "ui_storedingredientsscreen.h"

#include "analysis/nutritionpanel.h"
#include "core/ingredients/wizardrules.h"
#include "core/session.h"
#include "core/sortednamemodel.h"
#include "core/text.h"
#include "platform/messagebox.h"
#include "platform/toolbar.h"

namespace zestora {

StoredIngredientsScreen::StoredIngredientsScreen(Session& session, SortedNameModel* ingredientNames,
                                                 QWidget* parent)
    : QWidget(parent)
    , m_session(session)
    , m_ingredientNames(ingredientNames)
    , m_ui(std::make_unique<Ui::StoredIngredientsScreen>())
    , m_activeBar(new ToolBar(QStringLiteral("ActiveBar1"), this))
{
    m_ui->setupUi(this);
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
    m_activeBar->addTool(QStringLiteral("Delete"), QStringLiteral("Delete "),
                         QStringLiteral("Delete Selected Ingredient"));
    m_activeBar->addTool(QStringLiteral("Edit"), QStringLiteral("Edit"), QString());
    m_activeBar->setShortcuts({{QStringLiteral("Delete"), QKeySequence(Qt::CTRL | Qt::Key_D)},
                               {QStringLiteral("Edit"), QKeySequence(Qt::CTRL | Qt::Key_E)}});
    m_ui->outerLayout->insertWidget(0, m_activeBar);
    connect(m_activeBar, &ToolBar::toolClick, this, &StoredIngredientsScreen::activeBarToolClick);
    // A choice by mouse or by the arrow keys shows the ingredient.
    connect(m_ui->IngLst->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &StoredIngredientsScreen::ingLstClick);
    reset();
}

StoredIngredientsScreen::~StoredIngredientsScreen() = default;

void StoredIngredientsScreen::reset()
{
    for (QLabel* label : {m_ui->lblName, m_ui->lbl1M, m_ui->lbl2M, m_ui->lblPP, m_ui->Label20,
                          m_ui->Label21, m_ui->Label22})
        label->clear();
    panel::showTexts(this, nutrition::PanelTexts{});
}

QString StoredIngredientsScreen::chosenName() const
{
    const QModelIndex chosen = m_ui->IngLst->currentIndex();
    return chosen.isValid() ? chosen.data().toString() : QString();
}

void StoredIngredientsScreen::ingLstClick()
{
    const QString name = chosenName();
    // With names stored twice the last one wins: looked for from the end, exactly as listed.
    const IngTable& table = m_session.ingredients;
    int index = table.count() - 1;
    while (index >= 0 && trimmedSpacesView(table.at(index).name) != name)
        --index;
    if (index >= 0)
        m_shownIng = table.at(index);
    showIngredientFacts(m_shownIng);
}

void StoredIngredientsScreen::showIngredientFacts(const IngRecord& ingredient)
{
    const wizard::IngredientFacts facts = wizard::ingredientFacts(ingredient);
    m_ui->lblName->setText(facts.name);
    m_ui->lbl1M->setText(facts.firstServing);
    m_ui->lbl2M->setText(facts.secondServing);
    panel::showTexts(this, facts.panel);
    m_ui->Label20->setText(facts.shares ? facts.shares->fat : QString());
    m_ui->Label21->setText(facts.shares ? facts.shares->carbs : QString());
    m_ui->Label22->setText(facts.shares ? facts.shares->protein : QString());
}

void StoredIngredientsScreen::activeBarToolClick(const QString& toolName)
{
    const QString name = chosenName();
    const bool nothingChosen = trimSpaces(name).isEmpty();
    if (toolName == QLatin1String("Delete")) {
        if (nothingChosen)
            MessageBox::show(this,
                             QStringLiteral("You must first select an ingredient to delete it."),
                             QStringLiteral("Nothing was chosen"), MessageBox::Icon::Information);
        else
            deleteChosen(name);
    } else if (toolName == QLatin1String("Edit")) {
        if (nothingChosen)
            MessageBox::show(this,
                             QStringLiteral("You must first select an ingredient to Edit it."),
                             QStringLiteral("Nothing was chosen"), MessageBox::Icon::Information);
        else
            Q_EMIT editIngredient(m_shownIng, m_ui->lblCals->text(), m_ui->lblFCals->text());
    }
}

void StoredIngredientsScreen::deleteChosen(const QString& name)
{
    if (MessageBox::show(
            this, QStringLiteral("Are you sure you want to delete ") + name + QStringLiteral("?"),
            QStringLiteral("Delete?"), MessageBox::Icon::Question,
            MessageBox::Buttons::YesNo) != MessageBox::Answer::Yes)
        return;
    if (!m_session.ingredients.deleteIngAndSave(trimSpaces(name))) {
        MessageBox::show(this, m_session.ingredients.errorString(),
                         QStringLiteral("Ingredient Not Deleted"), MessageBox::Icon::Critical);
        return;
    }
    // Both ingredient lists show this one model, so one removal serves both.
    m_ingredientNames->removeRow(m_ui->IngLst->currentIndex().row());
    reset();
}

} // namespace zestora
