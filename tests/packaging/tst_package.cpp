#include "testsupport.h"

#include <QImageReader>
#include <QProcess>

using zestora::testing::readFile;

namespace {

struct Run {
    int exitCode;
    QString output; // standard output and error
};

Run run(const QString& program, const QStringList& arguments,
        const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    process.waitForFinished(300000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAll())};
}

const QString appId = u"org.zestora.Zestora"_s;

} // namespace

// The Debian package, unpacked into a folder of the test's as it would be installed under /usr.
class TestPackage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void installedFiles_data();
    void installedFiles();
    void validators_data();
    void validators();
    void dependenciesComeFromTheLinkedLibraries();
    void unpackedProgramStarts_data();
    void unpackedProgramStarts();

private:
    QString path(const QString& inPackage) const { return m_root.filePath(inPackage); }

    QTemporaryDir m_packages;
    QTemporaryDir m_root;
    QString m_deb;
};

void TestPackage::initTestCase()
{
    const Run made = run(QStringLiteral(CPACK_COMMAND),
                         {u"-G"_s, u"DEB"_s, u"--config"_s, QStringLiteral(CPACK_CONFIG), u"-B"_s,
                          m_packages.path()});
    QVERIFY2(made.exitCode == 0, qPrintable(made.output));
    const QStringList debs = QDir(m_packages.path()).entryList({u"*.deb"_s});
    QCOMPARE(debs.size(), 1);
    m_deb = QDir(m_packages.path()).filePath(debs.front());
    const Run unpacked = run(u"dpkg-deb"_s, {u"-x"_s, m_deb, m_root.path()});
    QVERIFY2(unpacked.exitCode == 0, qPrintable(unpacked.output));
}

// The program, its own files, the menu entry, the metainfo and the manual page are read by the
// tests below; here the icons.
void TestPackage::installedFiles_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("pixels"); // an icon's width and height
    QTest::newRow("scalable icon")
        << u"usr/share/icons/hicolor/scalable/apps/%1.svg"_s.arg(appId) << 0;
    for (int size : {48, 64, 128, 256})
        QTest::addRow("%d pixel icon", size)
            << u"usr/share/icons/hicolor/%1x%1/apps/%2.png"_s.arg(size).arg(appId) << size;
}

void TestPackage::installedFiles()
{
    QFETCH(QString, file);
    QFETCH(int, pixels);
    QVERIFY2(QFileInfo(path(file)).isFile(), qPrintable(file));
    if (pixels > 0)
        QCOMPARE(QImageReader(path(file)).size(), QSize(pixels, pixels));
}

void TestPackage::validators_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("quiet"); // nothing to say when all is well
    QTest::newRow("menu entry") << u"desktop-file-validate"_s
                                << QStringList{u"usr/share/applications/%1.desktop"_s.arg(appId)}
                                << true;
    QTest::newRow("metainfo") << u"appstreamcli"_s
                              << QStringList{u"validate"_s, u"--no-net"_s,
                                             u"usr/share/metainfo/%1.metainfo.xml"_s.arg(appId)}
                              << false;
    QTest::newRow("manual page") << u"groff"_s
                                 << QStringList{u"-man"_s, u"-ww"_s, u"-z"_s,
                                                u"usr/share/man/man1/zestora.1"_s}
                                 << true;
}

void TestPackage::validators()
{
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    QFETCH(bool, quiet);
    const QString file = path(arguments.takeLast());
    const Run checked = run(program, arguments + QStringList{file});
    QVERIFY2(checked.exitCode == 0 && (!quiet || checked.output.isEmpty()),
             qPrintable(checked.output));
}

void TestPackage::dependenciesComeFromTheLinkedLibraries()
{
    const QString depends = run(u"dpkg-deb"_s, {u"-f"_s, m_deb, u"Depends"_s}).output;
    for (const QString& library : {u"libc6 ("_s, u"libqt6widgets6 ("_s, u"libqt6printsupport6 ("_s,
                                   u"libqt6multimedia6 ("_s, u"libcurl4 ("_s})
        QVERIFY2(depends.contains(library), qPrintable(depends));
}

void TestPackage::unpackedProgramStarts_data()
{
    QTest::addColumn<QString>("removed");
    QTest::addColumn<QString>("warning");
    QTest::newRow("with all its files") << QString() << QString();
    QTest::newRow("without its tune")
        << u"usr/share/zestora/LV6.wav"_s << u"is missing some of its files in %1: LV6.wav"_s;
}

void TestPackage::unpackedProgramStarts()
{
    QFETCH(QString, removed);
    QFETCH(QString, warning);
    const QString aside = m_packages.filePath(u"aside"_s);
    if (!removed.isEmpty())
        QVERIFY(QFile::rename(path(removed), aside));
    const QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"HOME"_s, home.path());
    environment.insert(u"XDG_CONFIG_HOME"_s, home.filePath(u".config"_s));
    const Run started =
        run(path(u"usr/bin/zestora"_s),
            {u"--data-dir"_s, home.filePath(u"data"_s), u"--quit-when-shown"_s}, environment);
    if (!removed.isEmpty())
        QVERIFY(QFile::rename(aside, path(removed)));
    QCOMPARE(started.exitCode, 0);
    QVERIFY2(started.output.contains(u"main window on screen"_s), qPrintable(started.output));
    if (warning.isEmpty())
        QVERIFY2(!started.output.contains(u"missing"_s), qPrintable(started.output));
    else
        QVERIFY2(started.output.contains(warning.arg(path(u"usr/share/zestora"_s))),
                 qPrintable(started.output));
    // A new data folder receives the starter ingredients of the installed tree.
    QCOMPARE(readFile(home.filePath(u"data/Ing.dat"_s)),
             readFile(path(u"usr/share/zestora/starter/Ing.dat"_s)));
    QVERIFY(readFile(home.filePath(u"data/Ing.dat"_s)).size() > 1000 * 164);
}

QTEST_GUILESS_MAIN(TestPackage)
#include "tst_package.moc"
