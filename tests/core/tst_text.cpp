#include "core/sortednames.h"
#include "core/text.h"
#include "testsupport.h"

#include <QRandomGenerator>

#include <algorithm>
#include <numeric>

using namespace zestora;

class TestText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyByteRoundTrips();
    void codePage_data();
    void codePage();
    void lowerCaseIsQtsCharacterByCharacter();
    void namesSortAsTheirLowerCaseFormsWithTiesInOrder();
};

void TestText::everyByteRoundTrips()
{
    QByteArray all(256, Qt::Uninitialized);
    for (int code = 0; code < 256; ++code)
        all[code] = static_cast<char>(code);
    const QString text = decodeCp1252(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(encodeCp1252(text), all);
    QVERIFY(!firstCharOutsideCp1252(text));
    // A character beyond the first 65,536 is named whole, not by the first of its two halves.
    const std::optional<char32_t> face = firstCharOutsideCp1252(u"Pie \U0001F967 time"_s);
    QVERIFY(face);
    QCOMPARE(describeChar(*face), u"\"\U0001F967\" (U+1F967)"_s);
}

void TestText::codePage_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("unicode");
    QTest::newRow("ASCII") << 0x41 << 0x41;
    QTest::newRow("euro sign") << 0x80 << 0x20AC;
    QTest::newRow("undefined 0x81 keeps its code") << 0x81 << 0x81;
    QTest::newRow("left double quotation mark") << 0x93 << 0x201C;
    QTest::newRow("undefined 0x90, the recipe line end") << 0x90 << 0x90;
    QTest::newRow("Y with diaeresis") << 0x9F << 0x178;
    QTest::newRow("registered sign, the record start") << 0xAE << 0xAE;
    QTest::newRow("sharp s, the record end") << 0xDF << 0xDF;
    QTest::newRow("y with diaeresis") << 0xFF << 0xFF;
}

void TestText::codePage()
{
    QFETCH(int, byte);
    QFETCH(int, unicode);
    const QString decoded = decodeCp1252(QByteArray(1, static_cast<char>(byte)));
    QCOMPARE(decoded.front().unicode(), unicode);
    QCOMPARE(encodeCp1252(decoded), QByteArray(1, static_cast<char>(byte)));
}

void TestText::lowerCaseIsQtsCharacterByCharacter()
{
    for (char32_t code = 0; code <= 0xFFFF; ++code) {
        const QChar c(static_cast<char16_t>(code));
        QCOMPARE(lowerCaseChar(c), QChar(QChar::toLower(code)));
    }
}

void TestText::namesSortAsTheirLowerCaseFormsWithTiesInOrder()
{
    // Few letters, so that names share long starts, are equal but for case, are each other's
    // beginnings, and hold a zero and the highest character; long lists so that every way through
    // the sort runs.
    const QString letters = u"aAbB\u00e9\u00c9 \u0000\u0160\u0161\uffff"_s;
    QRandomGenerator random(1618);
    for (const int count : {0, 1, 11, 12, 500, 5000}) {
        QStringList names;
        for (int i = 0; i < count; ++i) {
            QString name;
            for (int length = int(random.bounded(10)); length > 0; --length)
                name += letters[random.bounded(letters.size())];
            names.append(name);
        }
        QList<int> expected(count);
        std::iota(expected.begin(), expected.end(), 0);
        std::stable_sort(expected.begin(), expected.end(), [&names](int a, int b) {
            return lowerCase(names[a]) < lowerCase(names[b]);
        });
        QCOMPARE(orderForPeople(names), expected);
        for (int i = 1; i < count; ++i) {
            const QString& a = names[expected[i - 1]];
            const QString& b = names[expected[i]];
            QCOMPARE(compareLowerCase(a, b) <= 0, true);
            QCOMPARE(compareLowerCase(b, a) >= 0, true);
            QCOMPARE(compareLowerCase(a, b) == 0, lowerCase(a) == lowerCase(b));
        }
    }
}

QTEST_GUILESS_MAIN(TestText)
#include "tst_text.moc"
