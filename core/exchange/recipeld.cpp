#include "core/exchange/recipeld.h"

#include "core/exchange/recipeimport.h"
#include "core/paste/ingredientline.h"
#include "core/recipes/cookedweights.h"
#include "core/text.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStringDecoder>

#include <cmath>

namespace zestora::recipeld {

namespace {

// Objects nested deeper than this are not searched for recipes.
constexpr int deepest = 64;

// A page's text as it reads: line breaks where paragraphs and breaks end, other tags gone,
// character references as their characters.
QString withoutMarkup(QString text)
{
    static const QRegularExpression breaks(QStringLiteral(R"(<br\s*/?>|</p\s*>)"),
                                           QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression tags(QStringLiteral("<[^>]*>"));
    static const QRegularExpression references(QStringLiteral("&(#x[0-9a-fA-F]+|#\\d+|\\w+);"));
    static const QHash<QString, QString> named{
        {QStringLiteral("amp"), QStringLiteral("&")},
        {QStringLiteral("lt"), QStringLiteral("<")},
        {QStringLiteral("gt"), QStringLiteral(">")},
        {QStringLiteral("quot"), QStringLiteral("\"")},
        {QStringLiteral("apos"), QStringLiteral("'")},
        {QStringLiteral("nbsp"), QStringLiteral(" ")},
        {QStringLiteral("frac12"), QStringLiteral("\u00BD")},
        {QStringLiteral("frac14"), QStringLiteral("\u00BC")},
        {QStringLiteral("frac34"), QStringLiteral("\u00BE")},
        {QStringLiteral("deg"), QStringLiteral("\u00B0")},
        {QStringLiteral("ndash"), QStringLiteral("\u2013")},
        {QStringLiteral("mdash"), QStringLiteral("\u2014")},
        {QStringLiteral("lsquo"), QStringLiteral("\u2018")},
        {QStringLiteral("rsquo"), QStringLiteral("\u2019")},
        {QStringLiteral("ldquo"), QStringLiteral("\u201C")},
        {QStringLiteral("rdquo"), QStringLiteral("\u201D")},
        {QStringLiteral("hellip"), QStringLiteral("\u2026")},
        {QStringLiteral("eacute"), QStringLiteral("\u00E9")}};
    if (!text.contains(u'<') && !text.contains(u'&'))
        return text;
    text.replace(breaks, QStringLiteral("\n"));
    text.remove(tags);
    QString plain;
    qsizetype done = 0;
    for (const QRegularExpressionMatch& match : references.globalMatch(text)) {
        const QString name = match.captured(1);
        QString character = named.value(name);
        if (name.startsWith(u'#')) {
            bool ok = false;
            const uint code = name.startsWith(u"#x", Qt::CaseInsensitive)
                                  ? name.sliced(2).toUInt(&ok, 16)
                                  : name.sliced(1).toUInt(&ok, 10);
            const char32_t point = code;
            if (ok && code > 0 && code <= 0x10FFFF)
                character = QString::fromUcs4(&point, 1);
        }
        if (character.isEmpty())
            continue;
        plain += QStringView(text).sliced(done, match.capturedStart() - done) + character;
        done = match.capturedEnd();
    }
    return plain + QStringView(text).sliced(done);
}

class Reader {
public:
    explicit Reader(bool page)
        : m_page(page)
    {
    }

    void read(QByteArrayView json, mealmaster::ReadResult& result,
              const mealmaster::ReadProgress& progress = {})
    {
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(json.toByteArray(), &error);
        if (document.isNull()) {
            result.problems.append(QStringLiteral("Some recipe data is not valid JSON (%1 at "
                                                  "character %2) and was skipped.")
                                       .arg(error.errorString())
                                       .arg(error.offset));
            return;
        }
        if (!document.isArray()) {
            find(document.object(), result.recipes, 0);
            return;
        }
        const QJsonArray list = document.array();
        for (qsizetype done = 0; done < list.size(); ++done) {
            if (progress && !progress(done, list.size()))
                return;
            find(list.at(done), result.recipes, 1);
        }
        if (progress)
            progress(list.size(), list.size());
    }

private:
    static bool isRecipe(const QJsonObject& object)
    {
        const QJsonValue type = object.value(u"@type");
        const QJsonArray types = type.isArray() ? type.toArray() : QJsonArray{type};
        return std::any_of(types.begin(), types.end(), [](const QJsonValue& one) {
            const QString name = one.toString();
            return name == u"Recipe" || name.endsWith(u"/Recipe") || name.endsWith(u":Recipe");
        });
    }

    void find(const QJsonValue& value, QList<mealmaster::Recipe>& recipes, int depth)
    {
        if (depth > deepest)
            return;
        if (value.isArray()) {
            for (const QJsonValue& element : value.toArray())
                find(element, recipes, depth + 1);
            return;
        }
        if (!value.isObject())
            return;
        const QJsonObject object = value.toObject();
        if (isRecipe(object)) {
            recipes.append(recipe(object));
            return;
        }
        for (const QJsonValue& member : object)
            find(member, recipes, depth + 1);
    }

    // A text of the data; on a page freed of markup and character references.
    QString text(const QJsonValue& value) const
    {
        QString text = value.isDouble() ? QString::number(value.toDouble()) : value.toString();
        if (m_page)
            text = withoutMarkup(text);
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        return text;
    }

    // A text or the texts of a list, each once.
    QStringList texts(const QJsonValue& value) const
    {
        QStringList all;
        const QJsonArray values = value.isArray() ? value.toArray() : QJsonArray{value};
        for (const QJsonValue& one : values)
            if (const QString found = text(one).trimmed(); !found.isEmpty())
                all.append(found);
        return all;
    }

    static mealmaster::Ingredient ingredient(const QString& line)
    {
        static const QRegularExpression amount(
            QStringLiteral(R"(^(\d+ \d/\d|\d/\d|\d+\.\d+|\d+)\s+(\S.*)$)"));
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty())
            return {{}, {}, {}, true};
        if (const QRegularExpressionMatch match = amount.match(trimmed); match.hasMatch())
            return {match.captured(1), {}, match.captured(2), false};
        const paste::IngredientLine read = paste::readIngredientLine(trimmed);
        if (read.kind == paste::LineKind::Heading)
            return {{}, {}, read.heading, true};
        return {{}, {}, trimmed, false};
    }

    // The steps of the instructions, one paragraph a line of each, an empty one between steps.
    void steps(const QJsonValue& value, QStringList& paragraphs, int depth) const
    {
        if (depth > deepest)
            return;
        const auto paragraph = [&paragraphs](const QString& step) {
            if (step.trimmed().isEmpty())
                return;
            if (!paragraphs.isEmpty())
                paragraphs.append(QString());
            paragraphs += step.split(u'\n');
        };
        if (value.isArray()) {
            for (const QJsonValue& step : value.toArray())
                steps(step, paragraphs, depth + 1);
            return;
        }
        if (!value.isObject()) {
            paragraph(text(value));
            return;
        }
        const QJsonObject step = value.toObject();
        const QJsonValue items = step.value(u"itemListElement");
        if (!items.isUndefined()) {
            paragraph(text(step.value(u"name")));
            steps(items, paragraphs, depth + 1);
            return;
        }
        paragraph(text(step.contains(u"text") ? step.value(u"text") : step.value(u"name")));
    }

    mealmaster::Recipe recipe(const QJsonObject& object) const
    {
        mealmaster::Recipe recipe;
        recipe.title = text(object.value(u"name")).simplified();
        // "4", 4, ["4", "4 servings"]: the one that says what it counts.
        const QStringList yields = texts(object.value(u"recipeYield"));
        for (const QString& yield : yields)
            if (recipe.yield.isEmpty() || yield.contains(QRegularExpression(QStringLiteral("\\D"))))
                recipe.yield = yield;
        for (const QString& category : texts(object.value(u"recipeCategory")))
            for (const QString& one : category.split(u','))
                if (!one.trimmed().isEmpty())
                    recipe.categories.append(one.trimmed());
        QJsonValue lines = object.value(u"recipeIngredient");
        if (lines.isUndefined())
            lines = object.value(u"ingredients");
        const QJsonArray all = lines.isArray() ? lines.toArray() : QJsonArray{lines};
        for (const QJsonValue& line : all)
            if (line.isString())
                recipe.ingredients.append(ingredient(text(line)));
        steps(object.value(u"recipeInstructions"), recipe.directions, 0);
        // A serving weighed in grams tells what the finished dish weighs; one marked "(raw)", as
        // our export writes an unweighed dish's sum of its lines, is no number of grams here.
        bool bad = false;
        if (const std::optional<double> serving = cookedGramsFrom(
                text(object.value(u"nutrition").toObject().value(u"servingSize")), &bad))
            recipe.notes.append(cookedWeightNote(
                std::round(*serving * exchange::servingsOfYield(recipe.yield).divisor)));
        const QString description = text(object.value(u"description")).trimmed();
        if (!description.isEmpty() && !recipe.directions.join(u' ').startsWith(description))
            recipe.notes.append(QLatin1StringView(exchange::descriptionLabel) + description);
        return recipe;
    }

    bool m_page;
};

QString decodedPage(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    return utf8.hasError() ? decodeCp1252(bytes) : text;
}

} // namespace

mealmaster::ReadResult readJson(QByteArrayView bytes, const mealmaster::ReadProgress& progress)
{
    mealmaster::ReadResult result;
    Reader(false).read(bytes, result, progress);
    return result;
}

mealmaster::ReadResult readPage(QByteArrayView bytes)
{
    static const QRegularExpression script(
        QStringLiteral(R"(<script\b[^>]*\btype\s*=\s*["']?application/ld\+json["']?[^>]*>)"
                       R"((.*?)</script\s*>)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    mealmaster::ReadResult result;
    Reader reader(true);
    const QString page = decodedPage(bytes);
    for (const QRegularExpressionMatch& match : script.globalMatch(page)) {
        QString json = match.captured(1).trimmed();
        // Some pages wrap the data in a comment or a CDATA section.
        for (const auto& [open, close] :
             {std::pair(QStringLiteral("<!--"), QStringLiteral("-->")),
              std::pair(QStringLiteral("<![CDATA["), QStringLiteral("]]>"))})
            if (json.startsWith(open) && json.endsWith(close))
                json = json.sliced(open.size()).chopped(close.size());
        reader.read(json.toUtf8(), result);
    }
    return result;
}

} // namespace zestora::recipeld
