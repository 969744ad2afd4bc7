#include "core/analysis/quantity.h"
#include "core/ingredients/ingredientdraft.h"
#include "core/ingredients/wizardrules.h"
#include "testsupport.h"

using namespace zestora;
using namespace zestora::wizard;

class TestWizardRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void checkIt_data();
    void checkIt();
    void nutrientSteps_data();
    void nutrientSteps();
    void storedAmountComesBackOnTheSpinners_data();
    void storedAmountComesBackOnTheSpinners();
    void secondUnits_data();
    void secondUnits();
    void stepSequences_data();
    void stepSequences();
    void ingredientFacts_data();
    void ingredientFacts();
};

void TestWizardRules::checkIt_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Box>("box");
    QTest::addColumn<Entry>("entry");
    const struct {
        const char* row;
        const char* text;
        Box box;
        Entry entry;
    } rows[] = {
        {"a whole number", "120", Box::Calories, Entry::Valid},
        {"decimals with blanks around", " 120.6 ", Box::Calories, Entry::Valid},
        {"a leading point", ".5", Box::Protein, Entry::Valid},
        {"nothing", "", Box::Calories, Entry::Empty},
        {"a lone point waits for its digits", ".", Box::Protein, Entry::Unfinished},
        {"letters", "ten", Box::Calories, Entry::Refused},
        {"a minus sign", "-1", Box::Protein, Entry::Refused},
        {"an exponent", "1e999", Box::Protein, Entry::Refused},
        {"a thousands separator", "1,000", Box::Sodium, Entry::Refused},
        {"a line break inside", "12\n5", Box::Protein, Entry::Refused},
        {"calories beyond 32 bits", "2147483648", Box::Calories, Entry::Refused},
        {"cholesterol on the last whole percentage", "98302", Box::Cholesterol, Entry::Valid},
        {"cholesterol past a 16-bit percentage", "98303", Box::Cholesterol, Entry::Refused},
        {"fat grams past a 16-bit percentage", "21299", Box::FatGrams, Entry::Refused},
        {"the same number as fat calories", "21299", Box::FatCalories, Entry::Valid},
    };
    for (const auto& row : rows)
        QTest::newRow(row.row) << QString::fromUtf8(row.text) << row.box << row.entry;
    QTest::newRow("thousands of digits") << QString(5000, u'9') << Box::Protein << Entry::Refused;
}

void TestWizardRules::checkIt()
{
    QFETCH(QString, text);
    QFETCH(Box, box);
    QFETCH(Entry, entry);
    QCOMPARE(wizard::checkIt(text, box), entry);
}

void TestWizardRules::nutrientSteps_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("other"); // saturated fat or fibre, or "grams" for the fat mode
    QTest::addColumn<float>("stored");
    QTest::addColumn<QStringList>("preview");
    QTest::newRow("calories keep their decimals on the panel, the record a whole number")
        << 5 << u"120.6"_s << QString() << 121.0f << QStringList{u"120.6"_s};
    QTest::newRow("fat calories give grams with one decimal")
        << 6 << u"45"_s << u"2"_s << 5.0f
        << QStringList{u"45"_s, u"5.0g"_s, u"2g"_s, u"10%"_s, u"8 %"_s};
    QTest::newRow("below one gram no digit before the point")
        << 6 << u"4.5"_s << u"0"_s << 0.5f
        << QStringList{u"4.5"_s, u".5g"_s, u"0g"_s, u"0%"_s, u"1 %"_s};
    QTest::newRow("fat grams give whole fat calories")
        << 6 << u"5"_s << u"grams"_s << 5.0f
        << QStringList{u"45"_s, u"5g"_s, u"0g"_s, u"0%"_s, u"8 %"_s};
    QTest::newRow("sodium as typed, stored whole")
        << 8 << u"480.4"_s << QString() << 480.0f << QStringList{u"480.4mg"_s, u"20 %"_s};
    QTest::newRow("carbohydrates with fibre")
        << 9 << u"30"_s << u"2.5"_s << 30.0f
        << QStringList{u"30g"_s, u"10 %"_s, u"2.5g"_s, u"10%"_s};
}

