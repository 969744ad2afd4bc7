#include "core/exchange/mealmaster.h"

#include "core/exchange/storedrecipe.h"
#include "core/text.h"

#include <QIODevice>
#include <QStringDecoder>
#include <QVarLengthArray>

namespace zestora::mealmaster {

namespace {

struct UnitName {
    QByteArrayView code;
    QByteArrayView unit;
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
    {"ts", "teaspoon"},   {"tb", "tablespoon"}, {"tb", "tbsp"}, {"fl", "fluid ounce"},
    {"oz", "ounce"},      {"lb", "pound"},      {"g", "gram"},  {"kg", "kilogram"},
    {"ml", "milliliter"}, {"ml", "millilitre"}, {"l", "litre"}, {"ga", "gal"},
    {"pk", "pkg"},        {"pk", "packet"}};

constexpr QByteArrayView header("MMMMM----- Recipe via Meal-Master (tm) v8.05");
constexpr QByteArrayView endLine("MMMMM");
constexpr QByteArrayView oldEndLine("-----");
constexpr QByteArrayView crLf("\r\n");
constexpr QByteArrayView dashes("-----------------------------------------------------------------"
                                "--------------");
constexpr QByteArrayView blanks("                                                                 "
                                "              ");

constexpr qsizetype quantityColumns = 7;
constexpr qsizetype unitColumns = 2;
constexpr qsizetype textColumn = 11; // zero-based: column 12
constexpr qsizetype textWidth = 28;  // columns 12 to 39
constexpr qsizetype lineWidth = 79;
constexpr qsizetype directionsIndent = 2;

bool equalIgnoringCase(QByteArrayView a, QByteArrayView b)
{
    // The first letter turns most names away before the full comparison.
    return a.size() == b.size() && (a.isEmpty() || (a[0] | 0x20) == (b[0] | 0x20)) &&
           QLatin1StringView(a).compare(QLatin1StringView(b), Qt::CaseInsensitive) == 0;
}

// Runs of a character, up to a line's width.
QByteArrayView run(QByteArrayView of, qsizetype count)
{
    return of.first(qBound<qsizetype>(0, count, of.size()));
}

QByteArrayView codeIn(QByteArrayView unit, const auto& table)
{
    for (const UnitName& name : table)
        if (equalIgnoringCase(unit, name.unit))
            return name.code;
    return {};
}

QByteArrayView codeOf(QByteArrayView unit)
{
    unit = trimmedSpaces(unit);
    if (unit.isEmpty())
        return {};
    QByteArrayView code = codeIn(unit, unitCodes);
    if (code.isEmpty())
        code = codeIn(unit, otherNames);
    if (code.isEmpty() && (unit.endsWith('s') || unit.endsWith('S')))
        code = codeIn(unit.chopped(1), unitCodes);
    return code;
}

// Calls piece with the text cut into pieces of at most first, then width characters, each break
// made at a blank that follows a word; the blank goes, any further blanks lead the next piece. A
// word longer than a piece stays whole on a longer line, since a reader joins the pieces with a
// blank.
template <typename Piece>
void wrap(QByteArrayView text, qsizetype first, qsizetype width, const Piece& piece)
{
    const auto isBreak = [&text](qsizetype i) {
        return text[i] == ' ' && text[i - 1] != ' ';
    };
    qsizetype start = 0;
    qsizetype room = first;
    bool firstPiece = true;
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
        piece(text.sliced(start, cut - start), firstPiece);
        firstPiece = false;
        start = cut + 1;
        room = width;
    }
    piece(text.sliced(start), firstPiece);
}

// Writes one recipe in code page 1252 bytes, part by part.
class Writer {
public:
    Writer(QByteArray& out, QByteArrayView title, QByteArrayView yield, QByteArrayView categories)
        : m_out(out)
    {
        m_out.append(header).append(crLf).append(crLf);
        m_out.append("      Title: ").append(title).append(crLf);
        m_out.append(" Categories: ")
            .append(categories.isEmpty() ? QByteArrayView("None") : categories)
            .append(crLf);
        m_out.append("      Yield: ").append(yield).append(crLf).append(crLf);
    }

    void heading(QByteArrayView text)
    {
        const qsizetype count = qMax<qsizetype>(4, lineWidth - endLine.size() - text.size());
        m_out.append(endLine)
            .append(run(dashes, count / 2))
            .append(text)
            .append(run(dashes, count - count / 2))
            .append(crLf);
    }

    void ingredient(QByteArrayView quantity, QByteArrayView unit, QByteArrayView text)
    {
        if (quantity.size() > quantityColumns || unit.size() > unitColumns) {
            // Fields that do not fit their columns are kept in the text.
            QByteArray all;
            for (QByteArrayView part : {quantity, unit, text})
                if (!part.isEmpty())
                    all.append(all.isEmpty() ? "" : " ").append(part);
            ingredient({}, {}, all);
            return;
        }
        wrap(text, textWidth, textWidth - 1,
             [this, quantity, unit](QByteArrayView piece, bool first) {
                 if (!first) {
                     m_out.append(run(blanks, textColumn)).append('-').append(piece).append(crLf);
                     return;
                 }
                 const qsizetype lineStart = m_out.size();
                 m_out.append(quantityColumns - quantity.size(), ' ')
                     .append(quantity)
                     .append(' ')
                     .append(unit)
                     .append(unitColumns - unit.size(), ' ')
                     .append(' ')
                     .append(piece);
                 while (m_out.size() > lineStart && m_out.endsWith(' '))
                     m_out.chop(1);
                 m_out.append(crLf);
             });
    }

