#include "recipes/storedrecipesscreen.h"

#include "ui_storedrecipesscreen.h"

#include "core/recipes/cookedweights.h"
#include "core/recipes/recipeingredients.h"
#include "core/recipes/recipeview.h"
#include "core/session.h"
#include "core/sortednamemodel.h"
#include "core/text.h"
#include "platform/messagebox.h"
#include "platform/printer.h"
#include "platform/toolbar.h"
#include "platform/waitcursor.h"
#include "recipes/recipedisplay.h"
#include "widgets/recipelinesmodel.h"

#include <QAction>
#include <QGuiApplication>
#include <QInputDialog>
#include <QTimer>

namespace zestora {

StoredRecipesScreen::StoredRecipesScreen(Session& session, SortedNameModel* recipeNames,
                                         QWidget* parent)
    : QWidget(parent)
    , m_session(session)
    , m_recipeNames(recipeNames)
    , m_ui(std::make_unique<Ui::StoredRecipesScreen>())
    , m_viewBar(new ToolBar(QStringLiteral("ViewBar"), this))
{
    m_ui->setupUi(this);
    // The names the help file and the program's checks know the share labels by.
    for (const auto& [label, name] : {std::pair{m_ui->fatShare, "Label20"},
                                      {m_ui->carbsShare, "Label21"},
                                      {m_ui->proteinShare, "Label22"}})
        label->setObjectName(QLatin1String(name));
    m_ui->RecipeLst->setModel(recipeNames);
    // Nothing is chosen until the user picks a name, also when the first recipe is stored.
    m_ui->RecipeLst->setPlaceholderText(m_ui->SelectLbl->text());
    m_ui->RecipeLst->setCurrentIndex(-1);
    const struct {
        const char* name;
        const char* description;
        Qt::Key key;
        void (StoredRecipesScreen::*command)(const QString&);
        const char* noRecipe;
    } tools[] = {
        {"Delete", "Delete Selected Recipe", Qt::Key_D, &StoredRecipesScreen::deleteRecipe,
         "There are no recipes to delete."},
        {"Edit", "Edit Selected Recipe", Qt::Key_E, &StoredRecipesScreen::editRecipeShown,
         "There are no recipes to edit."},
        {"Print", "Click to Print Selected Recipe", Qt::Key_P, &StoredRecipesScreen::printRecipe,
         "There are no recipes to print."},
        {"Email", "Email Selected Recipe", Qt::Key_M, &StoredRecipesScreen::emailRecipe,
         "You must select a recipe before Emailing"},
    };
    for (const auto& tool : tools) {
        const QString name = QString::fromLatin1(tool.name);
        QAction* action = m_viewBar->addTool(name, name, QString::fromLatin1(tool.description),
                                             QKeySequence(Qt::CTRL | tool.key));
        connect(action, &QAction::triggered, this,
                [this, command = tool.command, noRecipe = QString::fromLatin1(tool.noRecipe)] {
                    runOnChosen(command, noRecipe);
                });
    }
    connect(m_viewBar->addTool(QStringLiteral("UseAsIngredient"),
                               QStringLiteral("Use as Ingredient"),
                               QStringLiteral("Make One Serving of the Selected Recipe an "
                                              "Ingredient of Other Recipes"),
                               QKeySequence(Qt::CTRL | Qt::Key_U)),
            &QAction::triggered, this, [this] {
                runOnChosen(&StoredRecipesScreen::useAsIngredient,
                            QStringLiteral("There are no recipes to use as an ingredient."));
            });
    m_ui->outerLayout->insertWidget(0, m_viewBar);
    // Only the user's pick shows a recipe (the same one again works it out anew): the list also
    // changes while recipes are saved on the analysis screen.
    connect(m_ui->RecipeLst, &QComboBox::activated, this, &StoredRecipesScreen::showChosenRecipe);
    m_display = std::make_unique<RecipeDisplay>(*m_ui, this, m_session.ingredients);
    // The entries of the recipe shown, a hidden view of the same lines.
    m_ui->InvisLst->setModel(new RecipeEntriesModel(m_display->lines(), this));
    m_ui->Picture1->makeRowsFocusable(m_ui->DirectionsTxt);
}

StoredRecipesScreen::~StoredRecipesScreen() = default;

void StoredRecipesScreen::selectFirstRecipe()
{
    m_ui->RecipeLst->setCurrentIndex(m_ui->RecipeLst->count() > 0 ? 0 : -1);
    m_showWhenVisible = !isVisible();
    if (!m_showWhenVisible)
        showChosenRecipe();
}

void StoredRecipesScreen::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_showWhenVisible)
        return;
    // Once the screen is on view, so that a message about the recipe comes with it; unless it
    // was chosen and shown in the meantime.
    QTimer::singleShot(0, this, [this] {
        if (!m_showWhenVisible)
            return;
        m_showWhenVisible = false;
        showChosenRecipe();
    });
}

