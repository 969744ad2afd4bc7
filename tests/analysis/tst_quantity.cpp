#include "core/analysis/quantity.h"
#include "core/analysis/recipelines.h"
#include "core/textpattern.h"
#include "testsupport.h"

using namespace zestora;
using namespace zestora::quantity;

class TestQuantity : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void quantityString_data();
    void quantityString();
    void quantityValue_data();
    void quantityValue();
    void servings_data();
    void servings();
    void servingsHandOver_data();
    void servingsHandOver();
    void lineForms();
    void entryFieldsReadBackEveryForm_data();
    void entryFieldsReadBackEveryForm();
    void recipeRecord();
    void textPattern_data();
    void textPattern();
};

void TestQuantity::quantityString_data()
{
    QTest::addColumn<QString>("ones");
    QTest::addColumn<int>("fraction");
    QTest::addColumn<bool>("fractionMode");
    QTest::addColumn<QString>("text");
    QTest::addColumn<float>("value");
    QTest::newRow("a third alone") << QString() << 3 << true << QStringLiteral("1/3") << 0.333f;
    QTest::newRow("two and a half")
        << QStringLiteral("2") << 5 << true << QStringLiteral("2 1/2") << 2.5f;
    QTest::newRow("three, no fraction")
        << QStringLiteral("3") << 0 << true << QStringLiteral("3") << 3.0f;
    QTest::newRow("nothing in fractions")
        << QString() << 0 << true << QStringLiteral("Error") << 0.0f;
    QTest::newRow("five tenths") << QStringLiteral("0") << 5 << false << QStringLiteral("0.5")
                                 << 0.5f;
    QTest::newRow("two point five")
        << QStringLiteral("2") << 5 << false << QStringLiteral("2.5") << 2.5f;
    QTest::newRow("whole in decimals")
        << QStringLiteral("7") << 0 << false << QStringLiteral("7") << 7.0f;
    QTest::newRow("nothing in decimals")
        << QStringLiteral("0") << 0 << false << QStringLiteral("Error") << 0.0f;
}

void TestQuantity::quantityString()
{
    QFETCH(QString, ones);
    QFETCH(int, fraction);
    QFETCH(bool, fractionMode);
    QFETCH(QString, text);
    QFETCH(float, value);
    const QString fractionPart = fractionMode ? fractionText(fraction) : QString::number(fraction);
    QCOMPARE(putTogetherQuantityString(ones, fractionPart, fractionMode), text);
    const float spinnerValue = ones.toFloat() + (fractionMode ? fractionValue(fraction)
                                                              : static_cast<float>(fraction) / 10);
    QCOMPARE(spinnerValue, value);
}

void TestQuantity::quantityValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<float>("value");
    QTest::newRow("two and a half") << QStringLiteral("2 1/2") << 2.5f;
    QTest::newRow("seven eighths") << QStringLiteral("7/8") << 0.875f;
    QTest::newRow("a third is a true third, not 0.333") << QStringLiteral("1/3") << 1.0f / 3;
    QTest::newRow("ten and three quarters") << QStringLiteral("10 3/4") << 10.75f;
    QTest::newRow("a decimal") << QStringLiteral("2.5") << 2.5f;
    QTest::newRow("a whole servings number") << QStringLiteral("991") << 991.0f;
    QTest::newRow("not a number") << QStringLiteral("lots") << 0.0f;
    QTest::newRow("a damaged fraction") << QStringLiteral("1/") << 0.0f;
    QTest::newRow("a zero denominator") << QStringLiteral("1/0") << 0.0f;
}

void TestQuantity::quantityValue()
{
    QFETCH(QString, text);
    QFETCH(float, value);
    QCOMPARE(quantity::quantityValue(text), value);
}

void TestQuantity::servings_data()
{
    QTest::addColumn<int>("spinner");
    QTest::addColumn<QString>("text");
    QTest::addColumn<float>("divisor");
    QTest::newRow("lowest") << 1 << QStringLiteral("1/8") << 0.125f;
    QTest::newRow("a third as 0.333") << 3 << QStringLiteral("1/3") << 0.333f;
    QTest::newRow("two thirds as 0.666") << 7 << QStringLiteral("2/3") << 0.666f;
    QTest::newRow("nine") << 9 << QStringLiteral("7/8") << 0.875f;
    QTest::newRow("ten is one") << 10 << QStringLiteral("1") << 1.0f;
    QTest::newRow("highest") << 1000 << QStringLiteral("991") << 991.0f;
}

void TestQuantity::servings()
{
    QFETCH(int, spinner);
    QFETCH(QString, text);
    QFETCH(float, divisor);
    const Servings s = servingsFor(spinner);
    QCOMPARE(s.text, text);
    QCOMPARE(s.divisor, divisor);
    QCOMPARE(servingsSpinnerValue(s.text, s.divisor), spinner);
}

void TestQuantity::servingsHandOver_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<float>("divisor");
    QTest::addColumn<int>("spinner");
    QTest::newRow("a fraction by its text") << QStringLiteral("3/8") << 0.375f << 4;
    QTest::newRow("a whole number by its divisor") << QStringLiteral("6") << 6.0f << 15;
    QTest::newRow("an impossible divisor stays in range") << QStringLiteral("x") << 5000.0f << 1000;
}