void TestWizardRules::nutrientSteps()
{
    QFETCH(int, step);
    QFETCH(QString, typed);
    QFETCH(QString, other);
    QFETCH(float, stored);
    QFETCH(QStringList, preview);
    NutrientTexts boxes;
    boxes.calories = boxes.cholesterol = boxes.sodium = boxes.carbs = boxes.protein = typed;
    boxes.fat = typed;
    boxes.fatInGrams = other == u"grams"_s;
    boxes.satFat = boxes.fatInGrams ? u"0"_s : other;
    boxes.fiber = other;
    IngRecord record;
    nutrition::PanelTexts panel;
    takeNutrientStep(step, boxes, record, panel);
    const QMap<int, std::pair<float, QStringList>> shown{
        {5, {record.calories, {panel.cals}}},
        {6,
         {record.fat, {panel.fatCals, panel.fatG, panel.satFatG, panel.satFatPct, panel.fatPct}}},
        {7, {static_cast<float>(record.cholesterol), {panel.cholG, panel.cholPct}}},
        {8, {record.sodium, {panel.sodiumG, panel.sodiumPct}}},
        {9, {record.totalCarbs, {panel.carbsG, panel.carbsPct, panel.fiberG, panel.fiberPct}}},
        {10, {record.protein, {panel.proteinG}}},
    };
    QCOMPARE(shown[step].first, stored);
    QCOMPARE(shown[step].second, preview);
}

void TestWizardRules::storedAmountComesBackOnTheSpinners_data()
{
    QTest::addColumn<int>("ones");
    QTest::addColumn<bool>("fractionMode");
    QTest::addColumn<int>("fraction");
    // Every amount the wizard can store comes back on the spinners that made it, so an unchanged
    // edit stores the same amount.
    for (int ones : {0, 1, 2, 17, 20000}) {
        for (int i = 1; i < quantity::fractionCount; ++i)
            QTest::addRow("%d %s", ones, qPrintable(quantity::fractionText(i)))
                << ones << true << i;
        for (int tenths = 0; tenths < 10; ++tenths)
            QTest::addRow("%d.%d", ones, tenths) << ones << false << tenths;
    }
}

void TestWizardRules::storedAmountComesBackOnTheSpinners()
{
    QFETCH(int, ones);
    QFETCH(bool, fractionMode);
    QFETCH(int, fraction);
    const float amount = quantity::spinnerValue(ones, fraction, fractionMode);
    const quantity::Entry entry = spinnerEntry(amount);
    QCOMPARE(entry.value(), amount);
    // A kitchen fraction comes back as itself; 2.5 may come back as 2 1/2.
    if (fractionMode)
        QCOMPARE(entry, (quantity::Entry{ones, fraction, true}));
    else if (fraction != 5)
        QCOMPARE(entry, (quantity::Entry{ones, fraction, false}));
}

void TestWizardRules::secondUnits_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<QList<int>>("disabled");
    QTest::newRow("a volume asks for a weight") << 4 << QList<int>{2, 3, 4, 5, 6, 9, 10};
    QTest::newRow("a weight asks for a volume") << 8 << QList<int>{0, 1, 7, 8};
    QTest::newRow("a measure of its own takes any") << ownUnit << QList<int>{};
}

void TestWizardRules::secondUnits()
{
    QFETCH(int, first);
    QFETCH(QList<int>, disabled);
    for (int second = 0; second < unitCount; ++second)
        QCOMPARE(secondUnitEnabled(first, second), !disabled.contains(second));
}

