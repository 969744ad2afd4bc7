#include "core/store/ingtable.h"
#include "core/store/recipemarks.h"
#include "core/store/recipestore.h"
#include "testsupport.h"

#include <QRandomGenerator>

using namespace zestora;
using zestora::testing::TempWorkDir;
using zestora::testing::writeFile;

namespace {

// Random changes to a valid file: flipped bytes, marks dropped in or taken out, cuts and repeats.
QByteArray mutate(QByteArray bytes, QRandomGenerator& random)
{
    const int changes = static_cast<int>(random.bounded(1, 8));
    for (int i = 0; i < changes && !bytes.isEmpty(); ++i) {
        const qsizetype at = random.bounded(static_cast<int>(bytes.size()));
        switch (random.bounded(5)) {
        case 0:
            bytes[at] = static_cast<char>(random.bounded(256));
            break;
        case 1:
            bytes[at] = marks::all[random.bounded(static_cast<int>(marks::all.size()))];
            break;
        case 2:
            bytes.remove(at, random.bounded(1, 40));
            break;
        case 3:
            bytes.truncate(at);
            break;
        default:
            bytes.insert(at, bytes.mid(random.bounded(static_cast<int>(bytes.size())), 30));
            break;
        }
    }
    return bytes;
}

QByteArray randomBytes(QRandomGenerator& random, int maxSize)
{
    QByteArray bytes(random.bounded(maxSize), Qt::Uninitialized);
    for (char& c : bytes)
        c = static_cast<char>(random.bounded(256));
    return bytes;
}

} // namespace

class TestStoreFuzz : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void anyRecipeFileLoadsAndStaysUsable();
    void anyIngredientFileLoadsAndStaysUsable();
};

void TestStoreFuzz::anyRecipeFileLoadsAndStaysUsable()
{
    const TempWorkDir dir;
    const QByteArray valid = QByteArray("\xae"
                                        "Stew\xa7"
                                        "4\xc8\xce"
                                        "Beef\xcf\xbc"
                                        "1 1/2\xca"
                                        "lb\x90\xce\xa5"
                                        "Sauce\x90\xc6\xbf"
                                        "Brown.\r\nSimmer.\xdf  \xae"
                                        "Salad\xa7"
                                        "1/2\xc8\xce"
                                        "Kale\xcf\xd0"
                                        "2.5\xca"
                                        "cup\x90\xc6\xbf\xdf\r\n");
    QRandomGenerator random(99);
    for (int round = 0; round < 3000; ++round) {
        const QByteArray file = round % 3 == 0 ? randomBytes(random, 400) : mutate(valid, random);
        writeFile(u"Recipe.Dat"_s, file);
        RecipeStore store;
        const std::optional<LoadProblem> problem = store.load();
        // Whatever loaded must survive a rewrite and load again the same.
        if (store.count() > 0)
            QVERIFY(store.deleteRecipeByName(store.recipeList().front().recipeName));
        QVERIFY(store.appendRecipe(u"New"_s, u"\u00aeNew\u00a71\u00c8\u00c6\u00bf\u00df"_s));
        RecipeStore reloaded;
        QVERIFY2(!reloaded.load(), qPrintable(QString::fromLatin1(file.toHex())));
        QCOMPARE(reloaded.recipeNames(), store.recipeNames());
        QFile::remove(u"Recipe.Dat.damaged"_s);
        Q_UNUSED(problem);
    }
}

void TestStoreFuzz::anyIngredientFileLoadsAndStaysUsable()
{
    const TempWorkDir dir;
    QRandomGenerator random(7);
    for (int round = 0; round < 2000; ++round) {
        writeFile(u"Ing.dat"_s, randomBytes(random, 800));
        IngTable table;
        table.loadIngTable();
        const QStringList names = table.trimmedNames();
        QVERIFY(table.saveIngTable());
        IngTable reloaded;
        QVERIFY(!reloaded.loadIngTable());
        QCOMPARE(reloaded.trimmedNames(), names);
        QFile::remove(u"Ing.dat.damaged"_s);
    }
}

QTEST_GUILESS_MAIN(TestStoreFuzz)
#include "tst_storefuzz.moc"
