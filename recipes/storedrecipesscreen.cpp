#include "recipes/storedrecipesscreen.h"

#include "ui_storedrecipesscreen.h"

#include "analysis/nutritionpanel.h"
#include "analysis/recipeexplainer.h"
#include "analysis/recipelist.h"
#include "core/analysis/recipelines.h"
#include "core/recipes/recipeview.h"
#include "core/session.h"
#include "core/sortednamemodel.h"
#include "core/text.h"
#include "platform/messagebox.h"
#include "platform/printer.h"
#include "platform/toolbar.h"
#include "platform/waitcursor.h"
#include "recipes/recipepage.h"

#include <QGuiApplication>
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
    m_ui->RecipeLst->setModel(recipeNames);
    // Nothing is chosen until the user picks a name, also when the first recipe is stored.
    m_ui->RecipeLst->setPlaceholderText(m_ui->SelectLbl->text());
    m_ui->RecipeLst->setCurrentIndex(-1);
    m_viewBar->addTool(QStringLiteral("Delete"), QStringLiteral("Delete"),
                       QStringLiteral("Delete Selected Recipe"));
    m_viewBar->addTool(QStringLiteral("Edit"), QStringLiteral("Edit"),
                       QStringLiteral("Edit Selected Recipe"));
    m_viewBar->addTool(QStringLiteral("Print"), QStringLiteral("Print"),
                       QStringLiteral("Click to Print Selected Recipe"));
    m_viewBar->addTool(QStringLiteral("Email"), QStringLiteral("Email"),
                       QStringLiteral("Email Selected Recipe"));
    m_viewBar->setShortcuts({{QStringLiteral("Delete"), QKeySequence(Qt::CTRL | Qt::Key_D)},
                             {QStringLiteral("Edit"), QKeySequence(Qt::CTRL | Qt::Key_E)},
                             {QStringLiteral("Print"), QKeySequence(Qt::CTRL | Qt::Key_P)},
                             {QStringLiteral("Email"), QKeySequence(Qt::CTRL | Qt::Key_M)}});
    m_ui->outerLayout->insertWidget(0, m_viewBar);
    connect(m_viewBar, &ToolBar::toolClick, this, &StoredRecipesScreen::viewBarToolClick);
    // Only the user's pick shows a recipe (the same one again works it out anew): the list also
    // changes while recipes are saved on the analysis screen.
    connect(m_ui->RecipeLst, &QComboBox::activated, this, &StoredRecipesScreen::recipeLstClick);
    m_explainer = new RecipeExplainer(this, m_session.ingredients,
                                      {m_ui->R_IngLst,
                                       [this] { return m_shown.entries; },
                                       [this] { return m_shown.shownServings; },
                                       {m_ui->Label20, m_ui->Label21, m_ui->Label22}});
    clearDisplay();
}

StoredRecipesScreen::~StoredRecipesScreen() = default;

void StoredRecipesScreen::selectFirstRecipe()
{
    m_ui->RecipeLst->setCurrentIndex(m_ui->RecipeLst->count() > 0 ? 0 : -1);
    m_showWhenVisible = !isVisible();
    if (!m_showWhenVisible)
        recipeLstClick();
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
        recipeLstClick();
    });
}

void StoredRecipesScreen::clearDisplay()
{
    for (QLabel* label :
         {m_ui->lblName, m_ui->lbl1M, m_ui->lblPP, m_ui->Label20, m_ui->Label21, m_ui->Label22})
        label->clear();
    panel::showTexts(this, nutrition::PanelTexts{});
    m_shown = {};
    m_ui->InvisLst->clear();
    m_ui->R_IngLst->clear();
    m_ui->DirectionsTxt->clear();
    QFont font = m_ui->DirectionsTxt->font();
    font.setBold(false);
    font.setPointSize(9);
    m_ui->DirectionsTxt->setFont(font);
    m_explainer->refresh();
}

QString StoredRecipesScreen::findRecipeBody(const QString& name) const
{
    const QString wanted = trimSpaces(name);
    const RecipeStore& recipes = m_session.recipes;
    for (int i = recipes.count() - 1; i >= 0; --i)
        if (trimSpaces(recipes.recipeList()[i].recipeName).compare(wanted, Qt::CaseInsensitive) ==
            0)
            return recipes.recipeBody(i);
    return QString();
}

