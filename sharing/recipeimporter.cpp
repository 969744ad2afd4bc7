#include "sharing/recipeimporter.h"

#include "core/exchange/boundedread.h"
#include "core/exchange/recipefile.h"
#include "core/exchange/recipeimport.h"
#include "core/paste/foodindex.h"
#include "core/session.h"
#include "core/sortednamemodel.h"
#include "core/text.h"
#include "platform/messagebox.h"
#include "platform/waitcursor.h"
#include "shared/nameconflictdialog.h"
#include "sharing/importwindow.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProgressDialog>

namespace zestora {

namespace {

const QString title = QStringLiteral("Import Recipes");

// One import from the file to the store, and what became of each recipe.
class Import {
public:
    Import(const RecipeImporter& importer, QWidget* parent)
        : m_importer(importer)
        , m_parent(parent)
        , m_batch(importer.session.recipes)
    {
    }

    // Adds the recipe to the batch under its name, unless it is stored already; a name another
    // recipe has goes through the name conflict dialog first, as a save on the analysis screen.
    void settle(const exchange::ImportedRecipe& recipe)
    {
        const IngTable& ingredients = m_importer.session.ingredients;
        QString name = recipe.name;
        QString problem;
        QString record = recipe.record(name, ingredients, &problem);
        exchange::ImportBatch::Check check =
            problem.isEmpty() ? m_batch.check(name, record) : exchange::ImportBatch::Check::New;
        if (check == exchange::ImportBatch::Check::NameTaken) {
            const NameConflictDialog::Result result =
                NameConflictDialog::ask(m_parent, name, m_importer.session.recipes,
                                        m_importer.recipeNames, m_importer.selectFirstStoredRecipe);
            switch (result.outcome) {
            case NameConflictDialog::Outcome::Replaced:
                m_batch.drop(name); // also one of this file's recipes of that name
                break;
            case NameConflictDialog::Outcome::Renamed:
                // The name kept is a replace.
                if (result.newName == trimSpaces(name))
                    m_batch.drop(name);
                name = result.newName;
                record = recipe.record(name, ingredients, &problem);
                break;
            case NameConflictDialog::Outcome::Cancelled:
            case NameConflictDialog::Outcome::Closed:
                m_report.append(QStringLiteral("Not stored: %1 (you cancelled).").arg(name));
                return;
            }
            check =
                problem.isEmpty() ? m_batch.check(name, record) : exchange::ImportBatch::Check::New;
            if (check == exchange::ImportBatch::Check::NameTaken)
                problem = QStringLiteral("a recipe of a name that matches it is still stored.");
        }
        if (!problem.isEmpty())
            m_report.append(QStringLiteral("Not stored: %1: %2").arg(name, problem));
        else if (check == exchange::ImportBatch::Check::AlreadyStored)
            m_report.append(QStringLiteral("Already stored: %1.").arg(name));
        else
            addToBatch(name, record, recipe.account(ingredients).text(), recipe.cookedGrams);
    }

    // Stores the batch with one write; false when the write failed, which the user is told.
    bool store()
    {
        const QList<RecipeStore::NewRecipe> recipes = m_batch.recipes();
        bool stored = false;
        {
            const WaitCursor wait;
            stored = m_batch.store(m_importer.session.recipes);
        }
        if (!stored) {
            MessageBox::show(m_parent,
                             m_importer.session.recipes.errorString() +
                                 QStringLiteral("\r\n\r\nNone of the %1 recipes was stored.")
                                     .arg(recipes.size()),
                             title, MessageBox::Icon::Critical);
            return false;
        }
        if (!m_batch.weightsError().isEmpty())
            m_report.append(QStringLiteral("The weights when cooked were not kept: ") +
                            m_batch.weightsError());
        for (const RecipeStore::NewRecipe& recipe : recipes) {
            m_importer.recipeNames.insertName(recipe.name);
            m_stored.append(
                QStringLiteral("Stored: %1: %2.").arg(recipe.name, m_accounts.take(recipe.name)));
        }
        return true;
    }

    void skip(const QString& name) { m_report.append(QStringLiteral("Skipped: %1.").arg(name)); }
    void note(const QString& text) { m_report.append(text); }

