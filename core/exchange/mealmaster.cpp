#include "core/exchange/mealmaster.h"

#include "core/exchange/exportedrecipe.h"
#include "core/text.h"

#include <QIODevice>
#include <QStringDecoder>

namespace zestora::mealmaster {

namespace {

struct UnitName {
    const char* code;
    const char* unit;
};

// The format's unit codes and what they stand for; where two codes mean one unit, the first is
// the one written.
constexpr UnitName unitCodes[] = {
    {"ml", "ml"},       {"ts", "tsp"},        {"t", "tsp"},         {"tb", "tbs"},
    {"T", "tbs"},       {"c", "cup"},         {"pt", "pint"},       {"qt", "quart"},
    {"oz", "oz"},       {"g", "g"},           {"lb", "lb"},         {"fl", "fl oz"},
    {"ga", "gallon"},   {"l", "liter"},       {"cl", "centiliter"}, {"dl", "deciliter"},
    {"cb", "cubic cm"}, {"mg", "mg"},         {"cg", "centigram"},  {"dg", "decigram"},
    {"kg", "kg"},       {"x", "per serving"}, {"sm", "small"},      {"md", "medium"},
    {"lg", "large"},    {"cn", "can"},        {"pk", "package"},    {"pn", "pinch"},
    {"dr", "drop"},     {"ds", "dash"},       {"ct", "carton"},     {"bn", "bunch"},
    {"sl", "slice"},    {"ea", "each"}};
// Other names cooks give the same units.
constexpr UnitName otherNames[] = {
    {"ts", "teaspoon"},   {"tb", "tablespoon"}, {"tb", "tbsp"},  {"fl", "fluid ounce"},
    {"oz", "ounce"},      {"lb", "pound"},      {"g", "gram"},   {"kg", "kilogram"},
    {"ml", "milliliter"}, {"ml", "millilitre"}, {"l", "litre"},  {"ga", "gal"},
    {"pk", "pkg"},        {"pk", "packet"},     {"sl", "slices"}};

const QString header = QStringLiteral("MMMMM----- Recipe via Meal-Master (tm) v8.05");
const QString endLine = QStringLiteral("MMMMM");
const QString oldEndLine = QStringLiteral("-----");
const QString crLf = QStringLiteral("\r\n");

constexpr int quantityColumns = 7;
constexpr int unitColumns = 2;
constexpr int textColumn = 11; // zero-based: column 12
constexpr int textWidth = 28;  // columns 12 to 39
constexpr int lineWidth = 79;
constexpr int directionsIndent = 2;

QString codeFor(const QString& measure, const auto& table)
{
    for (const UnitName& name : table)
        if (measure.compare(QLatin1StringView(name.unit), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(name.code);
    return QString();
}

// The text cut into pieces of at most first, then width characters, each break made at a blank
// that follows a word; the blank goes, any further blanks lead the next piece. A word longer than
// a piece stays whole on a longer line, since a reader joins the pieces with a blank.
QStringList wrap(QStringView text, qsizetype first, qsizetype width)
{
    const auto isBreak = [&text](qsizetype i) {
        return text[i] == u' ' && text[i - 1] != u' ';
    };
    QStringList pieces;
    qsizetype start = 0;
    qsizetype room = first;
    while (text.size() - start > room) {
        qsizetype cut = start + room;
        while (cut > start && !isBreak(cut))
            --cut;
        if (cut == start) {
            cut = start + room + 1;
            while (cut < text.size() && !isBreak(cut))
                ++cut;
            if (cut == text.size())
                break;
        }
        pieces.append(text.sliced(start, cut - start).toString());
        start = cut + 1;
        room = width;
    }
    pieces.append(text.sliced(start).toString());
    return pieces;
}

void appendIngredient(QString& out, const Ingredient& ingredient)
{
    if (ingredient.heading) {
        const qsizetype dashes =
            qMax<qsizetype>(4, lineWidth - endLine.size() - ingredient.text.size());
        out += endLine + QString(dashes / 2, u'-') + ingredient.text +
               QString(dashes - dashes / 2, u'-') + crLf;
        return;
    }
    QString quantity = ingredient.quantity;
    QString unit = ingredient.unit;
    QString text = ingredient.text;
    if (quantity.size() > quantityColumns || unit.size() > unitColumns) {
        // Fields that do not fit their columns are kept in the text.
        text = QStringList{quantity, unit, text}.join(u' ').simplified();
        quantity.clear();
        unit.clear();
    }
    const QStringList pieces = wrap(text, textWidth, textWidth - 1);
    QString line = quantity.rightJustified(quantityColumns) + u' ' +
                   unit.leftJustified(unitColumns) + u' ' + pieces.front();
    while (line.endsWith(u' '))
        line.chop(1);
    out += line + crLf;
    for (qsizetype i = 1; i < pieces.size(); ++i)
        out += QString(textColumn, u' ') + u'-' + pieces[i] + crLf;
}

// --- Reading ------------------------------------------------------------------------------------

QString decoded(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    bool ascii = true;
    for (char c : bytes)
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (!ascii) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text = utf8.decode(bytes);
        if (!utf8.hasError())
            return text;
    }
    return decodeCp1252(bytes);
}

QStringView rightTrimmed(QStringView line)
{
    while (!line.isEmpty() && (line.back() == u' ' || line.back() == u'\t'))
        line.chop(1);
    return line;
}

bool isHeader(QStringView line)
{
    return (line.startsWith(u"MMMMM") || line.startsWith(u"-----")) &&
           (line.contains(u"meal-master", Qt::CaseInsensitive) ||
            line.contains(u"recipe via", Qt::CaseInsensitive));
}

bool isEnd(QStringView line)
{
    return line == endLine || line == oldEndLine;
}

bool isHeading(QStringView line)
{
    return line.size() > endLine.size() &&
           (line.startsWith(u"MMMMM-") || line.startsWith(u"------")) && !isHeader(line);
}

QString headingText(QStringView line)
{
    while (line.startsWith(u'M'))
        line = line.sliced(1);
    while (line.startsWith(u'-'))
        line = line.sliced(1);
    while (line.endsWith(u'-'))
        line.chop(1);
    return line.trimmed().toString();
}

bool isUnitCode(QStringView code)
{
    if (code.isEmpty())
        return true;
    for (const UnitName& name : unitCodes)
        if (code == QLatin1StringView(name.code))
            return true;
    return false;
}

// An ingredient line: a quantity (digits, fractions, a range) in columns 1 to 7, a unit code or
// nothing in columns 9 and 10, blanks between.
std::optional<Ingredient> ingredientLine(QStringView line)
{
    const auto column = [&line](qsizetype from, qsizetype count) {
        return from >= line.size() ? QStringView()
                                   : line.sliced(from).first(qMin(count, line.size() - from));
    };
    const QStringView quantity = column(0, quantityColumns);
    for (QChar c : quantity)
        if (!(c.isDigit() || c == u' ' || c == u'/' || c == u'.' || c == u'-'))
            return std::nullopt;
    const QStringView gaps[] = {column(quantityColumns, 1),
                                column(quantityColumns + 1 + unitColumns, 1)};
    for (QStringView gap : gaps)
        if (!gap.trimmed().isEmpty())
            return std::nullopt;
    const QStringView unit = column(quantityColumns + 1, unitColumns).trimmed();
    if (!isUnitCode(unit))
        return std::nullopt;
    return Ingredient{quantity.trimmed().toString(), unit.toString(),
                      column(textColumn, line.size()).trimmed().toString(), false};
}

// Reads the lines of one recipe, from the line after its header.
class RecipeReader {
public:
    // False once the recipe has ended.
    bool take(QStringView line)
    {
        if (isEnd(line))
            return false;
        switch (m_part) {
        case Part::Top:
            return takeTop(line);
        case Part::Ingredients:
            return takeIngredient(line);
        case Part::Directions:
            return takeDirection(line);
        }
        return true;
    }
    Recipe& recipe() { return m_recipe; }

private:
    enum class Part { Top, Ingredients, Directions };

    bool takeTop(QStringView line)
    {
        if (line.isEmpty()) {
            if (m_seenField)
                m_part = Part::Ingredients;
            return true;
        }
        const QStringView trimmed = line.trimmed();
        const auto value = [&trimmed](QStringView label) -> std::optional<QString> {
            if (!trimmed.startsWith(label, Qt::CaseInsensitive))
                return std::nullopt;
            return trimmed.sliced(label.size()).trimmed().toString();
        };
        if (const std::optional<QString> title = value(u"Title:")) {
            m_recipe.title = *title;
        } else if (const std::optional<QString> categories = value(u"Categories:")) {
            for (const QString& category : categories->split(u','))
                if (!category.trimmed().isEmpty())
                    m_recipe.categories.append(category.trimmed());
            if (m_recipe.categories == QStringList{QStringLiteral("None")})
                m_recipe.categories.clear();
        } else if (const std::optional<QString> yield = value(u"Yield:")) {
            m_recipe.yield = *yield;
        } else if (const std::optional<QString> servings = value(u"Servings:")) {
            m_recipe.yield = *servings;
        } else {
            m_part = Part::Ingredients;
            return takeIngredient(line);
        }
        m_seenField = true;
        return true;
    }

    bool takeIngredient(QStringView line)
    {
        if (line.isEmpty())
            return true;
        if (isHeading(line)) {
            m_recipe.ingredients.append({{}, {}, headingText(line), true});
            return true;
        }
        std::optional<Ingredient> ingredient = ingredientLine(line);
        if (!ingredient) {
            m_part = Part::Directions;
            return takeDirection(line);
        }
        QList<Ingredient>& list = m_recipe.ingredients;
        if (ingredient->quantity.isEmpty() && ingredient->unit.isEmpty() &&
            ingredient->text.startsWith(u'-') && !list.isEmpty() && !list.back().heading) {
            // The text of the line before goes on, any blanks after the dash kept.
            const qsizetype dash = line.indexOf(u'-', textColumn);
            list.back().text += u' ' + line.sliced(dash + 1);
            return true;
        }
        list.append(*ingredient);
        return true;
    }

    bool takeDirection(QStringView line)
    {
        if (line.isEmpty()) {
            ++m_blankLines;
            return true;
        }
        qsizetype indent = 0;
        while (indent < directionsIndent && indent < line.size() && line[indent] == u' ')
            ++indent;
        const QStringView text = line.sliced(indent);
        QStringList& paragraphs = m_recipe.directions;
        if (!paragraphs.isEmpty() && m_blankLines == 0) {
            paragraphs.back() += u' ' + text;
            return true;
        }
        // Each blank line beyond the one that separates two paragraphs stands for an empty one.
        if (!paragraphs.isEmpty())
            for (int i = 1; i < m_blankLines; ++i)
                paragraphs.append(QString());
        paragraphs.append(text.toString());
        m_blankLines = 0;
        return true;
    }

    Recipe m_recipe;
    Part m_part = Part::Top;
    bool m_seenField = false;
    int m_blankLines = 0;
};

} // namespace

QString unitCode(const QString& measure)
{
    const QString unit = trimSpaces(measure);
    if (unit.isEmpty())
        return QString();
    QString code = codeFor(unit, unitCodes);
    if (code.isEmpty())
        code = codeFor(unit, otherNames);
    if (code.isEmpty() && unit.endsWith(u's', Qt::CaseInsensitive))
        code = codeFor(unit.chopped(1), unitCodes);
    return code;
}

QString unitOfCode(const QString& code)
{
    for (const UnitName& name : unitCodes)
        if (code == QLatin1StringView(name.code))
            return QString::fromLatin1(name.unit);
    return QString();
}

Recipe fromExported(const ExportedRecipe& exported)
{
    Recipe recipe;
    recipe.title = exported.name;
    recipe.yield = exported.yield();
    recipe.ingredients.reserve(exported.lines.size());
    for (const ExportedRecipe::Line& line : exported.lines) {
        if (line.heading) {
            recipe.ingredients.append({{}, {}, trimSpaces(line.text), true});
            continue;
        }
        Ingredient ingredient{line.quantity, unitCode(line.unit), line.ingredient, false};
        if (ingredient.unit.isEmpty())
            ingredient.text = ingredientText({false, {}, {}, line.unit, line.ingredient});
        if (ingredient.quantity.size() > quantityColumns) {
            ingredient.text = ingredientText(line);
            ingredient.quantity.clear();
            ingredient.unit.clear();
        }
        recipe.ingredients.append(ingredient);
    }
    // Blanks at the end of a line and empty lines before and after the text carry nothing.
    QStringList paragraphs = exported.directions.split(u'\n');
    for (QString& paragraph : paragraphs) {
        if (paragraph.endsWith(u'\r'))
            paragraph.chop(1);
        paragraph = rightTrimmed(paragraph).toString();
    }
    while (!paragraphs.isEmpty() && paragraphs.front().isEmpty())
        paragraphs.removeFirst();
    while (!paragraphs.isEmpty() && paragraphs.back().isEmpty())
        paragraphs.removeLast();
    recipe.directions = paragraphs;
    return recipe;
}

QByteArray write(const Recipe& recipe)
{
    QString out = header + crLf + crLf;
    out += QStringLiteral("      Title: ") + recipe.title + crLf;
    out += QStringLiteral(" Categories: ") +
           (recipe.categories.isEmpty() ? QStringLiteral("None")
                                        : recipe.categories.join(QStringLiteral(", "))) +
           crLf;
    out += QStringLiteral("      Yield: ") + recipe.yield + crLf + crLf;
    for (const Ingredient& ingredient : recipe.ingredients)
        appendIngredient(out, ingredient);
    out += crLf;
    const QString indent(directionsIndent, u' ');
    for (qsizetype i = 0; i < recipe.directions.size(); ++i) {
        if (i > 0)
            out += crLf;
        if (recipe.directions[i].isEmpty())
            continue;
        const qsizetype width = lineWidth - directionsIndent;
        for (const QString& piece : wrap(recipe.directions[i], width, width))
            out += indent + piece + crLf;
    }
    if (!recipe.directions.isEmpty())
        out += crLf;
    out += endLine + crLf + crLf;
    return encodeCp1252(out);
}

ReadResult read(QByteArrayView bytes)
{
    ReadResult result;
    const QString text = decoded(bytes);
    std::optional<RecipeReader> reader;
    const auto finish = [&result, &reader](bool ended) {
        Recipe& recipe = reader->recipe();
        if (!ended)
            result.problems.append(QStringLiteral("The recipe \"%1\" has no end line; it may be "
                                                  "incomplete.")
                                       .arg(recipe.title));
        result.recipes.append(std::move(recipe));
        reader.reset();
    };
    for (QStringView line : QStringView(text).tokenize(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        line = rightTrimmed(line);
        if (isHeader(line)) {
            if (reader)
                finish(false);
            reader.emplace();
        } else if (reader && !reader->take(line)) {
            finish(true);
        }
    }
    if (reader)
        finish(false);
    return result;
}

ReadResult read(QIODevice* device)
{
    return read(device->readAll());
}

} // namespace zestora::mealmaster
