#include "shared/nameconflictdialog.h"

#include "ui_nameconflictdialog.h"

#include "core/analysis/recipelines.h"
#include "core/shell/helptopics.h"
#include "core/sortednamemodel.h"
#include "core/store/recipestore.h"
#include "core/text.h"
#include "platform/centreform.h"
#include "platform/helpviewer.h"
#include "platform/messagebox.h"
#include "platform/waitcursor.h"

#include <QPushButton>

namespace zestora {

NameConflictDialog::NameConflictDialog(QWidget* parent, const QString& name, RecipeStore& recipes,
                                       SortedNameModel& recipeNames,
                                       std::function<void()> selectFirstStoredRecipe)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::NameConflictDialog>())
    , m_name(name)
    , m_recipes(recipes)
    , m_recipeNames(recipeNames)
    , m_selectFirstStoredRecipe(std::move(selectFirstStoredRecipe))
{
    m_ui->setupUi(this);
    // The analysis topic, whose saving tells what the choices do.
    HelpViewer::setWindowContext(this, help::analysisContext);
    m_ui->TopLbl->setText(name + QStringLiteral(" is already saved."));
    m_ui->ReplaceLbl->setText(QStringLiteral("Replace the stored version of ") + name +
                              QStringLiteral(" with this version."));
    m_ui->ChangeLbl->setText(QStringLiteral("Change the name of ") + name +
                             QStringLiteral(" to a new name.  Type the new name ") +
                             QStringLiteral("in the box below and press the Change To: and Save "
                                            "button."));
    m_ui->NameTxt->setText(name);
    centreForm(this);
    connect(m_ui->ReplaceCmd, &QPushButton::clicked, this, &NameConflictDialog::replaceStored);
    connect(m_ui->ChangeCmd, &QPushButton::clicked, this, &NameConflictDialog::saveUnderNewName);
    connect(m_ui->CancelCmd, &QPushButton::clicked, this, [this] {
        m_result = {Outcome::Cancelled, QString()};
        reject();
    });
    connect(m_ui->NameTxt, &QLineEdit::textChanged, this, &NameConflictDialog::nameChanged);
    // A stray Enter chooses nothing: the buttons take Enter only when the user has moved to one,
    // and the new name is typed over the old one, Enter then saving under it.
    for (QPushButton* button : {m_ui->ReplaceCmd, m_ui->ChangeCmd, m_ui->CancelCmd})
        button->setAutoDefault(false);
    m_ui->NameTxt->selectAll();
    m_ui->NameTxt->setFocus();
}

NameConflictDialog::~NameConflictDialog() = default;

NameConflictDialog::Result NameConflictDialog::ask(QWidget* parent, const QString& name,
                                                   RecipeStore& recipes,
                                                   SortedNameModel& recipeNames,
                                                   std::function<void()> selectFirstStoredRecipe)
{
    NameConflictDialog dialog(parent, name, recipes, recipeNames,
                              std::move(selectFirstStoredRecipe));
    dialog.exec();
    return dialog.m_result;
}

bool NameConflictDialog::deleteStoredRecipe()
{
    const QString old = trimSpaces(m_name);
    if (!m_recipes.deleteRecipeByName(old)) {
        MessageBox::show(this, m_recipes.errorString(), QStringLiteral("Not Saved"),
                         MessageBox::Icon::Critical);
        return false;
    }
    // Every entry of the name is removed; the names are few, equal ones stand together.
    for (int row = m_recipeNames.rowOf(old); row >= 0; row = m_recipeNames.rowOf(old))
        m_recipeNames.removeRow(row);
    if (m_selectFirstStoredRecipe)
        m_selectFirstStoredRecipe();
    return true;
}

void NameConflictDialog::replaceStored()
{
    const bool deleted = [this] {
        const WaitCursor wait;
        return deleteStoredRecipe();
    }();
    m_result = {deleted ? Outcome::Replaced : Outcome::Cancelled, QString()};
    accept();
}

void NameConflictDialog::saveUnderNewName()
{
    const QString newName = trimSpaces(m_ui->NameTxt->text());
    if (newName.isEmpty()) {
        MessageBox::show(this, QStringLiteral("You must give your recipe a name."),
                         QStringLiteral("No Name"), MessageBox::Icon::Exclamation);
        m_ui->NameTxt->setFocus();
        return;
    }
    if (newName == trimSpaces(m_name)) {
        // The name was kept: this is a replace.
        const WaitCursor wait;
        if (!deleteStoredRecipe()) {
            m_result = {Outcome::Cancelled, QString()};
            reject();
            return;
        }
    }
    m_result = {Outcome::Renamed, newName};
    accept();
}

void NameConflictDialog::nameChanged()
{
    const QString text = m_ui->NameTxt->text();
    const QString typed = trimSpaces(text);
    m_ui->ChangeCmd->setDefault(!typed.isEmpty() && typed != trimSpaces(m_name));
    if (text.size() <= lines::maxNameLength)
        return;
    MessageBox::show(this, lines::nameTooLongMessage, QStringLiteral("There's a Problem"),
                     MessageBox::Icon::Information);
    m_ui->NameTxt->setText(text.left(lines::maxNameLength));
    m_ui->NameTxt->setFocus();
}

} // namespace zestora
