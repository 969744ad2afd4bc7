#include "app/analyzecommand.h"

#include "app/inputfile.h"
#include "app/launcher.h"
#include "app/measuresoption.h"
#include "core/analysis/lineamounts.h"
#include "core/analysis/nutrition.h"
#include "core/analysis/quantity.h"
#include "core/analysis/servingweight.h"
#include "core/exchange/boundedread.h"
#include "core/numbers.h"
#include "core/paste/coverage.h"
#include "core/paste/linereview.h"
#include "core/recipes/cookedweights.h"
#include "core/store/ingtable.h"
#include "core/text.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStringDecoder>
#include <QTextStream>

#include <algorithm>
#include <cstdio>

namespace zestora {

namespace {

// One line of the recipe as it went into the totals.
struct AnalyzedLine {
    paste::ReviewedLine reviewed;
    QString food; // the matched food's name
    std::optional<paste::OrdinaryLine> ordinary;
    std::optional<double> grams;
};

struct Analysis {
    QString title;
    float servings = 1;
    QList<AnalyzedLine> lines;
    nutrition::PanelTexts panel;
    std::optional<nutrition::CalorieShares> shares;
    paste::Coverage coverage;
    std::optional<nutrition::ServingWeight> serving;
};

// A text file as a cook saves it: UTF-8, or the Windows code page when it is not.
QString decodeText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = decodeCp1252(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

std::optional<QString> readRecipeFile(const QString& name, QString* error)
{
    QFile file;
    if (const QString why = openInputFile(file, name); !why.isEmpty()) {
        *error = QStringLiteral("Cannot read %1: %2").arg(name, why);
        return std::nullopt;
    }
    const std::optional<QByteArray> bytes =
        exchange::readBounded(file, exchange::largestRecipeText, name, error);
    if (!bytes)
        return std::nullopt;
    return decodeText(*bytes);
}

Analysis analyze(const paste::RecipeText& recipe, float servings, const IngTable& ingredients,
                 const paste::FoodMatcher& matcher, const paste::HouseholdWeights& weights,
                 paste::KitchenMeasures measures, std::optional<double> cookedGrams)
{
    Analysis analysis{recipe.title, servings, {}, {}, {}, {}, {}};
    QList<paste::IngredientLine> lines = recipe.lines;
    paste::servePerPerson(lines, servings);
    QList<paste::ReviewedLine> reviewed =
        paste::reviewLines(lines, measures, matcher, ingredients, weights);
    paste::findUneaten(reviewed, recipe.directions, ingredients);
    paste::countParts(reviewed, ingredients, weights);
    nutrition::RecipeTotals totals;
    // The raw weight of the lines that count, known while each of them has a weight.
    std::optional<double> rawGrams = 0.0;
    for (const paste::ReviewedLine& line : std::as_const(reviewed)) {
        AnalyzedLine analyzed{line, {}, {}, {}};
        if (analyzed.reviewed.matched())
            analyzed.food = ingredients.at(analyzed.reviewed.food).trimmedName();
        analyzed.ordinary = paste::acceptedLine(analyzed.reviewed, ingredients);
        if (analyzed.ordinary) {
            // Added as the analysis screen adds a line, with the servings already set.
            nutrition::addLineNutrients(totals, ingredients.at(analyzed.reviewed.food),
                                        analyzed.ordinary->unit, analyzed.ordinary->quantityValue,
                                        servings);
            if (const auto amount =
                    nutrition::lineAmount(analyzed.ordinary->entry(), ingredients, 1))
                analyzed.grams = amount->grams;
            rawGrams =
                rawGrams && analyzed.grams ? *rawGrams + *analyzed.grams : std::optional<double>();
        }
        analysis.lines.append(analyzed);
    }
    analysis.coverage = paste::coverageOf(reviewed, ingredients);
    analysis.panel = nutrition::panelTexts(totals);
    analysis.shares = nutrition::calorieShares(totals);
    analysis.serving = nutrition::servingWeight(totals, servings, cookedGrams, rawGrams);
    return analysis;
}

// A text as a JSON string, quotes and escapes included.
QString jsonString(const QString& text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.sliced(1, array.size() - 2));
}

// A panel text as a JSON number: "12.3g" is 12.3, "40%" 40.
QString number(const QString& panelText)
{
    QString digits = panelText.trimmed();
    while (!digits.isEmpty() && !digits.back().isDigit())
        digits.chop(1);
    return digits;
}

// The grams of a line as the recipe list rounds them: whole grams, tenths below ten.
QString gramsNumber(double grams)
{
    return number(nutrition::gramsText(grams));
}

void writeJson(const Analysis& analysis, QTextStream& out)
{
    const QString null = QStringLiteral("null");
    const auto orNull = [&](const QString& text) {
        return text.isEmpty() ? null : jsonString(text);
    };
    out << "{\n  \"title\": " << orNull(analysis.title)
        << ",\n  \"servings\": " << floatText(analysis.servings) << ",\n  \"lines\": [";
    for (qsizetype i = 0; i < analysis.lines.size(); ++i) {
        const AnalyzedLine& line = analysis.lines[i];
        out << (i == 0 ? "\n" : ",\n") << "    {\"text\": " << jsonString(line.reviewed.line.text)
            << ", \"food\": " << orNull(line.food)
            << ", \"quantity\": " << (line.ordinary ? jsonString(line.ordinary->quantity) : null)
            << ", \"unit\": " << (line.ordinary ? jsonString(line.ordinary->unit) : null)
            << ", \"grams\": " << (line.grams ? gramsNumber(*line.grams) : null)
            << ", \"matched\": " << (line.reviewed.matched() ? "true" : "false")
            << ", \"doubt\": " << (line.reviewed.doubtful() ? "true" : "false")
            << ", \"estimate\": " << orNull(line.reviewed.measure.estimate);
        // How the amount was read and counted, where it was not as written.
        if (!line.reviewed.line.measures.isEmpty())
            out << ", \"measure\": " << jsonString(line.reviewed.line.measures);
        if (!line.reviewed.measure.edible.isEmpty())
            out << ", \"edible\": " << jsonString(line.reviewed.measure.edible);
        if (line.reviewed.eaten != paste::Eaten::All)
            out << ", \"counted\": " << jsonString(paste::eatenText(line.reviewed));
        out << "}";
    }
    const paste::Coverage& coverage = analysis.coverage;
    QStringList notCounted;
    for (const QString& text : coverage.notCounted)
        notCounted.append(jsonString(text));
    out << (analysis.lines.isEmpty() ? "],\n" : "\n  ],\n")
        << "  \"coverage\": {\"lines\": " << coverage.lines << ", \"weighed\": " << coverage.weighed
        << ", \"estimated\": " << coverage.estimated << ", \"notCounted\": ["
        << notCounted.join(QStringLiteral(", ")) << "]},\n";
    const auto nutrients = [&](const nutrition::PanelTexts& p) {
        out << "{\"calories\": " << number(p.cals) << ", \"caloriesFromFat\": " << number(p.fatCals)
            << ", \"fat\": " << number(p.fatG) << ", \"satFat\": " << number(p.satFatG)
            << ", \"cholesterol\": " << number(p.cholG) << ", \"sodium\": " << number(p.sodiumG)
            << ", \"carbohydrate\": " << number(p.carbsG) << ", \"fiber\": " << number(p.fiberG)
            << ", \"protein\": " << number(p.proteinG) << "}";
    };
    out << "  \"perServing\": ";
    nutrients(analysis.panel);
    const std::optional<nutrition::ServingWeight>& serving = analysis.serving;
    out << ",\n  \"servingGrams\": " << (serving ? gramsNumber(serving->grams) : null)
        << ",\n  \"servingGramsFrom\": "
        << (!serving          ? null
            : serving->cooked ? QStringLiteral("\"cooked weight\"")
                              : QStringLiteral("\"raw lines\""))
        << ",\n  \"per100g\": ";
    if (serving)
        nutrients(nutrition::panelTexts(serving->per100g));
    else
        out << null;
    out << "\n}\n";
}

// What became of a line, under it: the recipe line it makes, or why it counts for nothing.
QString matchText(const AnalyzedLine& line)
{
    if (!line.reviewed.matched())
        return QStringLiteral("not matched: counts for nothing");
    if (line.ordinary) {
        QString text = line.ordinary->row();
        if (line.grams)
            text += QStringLiteral("  (") + nutrition::gramsText(*line.grams) + u')';
        for (const QString& how : {line.reviewed.measure.estimate, line.reviewed.measure.edible})
            if (!how.isEmpty())
                text += QStringLiteral("  ") + how;
        if (line.reviewed.doubtful())
            text += QStringLiteral("  check the food");
        return text;
    }
    if (line.reviewed.eaten == paste::Eaten::Nothing)
        return line.food + QStringLiteral(": counts for nothing");
    if (!line.reviewed.line.hasQuantity())
        return line.food + QStringLiteral(": no amount, counts for nothing");
    if (line.reviewed.amountTooLarge())
        return line.food +
               QStringLiteral(": amount too large for a recipe line, counts for nothing");
    return line.food + QStringLiteral(": choose a measure, counts for nothing");
}

void writeText(const Analysis& analysis, QTextStream& out)
{
    if (!analysis.title.isEmpty())
        out << analysis.title << Qt::endl;
    out << "Makes " << floatText(analysis.servings)
        << (analysis.servings == 1 ? " serving" : " servings") << Qt::endl
        << Qt::endl;
    // The lines' ends flush nothing: a long recipe is written in a few large pieces.
    for (const AnalyzedLine& line : analysis.lines) {
        if (line.reviewed.line.kind == paste::LineKind::Heading) {
            out << line.reviewed.line.heading << '\n';
            continue;
        }
        out << line.reviewed.line.text << '\n' << "    " << matchText(line) << '\n';
        for (const QString& reading :
             {line.reviewed.line.measures, paste::eatenText(line.reviewed)})
            if (!reading.isEmpty())
                out << "    " << reading << '\n';
    }
    out << Qt::endl << analysis.coverage.text() << Qt::endl;
    const nutrition::PanelTexts& p = analysis.panel;
    using nutrition::Nutrient;
    const auto row = [&](const QString& caption, const QString& amount, const QString& percent) {
        out << qSetFieldWidth(36) << Qt::left << caption + u' ' + amount << qSetFieldWidth(0)
            << percent << Qt::endl;
    };
    out << Qt::endl << "Nutrition Facts, per serving" << Qt::endl;
    row(nutrition::nutrientName(Nutrient::Calories), p.cals,
        QStringLiteral("Calories from Fat ") + p.fatCals);
    row(QString(), QString(), QStringLiteral("% Daily Value *"));
    row(nutrition::nutrientName(Nutrient::TotalFat), p.fatG, p.fatPct);
    row(QStringLiteral("  ") + nutrition::nutrientName(Nutrient::SatFat), p.satFatG, p.satFatPct);
    row(nutrition::nutrientName(Nutrient::Cholesterol), p.cholG, p.cholPct);
    row(nutrition::nutrientName(Nutrient::Sodium), p.sodiumG, p.sodiumPct);
    row(nutrition::nutrientName(Nutrient::TotalCarbs), p.carbsG, p.carbsPct);
    row(QStringLiteral("  ") + nutrition::nutrientName(Nutrient::Fiber), p.fiberG, p.fiberPct);
    row(nutrition::nutrientName(Nutrient::Protein), p.proteinG, QString());
    out << "* Percent Daily Values based on a 2,000 calorie diet." << Qt::endl;
    if (const std::optional<nutrition::ServingWeight>& serving = analysis.serving) {
        const nutrition::PanelTexts per100g = nutrition::panelTexts(serving->per100g);
        out << serving->text() << "; per 100 g: " << per100g.cals << " calories, " << per100g.fatG
            << " fat, " << per100g.carbsG << " carbohydrate, " << per100g.proteinG << " protein"
            << Qt::endl;
    } else {
        out << "Serving weight not known: not every line has a weight." << Qt::endl;
    }
    // With no calories the shares are nil, in the words the screens use for a share.
    const nutrition::CalorieShares shares =
        analysis.shares.value_or(nutrition::CalorieShares{QStringLiteral("0% of calories from Fat"),
                                                          QStringLiteral("0% from Carbohydrates"),
                                                          QStringLiteral("0% from Protein"),
                                                          {}});
    out << shares.fat << ", " << shares.carbs << ", " << shares.protein << Qt::endl;
}

// The ingredient database to match against: the data folder's, or the starter database beside
// the program when the folder has none.
QString ingredientFile(const QString& dataDir, const QString& programDir)
{
    const QString own = QDir(dataDir).filePath(IngTable::fileName);
    return QFileInfo::exists(own)
               ? own
               : QDir(programDir).filePath(QStringLiteral("starter/") + IngTable::fileName);
}

} // namespace

int analyzeRecipe(const QStringList& arguments, const QString& programDir, QTextStream& out,
                  QTextStream& err)
{
    QCommandLineParser parser;
    const QCommandLineOption dataDir(QStringLiteral("data-dir"),
                                     QStringLiteral("The data folder whose foods are matched."),
                                     QStringLiteral("DIR"));
    const QCommandLineOption servingsOption(QStringLiteral("servings"),
                                            QStringLiteral("The servings the recipe makes."),
                                            QStringLiteral("N"));
    const QCommandLineOption json(QStringLiteral("json"),
                                  QStringLiteral("Print one JSON object instead of text."));
    const QCommandLineOption cookedOption(
        QStringLiteral("cooked-weight"),
        QStringLiteral("The weight of the finished dish in grams, for the serving's weight."),
        QStringLiteral("GRAMS"));
    const QCommandLineOption measures = measuresOption();
    parser.addOptions({dataDir, servingsOption, json, measures, cookedOption});
    if (!parseOneNamed(parser, QStringLiteral("analyze"), arguments,
                       QStringLiteral("Name one recipe file."), err))
        return 2;
    std::optional<float> servings;
    if (parser.isSet(servingsOption)) {
        servings = quantity::quantityValue(parser.value(servingsOption));
        if (!(*servings > 0) || *servings > quantity::servingsMaximum) {
            err << "The servings must be a number from 1/8 to " << quantity::servingsMaximum
                << ", not " << parser.value(servingsOption) << "." << Qt::endl;
            return 2;
        }
    }
    bool badWeight = false;
    const std::optional<double> cooked = cookedGramsFrom(parser.value(cookedOption), &badWeight);
    if (badWeight || (parser.isSet(cookedOption) && !cooked)) {
        err << "The cooked weight must be grams above zero, not " << parser.value(cookedOption)
            << "." << Qt::endl;
        return 2;
    }
    const std::optional<paste::KitchenMeasures> kitchen =
        chosenMeasures(parser.value(measures), err);
    if (!kitchen)
        return 2;
    QString error;
    const std::optional<QString> text =
        readRecipeFile(parser.positionalArguments().front(), &error);
    if (!text) {
        err << error << Qt::endl;
        return 1;
    }

    // A folder named and missing is a mistake, as for every command; without one, a user who never
    // opened Zestora is matched against the starter foods.
    if (const QString missing = missingDataDir(parser.value(dataDir));
        parser.isSet(dataDir) && !missing.isEmpty()) {
        err << missing << Qt::endl;
        return 1;
    }
    const QString folder = dataDirPath(parser.value(dataDir));
    IngTable ingredients(std::make_unique<DataFile>(ingredientFile(folder, programDir)));
    if (!QFileInfo::exists(ingredients.file().fileName())) {
        err << "There is no ingredient database in " << QDir::toNativeSeparators(folder)
            << " nor beside the program." << Qt::endl;
        return 1;
    }
    if (const std::optional<LoadProblem> problem = ingredients.loadIngTable()) {
        err << problem->message() << Qt::endl;
        if (problem->unreadable)
            return 1;
    }
    paste::FoodChoices choices;
    if (QDir::setCurrent(folder))
        choices.load();
    const paste::MatchingTables tables =
        paste::MatchingTables::load(QDir(programDir).filePath(QStringLiteral("starter")));
    const paste::FoodMatcher matcher(ingredients, tables.names, &choices, tables.forms);

    const paste::RecipeText recipe = paste::readRecipeText(*text, true);
    // A panel of zeros would pass for a recipe without nutrients.
    if (std::none_of(recipe.lines.cbegin(), recipe.lines.cend(),
                     [](const paste::IngredientLine& line) {
                         return line.kind == paste::LineKind::Ingredient;
                     })) {
        const QString name = parser.positionalArguments().front();
        err << "There are no ingredient lines in "
            << (name == QLatin1String("-") ? QStringLiteral("the input") : name)
            << ": nothing to analyze." << Qt::endl;
        return 1;
    }
    const Analysis analysis = analyze(recipe, servings.value_or(recipe.servings.value_or(1)),
                                      ingredients, matcher, tables.weights, *kitchen, cooked);
    if (parser.isSet(json))
        writeJson(analysis, out);
    else
        writeText(analysis, out);
    return 0;
}

} // namespace zestora
