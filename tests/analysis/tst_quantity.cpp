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
    void entryFieldsReadBackEveryForm_data();
    void entryFieldsReadBackEveryForm();
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
    QTest::newRow("a third alone") << QString() << 3 << true << u"1/3"_s << 0.333f;
    QTest::newRow("two and a half") << u"2"_s << 5 << true << u"2 1/2"_s << 2.5f;
    QTest::newRow("three, no fraction") << u"3"_s << 0 << true << u"3"_s << 3.0f;
    QTest::newRow("nothing in fractions") << QString() << 0 << true << u"Error"_s << 0.0f;
    QTest::newRow("five tenths") << u"0"_s << 5 << false << u"0.5"_s << 0.5f;
    QTest::newRow("two point five") << u"2"_s << 5 << false << u"2.5"_s << 2.5f;
    QTest::newRow("whole in decimals") << u"7"_s << 0 << false << u"7"_s << 7.0f;
    QTest::newRow("nothing in decimals") << u"0"_s << 0 << false << u"Error"_s << 0.0f;
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
    QTest::newRow("two and a half") << u"2 1/2"_s << 2.5f;
    QTest::newRow("seven eighths") << u"7/8"_s << 0.875f;
    QTest::newRow("a third is a true third, not 0.333") << u"1/3"_s << 1.0f / 3;
    QTest::newRow("ten and three quarters") << u"10 3/4"_s << 10.75f;
    QTest::newRow("a decimal") << u"2.5"_s << 2.5f;
    QTest::newRow("a whole servings number") << u"991"_s << 991.0f;
    QTest::newRow("not a number") << u"lots"_s << 0.0f;
    QTest::newRow("a damaged fraction") << u"1/"_s << 0.0f;
    QTest::newRow("a zero denominator") << u"1/0"_s << 0.0f;
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
    QTest::addColumn<bool>("shown"); // false: only handed over, read back to a spinner value
    QTest::newRow("lowest") << 1 << u"1/8"_s << 0.125f << true;
    QTest::newRow("a third as 0.333") << 3 << u"1/3"_s << 0.333f << true;
    QTest::newRow("two thirds as 0.666") << 7 << u"2/3"_s << 0.666f << true;
    QTest::newRow("nine") << 9 << u"7/8"_s << 0.875f << true;
    QTest::newRow("ten is one") << 10 << u"1"_s << 1.0f << true;
    QTest::newRow("highest") << 1000 << u"991"_s << 991.0f << true;
    QTest::newRow("a fraction handed over by its text") << 4 << u"3/8"_s << 0.375f << false;
    QTest::newRow("a whole number handed over by its divisor") << 15 << u"6"_s << 6.0f << false;
    QTest::newRow("an impossible divisor stays in range") << 1000 << u"x"_s << 5000.0f << false;
}

void TestQuantity::servings()
{
    QFETCH(int, spinner);
    QFETCH(QString, text);
    QFETCH(float, divisor);
    QFETCH(bool, shown);
    if (shown) {
        const Servings s = servingsFor(spinner);
        QCOMPARE(s.text, text);
        QCOMPARE(s.divisor, divisor);
    }
    QCOMPARE(servingsSpinnerValue(text, divisor), spinner);
}

void TestQuantity::entryFieldsReadBackEveryForm_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("unit");
    QTest::newRow("fraction mode") << lines::ingredientEntry(u"Flour"_s, true, u"2 1/2"_s, u"cup"_s)
                                   << u"Flour"_s << u"2 1/2"_s << u"cup"_s;
    QTest::newRow("decimal mode") << lines::ingredientEntry(u"Milk"_s, false, u"0.5"_s, u"ml"_s)
                                  << u"Milk"_s << u"0.5"_s << u"ml"_s;
    QTest::newRow("a heading has no name")
        << lines::headingEntry(u"Sauce"_s) << QString() << QString() << QString();
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

void TestQuantity::textPattern_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("matches");
    QTest::newRow("equal ignoring case") << u"Apple Pie"_s << u"apple pie"_s << true;
    QTest::newRow("a star") << u"Apple Pie"_s << u"apple*"_s << true;
    QTest::newRow("a question mark") << u"Pie 2"_s << u"pie ?"_s << true;
    QTest::newRow("a digit sign") << u"Pie 2"_s << u"Pie #"_s << true;
    QTest::newRow("a digit sign wants a digit") << u"Pie x"_s << u"Pie #"_s << false;
    QTest::newRow("a list") << u"Bread"_s << u"[AB]read"_s << true;
    QTest::newRow("a negated list") << u"Bread"_s << u"[!AB]read"_s << false;
    QTest::newRow("a range") << u"bread"_s << u"[a-c]read"_s << true;
    QTest::newRow("regular expression characters are plain")
        << u"Milk (2%)"_s << u"Milk (2%)"_s << true;
    QTest::newRow("an unclosed bracket matches nothing") << u"Milk ["_s << u"Milk ["_s << false;
    QTest::newRow("a longer text does not match") << u"Apple Pie"_s << u"Apple"_s << false;
}

void TestQuantity::textPattern()
{
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QFETCH(bool, matches);
    QCOMPARE(TextPattern(pattern).matches(text), matches);
}

QTEST_GUILESS_MAIN(TestQuantity)
#include "tst_quantity.moc"