    void tell(const QString& fileName, qsizetype count, const QStringList& problems) const
    {
        QString text = QStringLiteral("%1 of the %2 recipes in %3 were stored.")
                           .arg(m_stored.size())
                           .arg(count)
                           .arg(QDir::toNativeSeparators(fileName));
        for (const QStringList& part : {m_stored, m_report, problems})
            if (!part.isEmpty())
                text += QStringLiteral("\r\n\r\n") + part.join(QStringLiteral("\r\n"));
        MessageBox::show(m_parent, text, title, MessageBox::Icon::Information);
    }

private:
    void addToBatch(const QString& name, const QString& record, const QString& account,
                    std::optional<double> cookedGrams)
    {
        m_batch.add(name, record, cookedGrams);
        m_accounts.insert(trimSpaces(name), account);
    }

    const RecipeImporter& m_importer;
    QWidget* m_parent;
    exchange::ImportBatch m_batch;
    QStringList m_stored;               // the recipes stored, and what became of their lines
    QHash<QString, QString> m_accounts; // of the recipes of the batch, by name
    QStringList m_report;               // the recipes not stored, and why
};

} // namespace

void RecipeImporter::importFile(QWidget* parent, const QString& fileName) const
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly) || QFileInfo(fileName).isDir()) {
        MessageBox::show(
            parent,
            QStringLiteral("Zestora cannot read %1: %2")
                .arg(QDir::toNativeSeparators(fileName),
                     file.isOpen() ? QStringLiteral("it is a folder.") : file.errorString()),
            title, MessageBox::Icon::Exclamation);
        return;
    }
    const QString shownName = QDir::toNativeSeparators(fileName);
    QString error;
    std::optional<QByteArray> bytes =
        exchange::readBounded(file, exchange::largestRecipeFile, shownName, &error);
    // A large file takes a while to read and then to match: the window shows how far each has
    // come, and Cancel stores nothing of it.
    QProgressDialog progress(QStringLiteral("Reading %1...").arg(shownName),
                             QStringLiteral("Cancel"), 0, 100, parent);
    progress.setWindowTitle(title);
    progress.setWindowModality(Qt::WindowModal);
    // A file this large takes seconds to read, which its size tells before a step is timed.
    constexpr qsizetype largeFile = 1 << 20;
    progress.setMinimumDuration(bytes && bytes->size() >= largeFile ? 0 : 1000);
    exchange::RecipeFile read;
    if (bytes) {
        read = exchange::readRecipeFile(
            fileName, *bytes, [&progress](qsizetype done, qsizetype total) {
                progress.setValue(total == 0 ? 100 : static_cast<int>(done * 100 / total));
                return !progress.wasCanceled();
            });
        if (progress.wasCanceled())
            return;
        if (read.recipes.isEmpty())
            error = exchange::encodingRefusal(shownName, *bytes);
        if (read.recipes.isEmpty() && error.isEmpty())
            error = read.noRecipe;
    }
    if (!error.isEmpty()) {
        MessageBox::show(parent, error, title, MessageBox::Icon::Exclamation);
        return;
    }
    Import import(*this, parent);
    QList<exchange::ImportedRecipe> toReview;
    {
        progress.setLabelText(QStringLiteral("Matching the recipes' lines to the stored foods..."));
        progress.setRange(0, static_cast<int>(read.recipes.size()));
        progress.setValue(0); // the matching is timed from here
        int matched = 0;
        for (const mealmaster::Recipe& recipe : read.recipes) {
            exchange::ImportedRecipe imported = exchange::importedRecipe(recipe, index);
            if (imported.allMatched(session.ingredients))
                import.settle(imported);
            else
                toReview.append(std::move(imported));
            progress.setValue(++matched);
            if (progress.wasCanceled())
                return;
        }
    }
    if (!import.store())
        return;
    for (qsizetype i = 0; i < toReview.size(); ++i) {
        exchange::ImportedRecipe& recipe = toReview[i];
        const ImportWindow::Result reviewed =
            ImportWindow::review(parent, recipe, static_cast<int>(i + 1),
                                 static_cast<int>(toReview.size()), index, ingredientNames, help);
        if (reviewed.decision != ImportWindow::Decision::Store) {
            const qsizetype last =
                reviewed.decision == ImportWindow::Decision::Skip ? i : toReview.size() - 1;
            for (qsizetype skipped = i; skipped <= last; ++skipped)
                import.skip(toReview[skipped].name);
            i = last;
            continue;
        }
        recipe.lines = reviewed.lines;
        if (!paste::rememberChoices(recipe.lines, session.ingredients, index.choices()))
            import.note(QStringLiteral("The foods you chose could not be remembered for next "
                                       "time: %1")
                            .arg(index.choices().errorString()));
        import.settle(recipe);
    }
    if (import.store())
        import.tell(fileName, read.recipes.size(), read.problems);
}

} // namespace zestora
