#include "core/sharing/mailmessage.h"
#include "core/sharing/recipehtml.h"

#include "testsupport.h"

using namespace zestora;

namespace {

ShownRecipe pudding()
{
    ShownRecipe r;
    r.name = u"Pudding"_s;
    r.lines = {u"2 cup   Milk"_s};
    r.directions = u"Warm the milk."_s;
    r.makes = u"makes 2 servings"_s;
    r.panel = {u"152"_s, u"72"_s, u"8g"_s,  u"12%"_s, u"5g"_s, u"25%"_s, u"24mg"_s, u"8%"_s,
               u"0mg"_s, u"0%"_s, u"12g"_s, u"4%"_s,  u"0g"_s, u"0%"_s,  u"8g"_s};
    r.shares = {u"47.4% of calories from Fat"_s, u"31.6% from Carbohydrates"_s,
                u"21.1% from Protein"_s};
    return r;
}

// The document for pudding() with the extra text "Hi", written out from the layout the recipe
// e-mail has always had.
const QString puddingHtml =
    uR"(Hi<table><tr><td><font size="4" face="Arial"><strong><u>Pudding</u></strong></font><br><br></td><td width="40">&nbsp;</td><td>&nbsp;</td></tr><tr><td valign="top"><font size="2" face="Arial"><strong><u>List of Ingredients</u></strong><br><br>2 cup   Milk<br><br><strong><u>Instructions for Preparation<br><br></u></strong>Warm the milk.</font></td><td valign="top">&nbsp;</td><td><table border="2" width="190"><tr><td><font size="4" face="Arial"><strong>Nutrition Facts</strong></font><br><font size="1" face="Arial">per serving</font><br><font size="1" face="Arial">makes 2 servings</font></td></tr><tr><td><font size="1" face="Arial"><strong>Amount per serving</strong></font></td></tr><tr><td><table border="0" cellpadding="0" cellspacing="0" width="176"><tr><td width="88"><font size="2" face="Arial"><strong>Calories</strong></font></td><td align="right" width="88"><font size="2" face="Arial">152</font></td></tr></table></td></tr><tr><td><table border="0" cellpadding="0" cellspacing="0" width="176"><tr><td width="110"><font size="1" face="Arial">Calories from fat</font></td><td align="right" width="66"><font size="2" face="Arial">72</font></td></tr></table></td></tr><tr><td align="right"><font size="1" face="Arial"><strong>% Daily Value *</strong></font></td></tr><tr><td><table border="0" cellpadding="0" cellspacing="0" width="176"><tr><td width="126"><font size="2" face="Arial"><strong>Total Fat 8g</strong></font></td><td align="right" valign="bottom" width="40"><font size="2" face="Arial">12%</font></td></tr></table></td></tr><tr><td><table border="0" cellpadding="0" cellspacing="0" width="176"><tr><td width="126"><font size="2" face="Arial">Saturated Fat 5g</font></td><td align="right" valign="bottom" width="40"><font size="2" face="Arial">25%</font></td></tr></table></td></tr><tr><td><table border="0" cellpadding="0" cellspacing="0" width="176"><tr><td width="136"><font size="2" face="Arial"><strong>Cholesterol 24mg</strong></font></td><td align="right" valign="bottom" width="40"><font size="2" face="Arial">8%</font></td></tr></table></td></tr><tr><td><table border="0" cellpadding="0" cellspacing="0" width="176"><tr><td width="126"><font size="2" face="Arial"><strong>Sodium 0mg</strong></font></td><td align="right" valign="bottom" width="50"><font size="2" face="Arial">0%</font></td></tr></table></td></tr><tr><td><table border="0" cellpadding="0" cellspacing="0" width="176"><tr><td width="136"><font size="2" face="Arial"><strong>Total<br>Carbohydrate 12g</strong></font></td><td align="right" valign="bottom" width="40"><font size="2" face="Arial">4%</font></td></tr></table></td></tr><tr><td><table border="0" cellpadding="0" cellspacing="0" width="176"><tr><td width="136"><font size="2" face="Arial">Dietary Fiber 0g</font></td><td align="right" valign="bottom" width="40"><font size="2" face="Arial">0%</font></td></tr></table></td></tr><tr><td><table border="0" cellpadding="0" cellspacing="0" width="176"><tr><td width="136"><font size="2" face="Arial"><strong>Protein 8g</strong></font></td></tr></table></td></tr><tr><td><font size="2" face="Arial">Percent values are based on a 2,000 calorie per day diet. Your daily values may differ.</font></td></tr><tr><td><font size="2" face="Arial"><strong><u>Additional Information</u></strong><br>47.4% of calories from Fat<br>31.6% from Carbohydrates<br>21.1% from Protein</font></td></tr></table></td></tr></table>)"_s;

QByteArray decodedWords(const QByteArray& header)
{
    QByteArray text;
    for (QByteArray word : header.split('\n')) {
        word = word.trimmed();
        if (!word.startsWith("=?UTF-8?B?") || !word.endsWith("?="))
            return "not an encoded word: " + word;
        text += QByteArray::fromBase64(word.mid(10, word.size() - 12));
    }
    return text;
}

} // namespace

class TestRecipeHtml : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theWholeDocument();
    void variations_data();
    void variations();
    void serverField_data();
    void serverField();
    void subjects_data();
    void subjects();
};