QString StoredRecipesScreen::findRecipeBody(const QString& name) const
{
    const int index = m_session.recipes.lastIndexOfNameIgnoringCase(name);
    return index < 0 ? QString() : m_session.recipes.recipeBody(index);
}

void StoredRecipesScreen::showChosenRecipe()
{
    const WaitCursor wait;
    const QString name = m_ui->RecipeLst->currentText();
    if (name.isEmpty())
        m_display->clear();
    else if (const std::optional<QString> missing =
                 m_display->show(name, viewRecipe(findRecipeBody(name), m_session.ingredients)))
        showError(*missing);
}

void StoredRecipesScreen::showError(const QString& ingredient)
{
    MessageBox::show(this,
                     QStringLiteral("Unable to load this recipe.\r\nCould not find one of the "
                                    "ingrediants, (") +
                         ingredient +
                         QStringLiteral(")\r\nTo correct problem, delete this recipe and enter it "
                                        "again."),
                     QStringLiteral("Error"), MessageBox::Icon::Exclamation);
    QFont font = m_ui->DirectionsTxt->font();
    font.setBold(true);
    font.setPointSize(20);
    m_ui->DirectionsTxt->setFont(font);
    m_ui->DirectionsTxt->setPlainText(QStringLiteral("\r\n   ERROR  "));
}

void StoredRecipesScreen::runOnChosen(void (StoredRecipesScreen::*command)(const QString&),
                                      const QString& noRecipe)
{
    const QString name = m_ui->RecipeLst->currentText();
    if (name.isEmpty())
        MessageBox::show(this, noRecipe, QStringLiteral("No Recipes"),
                         MessageBox::Icon::Exclamation);
    else
        (this->*command)(name);
}

void StoredRecipesScreen::emailRecipe(const QString&)
{
    if (m_openEmail)
        m_openEmail();
}

void StoredRecipesScreen::deleteRecipe(const QString& name)
{
    if (MessageBox::show(
            this, QStringLiteral("Are you sure you want to delete ") + name + QStringLiteral("?"),
            QStringLiteral("Delete?"), MessageBox::Icon::Question, MessageBox::Buttons::YesNo,
            MessageBox::Default::No) != MessageBox::Answer::Yes)
        return;
    if (m_ui->RecipeLst->count() == 0)
        return;
    if (!m_session.recipes.deleteRecipeByName(name)) {
        MessageBox::show(this, m_session.recipes.errorString(), QStringLiteral("Not Deleted"),
                         MessageBox::Icon::Critical);
        return;
    }
    settleIngredientsOf(name);
    forgetCookedWeight(name);
    const QSignalBlocker quiet(m_ui->RecipeLst);
    m_recipeNames->removeRow(m_ui->RecipeLst->currentIndex());
    if (m_ui->RecipeLst->count() == 0) {
        m_ui->RecipeLst->setCurrentIndex(-1);
        m_display->clear();
    } else {
        m_ui->RecipeLst->setCurrentIndex(0);
        showChosenRecipe();
    }
}

