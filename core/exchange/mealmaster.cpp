#include "core/exchange/mealmaster.h"

#include "core/exchange/linenotes.h"
#include "core/exchange/plaintext.h"
#include "core/exchange/storedrecipe.h"
#include "core/recipes/cookedweights.h"
#include "core/text.h"

#include <QIODevice>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QVarLengthArray>

#include <span>

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
// Codes some programs write, read but not written, since others do not know them.
constexpr UnitName readOnlyCodes[] = {{"st", "stick"}, {"cv", "clove"}, {"sp", "sprig"}};
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
constexpr qsizetype labelEnd = 11; // the colon of "Title:"
// A text alone is an ingredient when indented this far; directions are indented less.
constexpr qsizetype looseTextIndent = 8;
// Longer than an ingredient line is written.
constexpr qsizetype proseLength = 60;

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

// The unit a code the writer uses stands for.
QByteArrayView unitIn(QByteArrayView code)
{
    for (const UnitName& name : unitCodes)
        if (name.code == code)
            return name.unit;
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
// blank. Directions break nowhere a piece would start with a digit, which readers take for the
// amount of an ingredient.
template <typename Piece>
void wrap(QByteArrayView text, qsizetype first, qsizetype width, bool noDigitFirst,
          const Piece& piece)
{
    const auto isBreak = [&text, noDigitFirst](qsizetype i) {
        if (text[i] != ' ' || text[i - 1] == ' ')
            return false;
        qsizetype next = i + 1;
        while (next < text.size() && text[next] == ' ')
            ++next;
        return !noDigitFirst || next == text.size() || text[next] < '0' || text[next] > '9';
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
    Writer(QByteArray& out, QByteArrayView title, QByteArrayView yield, QByteArrayView categories,
           const QByteArrayList& notes = {})
        : m_out(out)
    {
        m_out.append(header).append(crLf).append(crLf);
        m_out.append("      Title: ").append(title).append(crLf);
        m_out.append(" Categories: ")
            .append(categories.isEmpty() ? QByteArrayView("None") : categories)
            .append(crLf);
        m_out.append("      Yield: ").append(yield).append(crLf);
        // Other fields, their labels ending where the others' do.
        for (const QByteArray& note : notes)
            m_out.append(qMax<qsizetype>(1, labelEnd - note.indexOf(':')), ' ')
                .append(note)
                .append(crLf);
        m_out.append(crLf);
    }

    // A blank line of the list: a line with nothing on it, as readers skip it.
    void blankLine() { m_out.append(crLf); }

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
        wrap(text, textWidth, textWidth - 1, false,
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
            wrap(text, width, width, true, [this](QByteArrayView piece, bool) {
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

qsizetype leadingBlanks(QStringView line)
{
    qsizetype count = 0;
    while (count < line.size() && line[count] == u' ')
        ++count;
    return count;
}

// A unit code as files write it: the one-letter codes by their case ("t" teaspoon, "T"
// tablespoon), the others in any case ("Tb", "OZ").
std::optional<QByteArrayView> unitNamed(QStringView code)
{
    const auto find = [&code](const auto& table,
                              Qt::CaseSensitivity sensitivity) -> std::optional<QByteArrayView> {
        for (const UnitName& name : table)
            if (QLatin1StringView(name.code).compare(code, sensitivity) == 0)
                return name.code;
        return std::nullopt;
    };
    if (std::optional<QByteArrayView> exact = find(unitCodes, Qt::CaseSensitive))
        return exact;
    if (std::optional<QByteArrayView> exact = find(readOnlyCodes, Qt::CaseSensitive))
        return exact;
    if (code.size() == 1 && code.compare(u"t", Qt::CaseInsensitive) == 0)
        return std::nullopt;
    if (std::optional<QByteArrayView> other = find(unitCodes, Qt::CaseInsensitive))
        return other;
    return find(readOnlyCodes, Qt::CaseInsensitive);
}

bool isUnitCode(QStringView code)
{
    return code.isEmpty() || unitNamed(code).has_value();
}

// An ingredient line in the columns the format keeps: a quantity (digits, fractions, a range) in
// columns 1 to 7, a unit code or nothing in columns 9 and 10, blanks between.
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
    return Ingredient{quantity.toString().simplified(),
                      unitNamed(unit) ? unit.toString() : QString(),
                      column(textColumn, line.size()).trimmed().toString(), false};
}

// An ingredient line whose fields stand in other columns, as some programs write them
// ("    1/2   c Unsalted butter"): an amount, a unit code or none, the text; or, indented
// further than directions are, a text alone.
std::optional<Ingredient> looseIngredientLine(QStringView line)
{
    static const QRegularExpression amount(QStringLiteral(
        R"(^\s*((?:\d+\s+)?\d+/\d+|\d*\.\d+|\d+)(\s*-\s*(?:(?:\d+\s+)?\d+/\d+|\d*\.\d+|\d+))?)"
        R"((?=\s|$)\s*(.*)$)"));
    Ingredient ingredient;
    QStringView rest = line.trimmed();
    if (const QRegularExpressionMatch match = amount.match(line); match.hasMatch()) {
        ingredient.quantity = QString(match.captured(1) + match.captured(2)).simplified();
        rest = match.capturedView(3);
    } else if (leadingBlanks(line) < looseTextIndent) {
        return std::nullopt;
    }
    const qsizetype blank = rest.indexOf(u' ');
    if (blank > 0 && unitNamed(rest.first(blank))) {
        ingredient.unit = rest.first(blank).toString();
        rest = rest.sliced(blank).trimmed();
    }
    ingredient.text = rest.toString();
    if (ingredient.text.isEmpty())
        return std::nullopt;
    return ingredient;
}

// Where the right ingredient of a line in two columns starts, and that ingredient: at column 42
// as Meal-Master writes it, or wherever its quantity columns begin after at least two blanks.
std::optional<std::pair<qsizetype, Ingredient>> rightColumn(QStringView line)
{
    constexpr qsizetype standard = textColumn + textWidth + 2;
    const auto at = [&line](qsizetype start) -> std::optional<std::pair<qsizetype, Ingredient>> {
        if (line.size() <= start || start < 2 || line[start - 1] != u' ' || line[start - 2] != u' ')
            return std::nullopt;
        std::optional<Ingredient> right = ingredientLine(line.sliced(start));
        // A text alone, or the text going on after a dash, could start in any of several
        // columns: it is taken where its own column is.
        if (!right || right->text.isEmpty() ||
            (right->quantity.isEmpty() &&
             (line.size() <= start + textColumn || line[start + textColumn] == u' ' ||
              line[start + textColumn - 1] != u' ')))
            return std::nullopt;
        return std::pair(start, std::move(*right));
    };
    for (qsizetype offset = 0; offset <= 6; ++offset)
        for (const qsizetype start : {standard - offset, standard + offset})
            if (std::optional<std::pair<qsizetype, Ingredient>> found = at(start))
                return found;
    return std::nullopt;
}

// The fields of a header line, each a label and its value: "Source: Grandma"; some programs put
// two on a line, two blanks or more between them ("Serving Size  : 6    Preparation Time :0:45").
QList<std::pair<QString, QString>> labelledFields(QStringView trimmed)
{
    static const QRegularExpression label(
        QStringLiteral(R"((?:^|\s{2,})([A-Za-z][A-Za-z /&'-]{0,29}?)\s*:\s*)"));
    QList<std::pair<QString, QString>> fields;
    QRegularExpressionMatchIterator found = label.globalMatch(trimmed);
    if (!found.hasNext() || found.peekNext().capturedStart() != 0)
        return fields;
    while (found.hasNext()) {
        const QRegularExpressionMatch match = found.next();
        const qsizetype end = found.hasNext() ? found.peekNext().capturedStart() : trimmed.size();
        fields.append(
            {match.captured(1),
             trimmed.sliced(match.capturedEnd(), end - match.capturedEnd()).trimmed().toString()});
    }
    return fields;
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
        const std::optional<Ingredient> ingredient = ingredientLine(line);
        const QList<std::pair<QString, QString>> fields =
            ingredient && !ingredient->quantity.isEmpty() ? QList<std::pair<QString, QString>>()
                                                          : labelledFields(line.trimmed());
        if (fields.isEmpty()) {
            m_part = Part::Ingredients;
            return takeIngredient(line);
        }
        for (const auto& [label, value] : fields)
            takeField(label, value);
        m_seenField = true;
        return true;
    }

    void takeField(const QString& label, const QString& value)
    {
        const auto is = [&label](QStringView name) {
            return label.compare(name, Qt::CaseInsensitive) == 0;
        };
        if (is(u"Title")) {
            m_recipe.title = value;
        } else if (is(u"Categories")) {
            for (const QString& category : value.split(u','))
                if (!category.trimmed().isEmpty())
                    m_recipe.categories.append(category.trimmed());
            if (m_recipe.categories == QStringList{QStringLiteral("None")})
                m_recipe.categories.clear();
        } else if ((is(u"Yield") || is(u"Servings") || is(u"Serving Size")) &&
                   m_recipe.yield.isEmpty()) {
            m_recipe.yield = value;
        } else if (!value.isEmpty()) {
            m_recipe.notes.append(label + QStringLiteral(": ") + value);
        }
    }

    bool takeIngredient(QStringView line)
    {
        if (line.isEmpty()) {
            ++m_blankLines;
            return true;
        }
        if (isHeading(line)) {
            takeRightColumn();
            keepBlankLines();
            m_recipe.ingredients.append({{}, {}, headingText(line), true});
            return true;
        }
        // Two ingredients side by side: the right column of a group follows its left column.
        const auto right = rightColumn(line);
        const QStringView left = right ? rightTrimmed(line.first(right->first)) : line;
        std::optional<Ingredient> ingredient = ingredientLine(left);
        if (!ingredient && !right && (m_blankLines == 0 || !readsAsProse(left)))
            ingredient = looseIngredientLine(left);
        if (!ingredient && !(right && left.isEmpty())) {
            takeRightColumn();
            m_part = Part::Directions;
            return takeDirection(line);
        }
        keepBlankLines();
        if (right)
            m_right.append(right->second);
        if (ingredient)
            append(*ingredient, ingredient->text);
        return true;
    }

    // Blank lines before and between ingredients are the blank lines of the list; those after
    // the last one only lead to the directions.
    void keepBlankLines()
    {
        if (m_blankLines > 0)
            takeRightColumn();
        for (; m_blankLines > 0; --m_blankLines)
            m_recipe.ingredients.append({{}, {}, {}, true});
    }

    // A sentence after a blank line starts the directions, though it starts with a number ("350
    // degrees is hot enough.").
    static bool readsAsProse(QStringView line)
    {
        const QStringView text = line.trimmed();
        return text.size() > proseLength || text.endsWith(u'.') || text.endsWith(u'!');
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
        // A heading or an ingredient in its columns after some directions starts another group
        // of ingredients.
        const std::optional<Ingredient> ingredient = ingredientLine(line);
        if ((isHeading(line) && !headingText(line).isEmpty()) ||
            (ingredient && !ingredient->quantity.isEmpty() && !ingredient->text.isEmpty())) {
            m_part = Part::Ingredients;
            m_blankLines = 0;
            return takeIngredient(line);
        }
        qsizetype indent = 0;
        while (indent < directionsIndent && indent < line.size() && line[indent] == u' ')
            ++indent;
        const QStringView text = line.sliced(indent);
        QStringList& paragraphs = m_recipe.directions;
        // A labelled line ("Serving Size  : 6", as some programs end their directions) starts a
        // paragraph of its own.
        static const QRegularExpression labelled(
            QStringLiteral(R"(^\p{Lu}[\w'-]*(?: [\w'-]+){0,3} *:)"));
        if (!paragraphs.isEmpty() && m_blankLines == 0 && !labelled.match(text).hasMatch()) {
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
    const std::optional<QByteArrayView> named = unitNamed(code);
    if (!named)
        return QString();
    for (const std::span<const UnitName> table :
         {std::span<const UnitName>(unitCodes), std::span<const UnitName>(readOnlyCodes)})
        for (const UnitName& name : table)
            if (name.code == *named)
                return QString::fromLatin1(name.unit);
    return QString();
}

QByteArray write(const Recipe& recipe)
{
    QByteArray out;
    const auto bytes = [](const QString& text) {
        return encodeCp1252(exchange::plainText(text));
    };
    QByteArrayList notes;
    for (const QString& note : recipe.notes)
        notes.append(bytes(note));
    Writer writer(out, bytes(recipe.title), bytes(recipe.yield),
                  bytes(recipe.categories.join(QStringLiteral(", "))), notes);
    for (const Ingredient& ingredient : recipe.ingredients)
        if (ingredient.heading && ingredient.text.trimmed().isEmpty())
            writer.blankLine();
        else if (ingredient.heading)
            writer.heading(bytes(ingredient.text));
        else
            writer.ingredient(bytes(ingredient.quantity), bytes(ingredient.unit),
                              bytes(ingredient.text));
    for (const QString& paragraph : recipe.directions)
        writer.paragraph(bytes(paragraph));
    writer.end();
    return out;
}

void appendRecipe(QByteArray& out, const StoredRecipe& recipe, std::optional<double> cookedGrams)
{
    const StoredRecipe::Source source = recipe.source();
    Writer writer(
        out, source.title.isEmpty() ? recipe.name : source.title,
        source.makes.isEmpty() ? recipe.yield() : source.makes.toByteArray(), source.categories,
        cookedGrams ? QByteArrayList{cookedWeightNote(*cookedGrams).toLatin1()} : QByteArrayList{});
    QByteArray text;
    QByteArray quantity;
    for (qsizetype i = 0; i < recipe.lines.size(); ++i) {
        const StoredRecipe::Line& line = recipe.lines[i];
        if (line.heading && trimmedSpaces(line.text).isEmpty()) {
            writer.blankLine();
            continue;
        }
        if (line.heading) {
            writer.heading(trimmedSpaces(line.text));
            continue;
        }
        quantity = writtenQuantity(line);
        const QByteArrayView unit = trimmedSpaces(line.unit);
        const QByteArrayView name = trimmedSpaces(line.ingredient);
        // A code only where it reads back as the very unit.
        const QByteArrayView code = codeOf(unit);
        const bool coded = !code.isEmpty() && equalIgnoringCase(unitIn(code), unit);
        text.resize(0);
        if (!coded && !unit.isEmpty() && !equalIgnoringCase(unit, name))
            text.append(unit).append(' ');
        text.append(name);
        if (const QByteArrayView note = source.notes.value(i); !note.isEmpty())
            text.append(exchange::noteSeparator).append(note);
        writer.ingredient(quantity, coded ? code : QByteArrayView(), text);
    }
    // The paragraphs are the lines of the directions, less the blanks at their ends and the
    // empty lines before and after them.
    QVarLengthArray<QByteArrayView, 16> paragraphs =
        StoredRecipe::directionLines(source.directions);
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

ReadResult read(QByteArrayView bytes, const ReadProgress& progress)
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
        // The empty part after the last line break starts where the text ends: told below.
        if (const qsizetype at = line.data() - text.data();
            progress && at < text.size() && !progress(at, text.size()))
            return result;
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
    if (progress)
        progress(text.size(), text.size());
    return result;
}

ReadResult read(QIODevice* device)
{
    return read(device->readAll());
}

} // namespace zestora::mealmaster