void StoredRecipesScreen::recipeLstClick()
{
    const WaitCursor wait;
    clearDisplay();
    const QString name = m_ui->RecipeLst->currentText();
    if (name.isEmpty())
        return;
    m_shown = viewRecipe(findRecipeBody(name), m_session.ingredients);
    const RecipeView& view = m_shown;
    m_session.shownServings = view.shownServings;
    m_ui->lbl1M->setText(QStringLiteral("makes ") + view.servingsText +
                         QStringLiteral(" servings"));
    m_ui->InvisLst->addItems(view.entries);
    m_ui->R_IngLst->addItems(view.rows.first(view.shownRows));
    for (int row = 0; row < view.shownRows; ++row)
        markHeading(m_ui->R_IngLst->item(row), view.entries[row]);
    m_session.sharedTotals = view.viewTotals;
    if (view.ingredientLines > 0)
        panel::showTexts(this, nutrition::panelTexts(view.viewTotals));
    m_explainer->refresh();
    if (view.missingIngredient) {
        showError(*view.missingIngredient);
        return;
    }
    m_ui->DirectionsTxt->setPlainText(view.directions);
    if (const std::optional<nutrition::CalorieShares> shares =
            nutrition::caloriePercentages(panel::shownTexts(this))) {
        m_ui->Label20->setText(shares->fat);
        m_ui->Label21->setText(shares->carbs);
        m_ui->Label22->setText(shares->protein);
    }
    m_explainer->refresh();
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

void StoredRecipesScreen::viewBarToolClick(const QString& toolName)
{
    struct Command {
        const char* tool;
        const char* noRecipe;
        void (StoredRecipesScreen::*run)(const QString&);
    };
    static constexpr Command commands[] = {
        {"Print", "There are no recipes to print.", &StoredRecipesScreen::printRecipe},
        {"Email", "You must select a recipe before Emailing", nullptr},
        {"Delete", "There are no recipes to delete.", &StoredRecipesScreen::deleteRecipe},
        {"Edit", "There are no recipes to edit.", &StoredRecipesScreen::editRecipeShown},
    };
    for (const Command& command : commands) {
        if (toolName.compare(QLatin1String(command.tool), Qt::CaseInsensitive) != 0)
            continue;
        const QString name = m_ui->RecipeLst->currentText();
        if (name.isEmpty()) {
            MessageBox::show(this, QString::fromLatin1(command.noRecipe),
                             QStringLiteral("No Recipes"), MessageBox::Icon::Exclamation);
        } else if (command.run) {
            (this->*command.run)(name);
        } else if (m_openEmail) {
            m_openEmail();
        }
        return;
    }
}

void StoredRecipesScreen::deleteRecipe(const QString& name)
{
    if (MessageBox::show(
            this, QStringLiteral("Are you sure you want to delete ") + name + QStringLiteral("?"),
            QStringLiteral("Delete?"), MessageBox::Icon::Question,
            MessageBox::Buttons::YesNo) != MessageBox::Answer::Yes)
        return;
    if (m_ui->RecipeLst->count() == 0)
        return;
    if (!m_session.recipes.deleteRecipeByName(name)) {
        MessageBox::show(this, m_session.recipes.errorString(), QStringLiteral("Not Deleted"),
                         MessageBox::Icon::Critical);
        return;
    }
    const QSignalBlocker quiet(m_ui->RecipeLst);
    m_recipeNames->removeRow(m_ui->RecipeLst->currentIndex());
    if (m_ui->RecipeLst->count() == 0) {
        m_ui->RecipeLst->setCurrentIndex(-1);
        clearDisplay();
    } else {
        m_ui->RecipeLst->setCurrentIndex(0);
        recipeLstClick();
    }
}

void StoredRecipesScreen::editRecipeShown(const QString& name)
{
    Session::ShownPanel& shown = m_session.shownPanel;
    shown.name = m_ui->lblName->text();
    shown.makes = m_ui->lbl1M->text();
    shown.panel = panel::shownTexts(this);
    shown.shares = {m_ui->Label20->text(), m_ui->Label21->text(), m_ui->Label22->text()};
    shown.servings = m_shown.servingsText;
    m_session.sharedTotals = m_shown.viewTotals;
    if (m_shown.missingIngredient) {
        // The panel stopped at the missing ingredient; the lines after it go to the analysis
        // screen too, so their nutrients go with them.
        m_session.sharedTotals = m_shown.editTotals;
        shown.panel = nutrition::panelTexts(m_shown.editTotals);
        shown.shares = nutrition::caloriePercentages(shown.panel).value_or(shown.shares);
    }
    // Every line and the directions as stored, also where the screen could not show them.
    Q_EMIT editRecipe(trimSpaces(name), m_shown.rows, m_shown.entries, m_shown.directions);
}

ShownRecipe StoredRecipesScreen::shownRecipe() const
{
    ShownRecipe shown{m_ui->RecipeLst->currentText(),
                      {},
                      // The directions go out as stored, with CR LF between their lines.
                      lines::withCrLf(m_ui->DirectionsTxt->document()->toRawText()),
                      m_ui->lbl1M->text(),
                      panel::shownTexts(this),
                      {m_ui->Label20->text(), m_ui->Label21->text(), m_ui->Label22->text()}};
    for (int i = 0; i < m_ui->R_IngLst->count(); ++i)
        shown.lines.append(m_ui->R_IngLst->item(i)->text());
    return shown;
}

void StoredRecipesScreen::printRecipe(const QString& name)
{
    // The page takes the screen's geometry: the layout catches up with the texts shown first.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    const RecipePage page = recipePage(this);
    Printer::print(this, name, [&page](QPainter& painter, QPrinter& printer) {
        paintRecipePage(painter, printer, page);
    });
}

} // namespace zestora