void StoredRecipesScreen::settleIngredientsOf(const QString& recipe)
{
    recipeingredients::RecipeLinks links;
    links.load();
    for (const QString& ingredient : links.ingredientsOf(recipe)) {
        const bool keep =
            MessageBox::show(this,
                             QStringLiteral("The ingredient %1 was made from this recipe. Keep it "
                                            "as it stands?\r\n\r\nRecipes that use it keep "
                                            "their numbers; No deletes the ingredient.")
                                 .arg(ingredient),
                             QStringLiteral("Keep Ingredient?"), MessageBox::Icon::Question,
                             MessageBox::Buttons::YesNo) == MessageBox::Answer::Yes;
        if (!keep && !m_session.ingredients.deleteIngAndSave(ingredient)) {
            MessageBox::show(this, m_session.ingredients.errorString(),
                             QStringLiteral("Not Deleted"), MessageBox::Icon::Critical);
            continue;
        }
        if (!keep)
            Q_EMIT ingredientDeleted(ingredient);
        if (!links.unlinkIngredient(ingredient))
            MessageBox::show(this, links.errorString(), QStringLiteral("Not Saved"),
                             MessageBox::Icon::Exclamation);
    }
}

void StoredRecipesScreen::forgetCookedWeight(const QString& recipe)
{
    CookedWeights weights;
    weights.load();
    if (!weights.set(recipe, std::nullopt))
        MessageBox::show(this, weights.errorString(), QStringLiteral("Not Saved"),
                         MessageBox::Icon::Exclamation);
}

void StoredRecipesScreen::useAsIngredient(const QString& chosen)
{
    const QString recipe = trimSpaces(chosen);
    QString name = recipe;
    // The wizard's name rules; a name already taken asks for another.
    for (QString problem = recipeingredients::nameProblem(name, m_session.ingredients);
         !problem.isEmpty();
         problem = recipeingredients::nameProblem(name, m_session.ingredients)) {
        bool ok = false;
        name = QInputDialog::getText(this, QStringLiteral("Use as Ingredient"),
                                     problem + QStringLiteral("\n\nName of the ingredient:"),
                                     QLineEdit::Normal, name, &ok);
        if (!ok)
            return;
    }
    QString why;
    const std::optional<IngRecord> record = recipeingredients::ingredientFromRecipe(
        name, findRecipeBody(recipe), m_session.ingredients, &why);
    recipeingredients::RecipeLinks links;
    links.load();
    // The link first: an ingredient without its link would never follow its recipe, while a
    // link whose ingredient is missing is passed over.
    const QString error = !record                     ? why
                          : !links.link(name, recipe) ? links.errorString()
                          : !m_session.ingredients.appendIng(*record)
                              ? m_session.ingredients.errorString()
                              : QString();
    if (!error.isEmpty()) {
        MessageBox::show(this, error, QStringLiteral("Not Stored"), MessageBox::Icon::Exclamation);
        return;
    }
    Q_EMIT ingredientMade(trimSpaces(name));
    MessageBox::show(
        this,
        QStringLiteral("%1 is now an ingredient: 1 serving%2. It follows the recipe "
                       "whenever the recipe is saved again.")
            .arg(trimSpaces(name), record->measure2.isEmpty()
                                       ? QString()
                                       : QStringLiteral(" = %1 g").arg(qRound(record->amount2))),
        QStringLiteral("Use as Ingredient"), MessageBox::Icon::Information);
}

void StoredRecipesScreen::editRecipeShown(const QString& name)
{
    // Every line and the directions as stored, also where the screen could not show them.
    Q_EMIT editRecipe(trimSpaces(name), m_display->recipe());
}

ShownRecipe StoredRecipesScreen::shownRecipe() const
{
    return m_display->shownRecipe();
}

RecipePage StoredRecipesScreen::printedPage()
{
    // The screen widens with the window; the page keeps the layout of a frame a sheet can take.
    return m_display->page(m_ui->ViewFrame->size().boundedTo(largestPrintedFrame));
}

void StoredRecipesScreen::printRecipe(const QString& name)
{
    // The page takes the screen's geometry: the layout catches up with the texts shown first.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    const RecipePage page = printedPage();
    Printer::print(this, name, [&page](QPainter& painter, QPrinter& printer) {
        paintRecipePage(painter, printer, page);
    });
}

} // namespace zestora
