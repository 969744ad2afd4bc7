#include "core/exchange/recipejson.h"

#include "core/exchange/linenotes.h"
#include "core/exchange/recipeimport.h"
#include "core/exchange/storedrecipe.h"
#include "core/numbers.h"
#include "core/text.h"

#include <array>
#include <cmath>

namespace zestora::recipejson {

namespace {

// What each byte of code page 1252 text becomes inside a JSON string in UTF-8.
const std::array<QByteArray, 256>& jsonBytes()
{
    static const std::array<QByteArray, 256> table = [] {
        std::array<QByteArray, 256> bytes;
        for (int b = 0; b < 256; ++b) {
            const char c = static_cast<char>(b);
            if (b < 0x20)
                bytes[b] = QByteArray("\\u00") + QByteArray::number(b, 16).rightJustified(2, '0');
            else if (c == '"' || c == '\\')
                bytes[b] = QByteArray(1, '\\') + c;
            else
                bytes[b] = decodeCp1252(QByteArrayView(&c, 1)).toUtf8();
        }
        return bytes;
    }();
    return table;
}

// JSON text written with its lines indented, in the layout of an indented JSON document.
class Json {
public:
    Json(QByteArray& out, int indent)
        : m_out(out)
        , m_indent(indent)
    {
    }

    void string(QByteArrayView text)
    {
        const std::array<QByteArray, 256>& bytes = jsonBytes();
        m_out.append('"');
        qsizetype plain = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const auto b = static_cast<unsigned char>(text[i]);
            if (b >= 0x20 && b < 0x80 && b != '"' && b != '\\')
                continue;
            m_out.append(text.sliced(plain, i - plain)).append(bytes[b]);
            plain = i + 1;
        }
        m_out.append(text.sliced(plain)).append('"');
    }
    // "key": and then the value.
    void key(QByteArrayView name)
    {
        item();
        m_out.append('"').append(name).append("\": ");
    }
    void open(char bracket)
    {
        m_out.append(bracket);
        m_first = true;
        m_indent += 4;
    }
    void close(char bracket)
    {
        m_indent -= 4;
        if (!m_first)
            newLine();
        m_out.append(bracket);
        m_first = false;
    }
    // A new element of the array or object open.
    void item()
    {
        if (!m_first)
            m_out.append(',');
        newLine();
        m_first = false;
    }
    void field(QByteArrayView name, QByteArrayView text)
    {
        key(name);
        string(text);
    }

private:
    void newLine() { m_out.append('\n').append(m_indent, ' '); }

    QByteArray& m_out;
    int m_indent;
    bool m_first = true;
};

void nutritionObject(Json& json, const nutrition::RecipeTotals& t,
                     std::optional<double> servingGrams, bool weighed)
{
    const auto grams = [&json](QByteArrayView name, float value) {
        json.field(name, QByteArray(floatText(value).toLatin1() + " g"));
    };
    const auto milligrams = [&json](QByteArrayView name, qint32 value) {
        json.field(name, QByteArray(QByteArray::number(value) + " mg"));
    };
    json.key("nutrition");
    json.open('{');
    json.field("@type", "NutritionInformation");
    // An import takes a serving in grams for the weight of the finished dish, so the sum of the
    // raw lines says what it is and does not come back as a weighed dish.
    if (servingGrams)
        json.field("servingSize", QByteArray(QByteArray::number(std::round(*servingGrams)) +
                                             (weighed ? " g" : " g (raw)")));
    json.field("calories", QByteArray(QByteArray::number(t.totCalories) + " calories"));
    grams("fatContent", t.totFat);
    grams("saturatedFatContent", t.totSatFat);
    milligrams("cholesterolContent", t.totCholesterol);
    milligrams("sodiumContent", t.totSodium);
    grams("carbohydrateContent", t.totCarbs);
    grams("fiberContent", t.totFiber);
    grams("proteinContent", t.totProtein);
    json.close('}');
}

} // namespace

void appendRecipe(QByteArray& out, const StoredRecipe& recipe,
                  const std::optional<nutrition::RecipeTotals>& perServing, int indent,
                  std::optional<double> servingGrams, bool weighed)
{
    Json json(out, indent);
    json.open('{');
    json.field("@context", "https://schema.org");
    json.field("@type", "Recipe");
    const StoredRecipe::Source source = recipe.source();
    json.field("name", source.title.isEmpty() ? recipe.name : source.title);
    if (!source.description.isEmpty())
        json.field("description", source.description);
    json.field("recipeYield", source.makes.isEmpty() ? recipe.yield() : source.makes.toByteArray());
    if (!source.categories.isEmpty()) {
        json.key("recipeCategory");
        json.open('[');
        for (qsizetype start = 0; start <= source.categories.size();) {
            qsizetype end = source.categories.indexOf(", ", start);
            if (end < 0)
                end = source.categories.size();
            json.item();
            json.string(source.categories.sliced(start, end - start));
            start = end + 2;
        }
        json.close(']');
    }

    // The lines an import could not count, kept at the end of the directions, are ingredient
    // lines all the same.
    // The description is a field of its own, not a step.
    QByteArrayView directions = source.directions;
    if (!source.description.isEmpty())
        directions = directions.sliced(qMin(directions.size(), exchange::descriptionLabel.size() +
                                                                   source.description.size() + 4));
    QByteArrayView notCounted;
    if (const qsizetype at = directions.lastIndexOf(exchange::notCountedLabel);
        at >= 0 && (at == 0 || directions.first(at).endsWith("\r\n\r\n")) &&
        directions.sliced(at + exchange::notCountedLabel.size()).startsWith("\r\n")) {
        notCounted = directions.sliced(at + exchange::notCountedLabel.size() + 2);
        directions = directions.first(qMax<qsizetype>(0, at - 4));
    }

    json.key("recipeIngredient");
    json.open('[');
    QByteArray text;
    for (qsizetype i = 0; i < recipe.lines.size(); ++i) {
        const StoredRecipe::Line& line = recipe.lines[i];
        // A heading is a line of its own that ends with a colon; a blank line is an empty one.
        text.resize(0);
        if (line.heading) {
            if (!trimmedSpaces(line.text).isEmpty())
                text.append(trimmedSpaces(line.text)).append(':');
            json.item();
            json.string(text);
            continue;
        }
        text = cookLine(line);
        if (const QByteArrayView note = source.notes.value(i); !note.isEmpty())
            text.append(exchange::noteSeparator).append(note);
        json.item();
        json.string(text);
    }
    for (qsizetype start = 0; start < notCounted.size();) {
        qsizetype end = notCounted.indexOf("\r\n", start);
        if (end < 0)
            end = notCounted.size();
        json.item();
        json.string(notCounted.sliced(start, end - start));
        start = end + 2;
    }
    json.close(']');

    // A step for each paragraph of the directions, its lines kept; the steps of a recipe read
    // back with one empty line between them.
    if (!directions.isEmpty()) {
        json.key("recipeInstructions");
        json.open('[');
        for (qsizetype start = 0; start <= directions.size();) {
            qsizetype end = directions.indexOf("\r\n\r\n", start);
            if (end < 0)
                end = directions.size();
            json.item();
            json.open('{');
            json.field("@type", "HowToStep");
            json.key("text");
            text = directions.sliced(start, end - start).toByteArray();
            json.string(text.replace("\r\n", "\n"));
            json.close('}');
            start = end + 4;
        }
        json.close(']');
    }
    if (perServing)
        nutritionObject(json, *perServing, servingGrams, weighed);
    json.close('}');
}

} // namespace zestora::recipejson
