#include "benchdata.h"

#include "core/store/ingtable.h"
#include "core/store/recipemarks.h"
#include "core/text.h"

#include <QDir>
#include <QFile>

namespace zestora::bench {

namespace {
QString mark(char m)
{
    return QString(marks::asChar(m));
}

QString ingredientName(int i)
{
    return QStringLiteral("Ingredient %1 with a longer name").arg(i);
}

void write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}
} // namespace

QString recipeRecord(const QString& name, int lines, int seed, int ingredients)
{
    QString record = mark(marks::recordStart) + name + mark(marks::bodyStart) +
                     QStringLiteral("4") + mark(marks::servingsEnd);
    for (int line = 0; line < lines; ++line)
        record += mark(marks::lineStart) + ingredientName((seed * 31 + line * 977) % ingredients) +
                  mark(marks::nameEnd) + mark(marks::fractionMode) + QStringLiteral("1 1/2") +
                  mark(marks::quantityEnd) + QStringLiteral("cup") + mark(marks::lineEnd);
    return record + mark(marks::linesEnd) + mark(marks::directionsStart) +
           QStringLiteral("Mix everything in a large bowl.\r\nBake for forty minutes.") +
           mark(marks::recordEnd);
}

void makeData(const QString& dir, int ingredients, int recipes, int lines)
{
    QDir().mkpath(dir);
    QList<IngRecord> records;
    records.reserve(ingredients);
    for (int i = 0; i < ingredients; ++i) {
        IngRecord r;
        r.name = ingredientName(i);
        r.amount1 = 1;
        r.measure1 = QStringLiteral("cup");
        r.amount2 = 240;
        r.measure2 = QStringLiteral("g");
        r.calories = static_cast<float>(i % 500);
        r.fat = 2.5f;
        records.append(r);
    }
    write(QDir(dir).filePath(QStringLiteral("Ing.dat")), IngTable::toBytes(records));

    QString text;
    for (int i = 0; i < recipes; ++i)
        text += recipeRecord(QStringLiteral("Recipe %1").arg(i), lines, i, qMax(ingredients, 1));
    write(QDir(dir).filePath(QStringLiteral("Recipe.Dat")), encodeCp1252(text) + "\r\n");
}

const char* const pastedRecipe = "Weeknight Chili and Cornbread\n"
                                 "1 lb lean ground beef\n"
                                 "1 large onion, diced\n"
                                 "3 cloves garlic, minced\n"
                                 "1 green bell pepper, chopped\n"
                                 "2 (15 oz) cans kidney beans, drained and rinsed\n"
                                 "1 (28 oz) can crushed tomatoes\n"
                                 "2 tbsp chili powder\n"
                                 "1 tsp ground cumin\n"
                                 "1/2 tsp cayenne pepper\n"
                                 "Salt and freshly ground black pepper to taste\n"
                                 "1 cup shredded cheddar cheese\n"
                                 "1/2 cup sour cream\n"
                                 "1 cup yellow cornmeal\n"
                                 "1 cup all-purpose flour\n"
                                 "1/4 cup sugar\n"
                                 "1 tbsp baking powder\n"
                                 "1 cup buttermilk\n"
                                 "1 large egg\n"
                                 "1/3 cup vegetable oil\n"
                                 "2 scallions, thinly sliced\n";

} // namespace zestora::bench