void TestWizardRules::stepSequences_data()
{
    // ">" takes the step on view and moves on, "x" is refused there, "<" goes back, "s" saves
    // after a calorie warning the user overruled.
    QTest::addColumn<QString>("moves");
    QTest::addColumn<bool>("noSecondMeasure");
    QTest::addColumn<int>("shown"); // "Step n of 11"
    QTest::addColumn<bool>("finished");
    QTest::newRow("a refused step stays on view") << u">x"_s << false << 2 << false;
    QTest::newRow("a second measure asks its quantity") << u">>>>"_s << false << 5 << false;
    QTest::newRow("no second measure passes it by") << u">>>>"_s << true << 6 << false;
    QTest::newRow("and so does Back") << u">>>><"_s << true << 4 << false;
    QTest::newRow("the first step has no Back") << u"<"_s << false << 1 << false;
    QTest::newRow("the last step finishes") << QString(11, u'>') << false << 11 << true;
    QTest::newRow("Next after a save finishes") << u"s>"_s << false << 11 << true;
    QTest::newRow("Back after a save stays on the last") << u"s<"_s << false << 11 << false;
}

void TestWizardRules::stepSequences()
{
    QFETCH(QString, moves);
    QFETCH(bool, noSecondMeasure);
    IngredientDraft draft;
    IngredientDraft::Move move;
    for (QChar m : moves) {
        move = {};
        if (m == u's')
            draft.goBeyondLast();
        else if (m == u'<')
            draft.moveBack(noSecondMeasure);
        else
            move = draft.moveOn(m == u'>', noSecondMeasure);
    }
    QTEST(draft.stepNumber(), "shown");
    QTEST(move.finished, "finished");
}

void TestWizardRules::ingredientFacts_data()
{
    QTest::addColumn<IngRecord>("record");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QStringList>("shares");
    IngRecord apple = testing::food(u"  Apple "_s, 1.5f, u"cup"_s, 240, u"g"_s,
                                    {.fat = 5, .carbs = 10, .protein = 2, .calories = 100});
    QTest::newRow("calories from the macronutrients, not as stored")
        << apple
        << QStringList{u"Apple"_s, u"1.5 cup"_s, u"240 g"_s, u"93"_s, u"45"_s, u"5g"_s, u"8%"_s}
        << QStringList{u"48.4% of calories from Fat"_s, u"43% from Carbohydrates"_s,
                       u"8.6% from Protein"_s};
    IngRecord oddFat = testing::food(u"Nut"_s, 1, u"slice"_s, 0, QString(), {.fat = 2.34f});
    QTest::newRow("fat to tenths, fat calories whole, no second serving")
        << oddFat
        << QStringList{u"Nut"_s, u"1 slice"_s, QString(), u"21"_s, u"21"_s, u"2.3g"_s, u"4%"_s}
        << QStringList{u"100% of calories from Fat"_s, u"0% from Carbohydrates"_s,
                       u"0% from Protein"_s};
    IngRecord empty = testing::food(u"Tea"_s, 1, u"cup"_s, 0, QString(), {.calories = 50});
    QTest::newRow("no macronutrients, no shares")
        << empty << QStringList{u"Tea"_s, u"1 cup"_s, QString(), u"0"_s, u"0"_s, u"0g"_s, u"0%"_s}
        << QStringList{};
}

void TestWizardRules::ingredientFacts()
{
    QFETCH(IngRecord, record);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, shares);
    const IngredientFacts facts = wizard::ingredientFacts(record);
    QCOMPARE((QStringList{facts.name, facts.firstServing, facts.secondServing, facts.panel.cals,
                          facts.panel.fatCals, facts.panel.fatG, facts.panel.fatPct}),
             shown);
    QCOMPARE(facts.shares.has_value(), !shares.isEmpty());
    if (facts.shares)
        QCOMPARE((QStringList{facts.shares->fat, facts.shares->carbs, facts.shares->protein}),
                 shares);
}

QTEST_GUILESS_MAIN(TestWizardRules)
#include "tst_wizardrules.moc"
