#include "core/shell/tips.h"
#include "core/shell/wavelength.h"
#include "testsupport.h"

#include <QBuffer>
#include <QtEndian>

using namespace zestora;
using namespace zestora::testing;

namespace {
QByteArray le32(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

// A wave header: a format chunk with the byte rate, an optional chunk before the sound data, and
// a data chunk that declares `declared` bytes and holds `held`.
QByteArray wave(quint32 bytesPerSecond, quint32 declared, int held, bool extraChunk = false)
{
    QByteArray format = QByteArray::fromHex("01000100") + le32(bytesPerSecond / 2) +
                        le32(bytesPerSecond) + QByteArray::fromHex("02001000");
    QByteArray body = "WAVEfmt " + le32(format.size()) + format;
    if (extraChunk)
        body += "LIST" + le32(3) + "abc\0";
    body += "data" + le32(declared) + QByteArray(held, '\0');
    return "RIFF" + le32(body.size()) + body;
}
} // namespace

class TestTipsFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tipsAreLines_data();
    void tipsAreLines();
    void waveLength_data();
    void waveLength();
};

void TestTipsFile::tipsAreLines_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("tips");
    QTest::newRow("CR LF lines, an empty one included")
        << QByteArray("One\r\n\r\nThree \r\n") << QStringList{u"One"_s, QString(), u"Three "_s};
    QTest::newRow("the last line without its end")
        << QByteArray("One\r\nTwo") << QStringList{u"One"_s, u"Two"_s};
    QTest::newRow("bare line feeds, as other editors write")
        << QByteArray("One\nTwo\n") << QStringList{u"One"_s, u"Two"_s};
    QTest::newRow("code page 1252")
        << QByteArray("Cr\xe8me br\xfbl\xe9\x65\r\n") << QStringList{u"Crème brûlée"_s};
    QTest::newRow("an empty file holds no tip") << QByteArray() << QStringList();
}

void TestTipsFile::tipsAreLines()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, tips);
    const TempWorkDir dir;
    writeFile(u"TIPOFDAY.TXT"_s, file);
    QCOMPARE(tips::loadTips(dir.filePath(u"TIPOFDAY.TXT"_s)), tips);
    QCOMPARE(tips::loadTips(dir.filePath(u"missing.txt"_s)), std::nullopt);
    QCOMPARE(tips::loadTips(QString()), std::nullopt);
}

void TestTipsFile::waveLength_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("milliseconds");
    QTest::newRow("a second of sound") << wave(1000, 1000, 1000) << 1000;
    QTest::newRow("a chunk before the data is skipped") << wave(2000, 500, 500, true) << 250;
    QTest::newRow("a header claiming more than the file holds")
        << wave(1000, 0xFFFFFFFF, 100) << 100;
    QTest::newRow("not a wave file") << QByteArray("RIFF\x04\0\0\0AVI LIST") << -1;
    QTest::newRow("cut off in its header") << wave(1000, 1000, 1000).left(20) << -1;
    QTest::newRow("a byte rate of nought") << wave(0, 1000, 1000) << -1;
}

void TestTipsFile::waveLength()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, milliseconds);
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    QCOMPARE(waveLengthMs(buffer).value_or(-1), milliseconds);
}

QTEST_GUILESS_MAIN(TestTipsFile)
#include "tst_tipsfile.moc"