    // A blank line goes before the first paragraph, after the ingredients, and before each
    // further one; an empty paragraph is that blank line alone.
    void paragraph(QByteArrayView text)
    {
        m_out.append(crLf);
        const qsizetype width = lineWidth - directionsIndent;
        if (!text.isEmpty())
            wrap(text, width, width, [this](QByteArrayView piece, bool) {
                m_out.append(run(blanks, directionsIndent)).append(piece).append(crLf);
            });
    }

    void end() { m_out.append(crLf).append(endLine).append(crLf).append(crLf); }

private:
    QByteArray& m_out;
};

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
    return line == QLatin1StringView(endLine) || line == QLatin1StringView(oldEndLine);
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

// Where the right ingredient of a line in two columns starts, and that ingredient: at column 42
// as Meal-Master writes it, or at column 41, after the left one's 28 columns of text and blanks.
std::optional<std::pair<qsizetype, Ingredient>> rightColumn(QStringView line)
{
    constexpr qsizetype leftWidth = textColumn + textWidth;
    for (const qsizetype start : {leftWidth + 2, leftWidth + 1}) {
        if (line.size() <= start || !line.sliced(leftWidth, start - leftWidth).trimmed().isEmpty())
            continue;
        if (std::optional<Ingredient> right = ingredientLine(line.sliced(start));
            right && !right->text.isEmpty())
            return std::pair(start, std::move(*right));
    }
    return std::nullopt;
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
    Recipe& recipe()
    {
        takeRightColumn();
        return m_recipe;
    }

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
            takeRightColumn();
            m_recipe.ingredients.append({{}, {}, headingText(line), true});
            return true;
        }
        // Two ingredients side by side: the right column of a group follows its left column.
        const auto right = rightColumn(line);
        const QStringView left = right ? rightTrimmed(line.first(right->first)) : line;
        std::optional<Ingredient> ingredient = ingredientLine(left);
        if (!ingredient && !(right && left.isEmpty())) {
            takeRightColumn();
            m_part = Part::Directions;
            return takeDirection(line);
        }
        if (right)
            m_right.append(right->second);
        if (ingredient)
            append(*ingredient, left.sliced(qMin(left.size(), textColumn)));
        return true;
    }

    // An ingredient, or the text of the one before going on after a dash, any blanks after the
    // dash kept.
    void append(const Ingredient& ingredient, QStringView text)
    {
        QList<Ingredient>& list = m_recipe.ingredients;
        if (ingredient.quantity.isEmpty() && ingredient.unit.isEmpty() &&
            ingredient.text.startsWith(u'-') && !list.isEmpty() && !list.back().heading) {
            list.back().text += u' ' + text.sliced(text.indexOf(u'-') + 1);
            return;
        }
        list.append(ingredient);
    }

    // The right column of the group read so far; a dash at its top goes on with the left
    // column's last ingredient.
    void takeRightColumn()
    {
        for (const Ingredient& ingredient : std::exchange(m_right, {}))
            append(ingredient, ingredient.text);
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
    QList<Ingredient> m_right; // the right column of two, until its group ends
    Part m_part = Part::Top;
    bool m_seenField = false;
    int m_blankLines = 0;
};

} // namespace

QString unitCode(const QString& measure)
{
    return QString::fromLatin1(codeOf(encodeCp1252(measure)));
}

QString unitOfCode(const QString& code)
{
    for (const UnitName& name : unitCodes)
        if (code == QLatin1StringView(name.code))
            return QString::fromLatin1(name.unit);
    return QString();
}

QByteArray write(const Recipe& recipe)
{
    QByteArray out;
    Writer writer(out, encodeCp1252(recipe.title), encodeCp1252(recipe.yield),
                  encodeCp1252(recipe.categories.join(QStringLiteral(", "))));
    for (const Ingredient& ingredient : recipe.ingredients)
        if (ingredient.heading)
            writer.heading(encodeCp1252(ingredient.text));
        else
            writer.ingredient(encodeCp1252(ingredient.quantity), encodeCp1252(ingredient.unit),
                              encodeCp1252(ingredient.text));
    for (const QString& paragraph : recipe.directions)
        writer.paragraph(encodeCp1252(paragraph));
    writer.end();
    return out;
}

void appendRecipe(QByteArray& out, const StoredRecipe& recipe)
{
    Writer writer(out, recipe.name, recipe.yield(), {});
    QByteArray text;
    for (const StoredRecipe::Line& line : recipe.lines) {
        if (line.heading) {
            writer.heading(trimmedSpaces(line.text));
            continue;
        }
        const QByteArrayView unit = trimmedSpaces(line.unit);
        const QByteArrayView name = trimmedSpaces(line.ingredient);
        const QByteArrayView code = codeOf(unit);
        if (!code.isEmpty() || unit.isEmpty() || equalIgnoringCase(unit, name)) {
            writer.ingredient(trimmedSpaces(line.quantity), code, name);
            continue;
        }
        text.resize(0);
        text.append(unit).append(' ').append(name);
        writer.ingredient(trimmedSpaces(line.quantity), {}, text);
    }
    // The paragraphs are the lines of the directions, less the blanks at their ends and the
    // empty lines before and after them.
    QVarLengthArray<QByteArrayView, 16> paragraphs = recipe.directionLines();
    for (QByteArrayView& paragraph : paragraphs)
        while (paragraph.endsWith(' ') || paragraph.endsWith('\t'))
            paragraph.chop(1);
    qsizetype first = 0;
    qsizetype last = paragraphs.size();
    while (first < last && paragraphs[first].isEmpty())
        ++first;
    while (last > first && paragraphs[last - 1].isEmpty())
        --last;
    for (qsizetype i = first; i < last; ++i)
        writer.paragraph(paragraphs[i]);
    writer.end();
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
