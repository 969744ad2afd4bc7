#include "core/text.h"
#include "testsupport.h"

using namespace zestora;

class TestText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyByteRoundTrips();
    void codePage_data();
    void codePage();
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

QTEST_GUILESS_MAIN(TestText)
#include "tst_text.moc"