void TestRecipeHtml::theWholeDocument()
{
    const QString html = buildRecipeHtml(u"Hi"_s, pudding());
    QVERIFY(html.startsWith(puddingHtml));
    // Then one closing paragraph of the program's own, and nothing after it.
    const QString closing = html.mid(puddingHtml.size());
    QVERIFY(closing.startsWith(u"<p><br>"_s));
    QVERIFY(closing.endsWith(u"</p>"_s));
    QCOMPARE(closing.count(u"<p>"_s), 1);
    QVERIFY(closing.contains(u"Zestora"_s));
    QVERIFY(!html.contains(u'\n') && !html.contains(u'\r'));
}

void TestRecipeHtml::variations_data()
{
    QTest::addColumn<QString>("extraText");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("noCalories");
    QTest::addColumn<QString>("expected");

    QTest::newRow("No extra text: the document starts with the table")
        << QString() << QStringList{u"2 cup   Milk"_s} << false
        << uR"(<table><tr><td><font size="4" face="Arial"><strong><u>Pudding</u>)"_s;
    QTest::newRow("A heading and a line with & and < are copied as they are")
        << QString() << QStringList{u"Sauce"_s, u"1 cup   Salt & <pepper>"_s} << false
        << u"</strong><br><br>Sauce<br>1 cup   Salt & <pepper><br><br><strong>"_s;
    QTest::newRow("Calories below 1: the three shares are empty")
        << QString() << QStringList{u"1 cup   Water"_s} << true
        << uR"(<strong><u>Additional Information</u></strong><br><br><br></font></td></tr></table>)"_s;
}

void TestRecipeHtml::variations()
{
    QFETCH(QString, extraText);
    QFETCH(QStringList, lines);
    QFETCH(bool, noCalories);
    QFETCH(QString, expected);

    ShownRecipe recipe = pudding();
    recipe.lines = lines;
    if (noCalories) {
        recipe.panel.cals = u"0"_s;
        recipe.shares = {};
    }
    const QString html = buildRecipeHtml(extraText, recipe);
    if (expected.startsWith(u"<table>"_s) || !extraText.isEmpty())
        QVERIFY2(html.startsWith(expected), qPrintable(html.left(200)));
    else
        QVERIFY2(html.contains(expected), qPrintable(html));
}

void TestRecipeHtml::serverField_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("url"); // empty: refused

    QTest::newRow("A name alone goes to port 25")
        << u"smtp.example.org"_s << u"smtp://smtp.example.org:25"_s;
    QTest::newRow("Blanks around it do not matter")
        << u"  mail.example.org:587 "_s << u"smtp://mail.example.org:587"_s;
    QTest::newRow("Port 465 is TLS from the first byte")
        << u"smtp.example.org:465"_s << u"smtps://smtp.example.org:465"_s;
    QTest::newRow("An IPv4 address") << u"127.0.0.1:2525"_s << u"smtp://127.0.0.1:2525"_s;
    QTest::newRow("An IPv6 address in brackets") << u"[::1]:2525"_s << u"smtp://[::1]:2525"_s;
    QTest::newRow("Port 0") << u"smtp.example.org:0"_s << QString();
    QTest::newRow("A port past 65535") << u"smtp.example.org:65536"_s << QString();
    QTest::newRow("A port that is not a number") << u"smtp.example.org:smtp"_s << QString();
    QTest::newRow("A colon without a port") << u"smtp.example.org:"_s << QString();
    QTest::newRow("A URL") << u"smtp://smtp.example.org"_s << QString();
    QTest::newRow("A user name in front") << u"me@smtp.example.org"_s << QString();
    QTest::newRow("Two words") << u"smtp example"_s << QString();
    QTest::newRow("Blanks only") << u"   "_s << QString();
}

void TestRecipeHtml::serverField()
{
    QFETCH(QString, field);
    QFETCH(QString, url);
    const std::optional<mail::Server> server = mail::parseServer(field);
    QCOMPARE(server ? server->url() : QString(), url);
}

void TestRecipeHtml::subjects_data()
{
    QTest::addColumn<QString>("subject");
    QTest::addColumn<bool>("plain");

    QTest::newRow("Short ASCII stays as it is") << u"Pudding for Sunday"_s << true;
    QTest::newRow("Empty") << QString() << true;
    QTest::newRow("Accents are encoded") << u"Crème brûlée"_s << false;
    QTest::newRow("Characters outside the BMP are not split")
        << QString(u"Party 🎂🎂🎂🎂🎂🎂🎂🎂🎂🎂🎂🎂🎂 cake for twelve, all of them with ✓"_s) << false;
    QTest::newRow("Long ASCII is folded")
        << QString(90, u'x') + u" after ninety characters"_s << false;
}

void TestRecipeHtml::subjects()
{
    QFETCH(QString, subject);
    QFETCH(bool, plain);
    const QByteArray header = mail::encodedSubject(subject);
    if (plain) {
        QCOMPARE(header, subject.toLatin1());
        return;
    }
    for (const QByteArray& line : header.split('\n'))
        QVERIFY2(line.size() <= 76, line.constData());
    QCOMPARE(decodedWords(header), subject.toUtf8());
}

QTEST_GUILESS_MAIN(TestRecipeHtml)
#include "tst_recipehtml.moc"
