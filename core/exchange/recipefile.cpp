#include "core/exchange/recipefile.h"

#include "core/exchange/recipeld.h"

#include <QDir>

namespace zestora::exchange {

namespace {

enum class Form { MealMaster, Json, Page };

Form formOf(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    const QByteArrayView text = bytes.trimmed();
    if (text.startsWith('{') || text.startsWith('['))
        return Form::Json;
    const QByteArrayView start = text.first(qMin<qsizetype>(text.size(), 1024));
    for (QByteArrayView tag : {"<!doctype html", "<html", "<head", "<script", "<?xml"})
        if (QLatin1StringView(start).contains(QLatin1StringView(tag), Qt::CaseInsensitive))
            return Form::Page;
    return Form::MealMaster;
}

} // namespace

RecipeFile readRecipeFile(const QString& fileName, QByteArrayView bytes,
                          const mealmaster::ReadProgress& progress)
{
    const QString name = QDir::toNativeSeparators(fileName);
    const Form form = formOf(bytes);
    mealmaster::ReadResult read = form == Form::Json   ? recipeld::readJson(bytes, progress)
                                  : form == Form::Page ? recipeld::readPage(bytes)
                                                       : mealmaster::read(bytes, progress);
    RecipeFile file{std::move(read.recipes), std::move(read.problems), {}};
    if (!file.recipes.isEmpty())
        return file;
    switch (form) {
    case Form::MealMaster:
        file.noRecipe = QStringLiteral("%1 holds no recipe: a MealMaster recipe starts with a line "
                                       "such as \"MMMMM----- Recipe via Meal-Master\", and "
                                       "JSON-LD recipes with { or [.")
                            .arg(name);
        break;
    case Form::Json:
        file.noRecipe = QStringLiteral("%1 holds no schema.org Recipe.").arg(name);
        break;
    case Form::Page:
        file.noRecipe = QStringLiteral("%1 holds no recipe data: the page has no schema.org "
                                       "Recipe in a <script type=\"application/ld+json\">.")
                            .arg(name);
        break;
    }
    return file;
}

} // namespace zestora::exchange