void TestQuantity::servingsHandOver()
{
    QFETCH(QString, text);
    QFETCH(float, divisor);
    QFETCH(int, spinner);
    QCOMPARE(servingsSpinnerValue(text, divisor), spinner);
}

void TestQuantity::lineForms()
{
    const QString entry = lines::ingredientEntry(QStringLiteral("Flour"), true,
                                                 QStringLiteral("1 1/2"), QStringLiteral("cup"));
    QCOMPARE(entry, QStringLiteral("\u00ceFlour\u00cf\u00bc1 1/2\u00cacup\u0090"));
    QCOMPARE(lines::ingredientRow(QStringLiteral("Flour"), QStringLiteral("1 1/2"),
                                  QStringLiteral("cup")),
             QStringLiteral("1 1/2  cup     Flour"));
    QCOMPARE(
        lines::ingredientRow(QStringLiteral("Egg"), QStringLiteral("2"), QStringLiteral("egg")),
        QStringLiteral("2  egg"));
    QCOMPARE(lines::ingredientEntry(QStringLiteral("Milk"), false, QStringLiteral("0.5"),
                                    QStringLiteral("l")),
             QStringLiteral("\u00ceMilk\u00cf\u00d00.5\u00cal\u0090"));
    QCOMPARE(lines::headingEntry(QStringLiteral("Sauce")),
             QStringLiteral("\u00ce\u00a5Sauce\u0090"));
    QCOMPARE(lines::headingEntry(lines::blankLine), QStringLiteral("\u00ce\u00a5 \u0090"));
}

void TestQuantity::entryFieldsReadBackEveryForm_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("unit");
    QTest::newRow("fraction mode")
        << lines::ingredientEntry(QStringLiteral("Flour"), true, QStringLiteral("2 1/2"),
                                  QStringLiteral("cup"))
        << QStringLiteral("Flour") << QStringLiteral("2 1/2") << QStringLiteral("cup");
    QTest::newRow("decimal mode") << lines::ingredientEntry(QStringLiteral("Milk"), false,
                                                            QStringLiteral("0.5"),
                                                            QStringLiteral("ml"))
                                  << QStringLiteral("Milk") << QStringLiteral("0.5")
                                  << QStringLiteral("ml");
    QTest::newRow("a heading has no name")
        << lines::headingEntry(QStringLiteral("Sauce")) << QString() << QString() << QString();
}

void TestQuantity::entryFieldsReadBackEveryForm()
{
    QFETCH(QString, entry);
    QFETCH(QString, name);
    QFETCH(QString, quantity);
    QFETCH(QString, unit);
    const lines::EntryFields fields = lines::entryFields(entry);
    QCOMPARE(fields.name, name);
    QCOMPARE(fields.quantity, quantity);
    if (!name.isEmpty())
        QCOMPARE(fields.unit, unit);
}

void TestQuantity::recipeRecord()
{
    const QString record =
        lines::recipeRecord(QStringLiteral(" Pie "), QStringLiteral("1/2"),
                            {lines::ingredientEntry(QStringLiteral("Apple"), true,
                                                    QStringLiteral("3"), QStringLiteral("each"))},
                            QStringLiteral("  "));
    QCOMPARE(record, QStringLiteral("\u00aePie\u00a71/2\u00c8\u00ceApple\u00cf\u00bc3\u00caeach"
                                    "\u0090\u00c6\u00bf\u00df"));
}

void TestQuantity::textPattern_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("matches");
    QTest::newRow("equal ignoring case")
        << QStringLiteral("Apple Pie") << QStringLiteral("apple pie") << true;
    QTest::newRow("a star") << QStringLiteral("Apple Pie") << QStringLiteral("apple*") << true;
    QTest::newRow("a question mark") << QStringLiteral("Pie 2") << QStringLiteral("pie ?") << true;
    QTest::newRow("a digit sign") << QStringLiteral("Pie 2") << QStringLiteral("Pie #") << true;
    QTest::newRow("a digit sign wants a digit")
        << QStringLiteral("Pie x") << QStringLiteral("Pie #") << false;
    QTest::newRow("a list") << QStringLiteral("Bread") << QStringLiteral("[AB]read") << true;
    QTest::newRow("a negated list")
        << QStringLiteral("Bread") << QStringLiteral("[!AB]read") << false;
    QTest::newRow("a range") << QStringLiteral("bread") << QStringLiteral("[a-c]read") << true;
    QTest::newRow("regular expression characters are plain")
        << QStringLiteral("Milk (2%)") << QStringLiteral("Milk (2%)") << true;
    QTest::newRow("an unclosed bracket matches nothing")
        << QStringLiteral("Milk [") << QStringLiteral("Milk [") << false;
    QTest::newRow("a longer text does not match")
        << QStringLiteral("Apple Pie") << QStringLiteral("Apple") << false;
}

void TestQuantity::textPattern()
{
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QFETCH(bool, matches);
    QCOMPARE(TextPattern(pattern).matches(text), matches);
    QCOMPARE(equalsOrMatches(text, pattern),
             matches || text.compare(pattern, Qt::CaseInsensitive) == 0);
}

QTEST_GUILESS_MAIN(TestQuantity)
#include "tst_quantity.moc"
