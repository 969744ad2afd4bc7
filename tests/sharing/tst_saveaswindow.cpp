#include "exchange/samplerecipes.h"
#include "platform/toolbar.h"
#include "widgetsupport.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>

using namespace zestora;
using namespace zestora::testing;

namespace {

// The sample recipes on the stored recipes screen, one of them shown.
struct Fixture : StartedMainWindow {
    explicit Fixture(const QByteArray& recipes = sampleRecipes(),
                     const QString& shown = u"Pancakes"_s)
        : StartedMainWindow(sampleIngredients(), recipes)
    {
        window->topBar()->tool(u"Recipes"_s)->trigger();
        // The screen shows its first recipe (Mac & Cheese cannot be worked out); then Pancakes.
        QCoreApplication::processEvents();
        auto* list = window->findChild<QComboBox*>(u"RecipeLst"_s);
        pick(list, list->findText(shown));
        messages.clear();
    }
    // Opens Save As with its key and acts in it.
    void saveAs(std::function<void(QDialog*)> act)
    {
        onNextDialog(std::move(act));
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    }
    // The files a save left beside the data files, hidden ones too.
    QStringList leftBehind() const
    {
        QStringList files =
            QDir(dir.path())
                .entryList(QDir::Files | QDir::Hidden | QDir::Dirs | QDir::NoDotAndDotDot);
        for (const QString& own : {u"Ing.dat"_s, u"Recipe.Dat"_s, u"settings.ini"_s})
            files.removeOne(own);
        return files;
    }
};

template <typename Control> Control* in(QDialog* window, const char* name)
{
    return window->findChild<Control*>(QLatin1StringView(name));
}

// Every recipe, clicked where the button's circle is.
void chooseAll(QDialog* window)
{
    auto* all = in<QRadioButton>(window, "optAll");
    QTest::mouseClick(all, Qt::LeftButton, {}, QPoint(8, all->height() / 2));
}

} // namespace

class TestSaveAsWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void savingAFile_data();
    void savingAFile();
    void cancelLeavesNoFileAndTheWindowUsable();
};

void TestSaveAsWindow::savingAFile_data()
{
    QTest::addColumn<bool>("all");
    QTest::addColumn<int>("format"); // a row of the format list, or -1 to leave it
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("browse"); // the file chosen in the file dialog rather than typed
    QTest::addColumn<QList<MessageBox::Answer>>("answers");
    QTest::addColumn<QStringList>("titles"); // of the messages shown
    QTest::addColumn<QString>("written");    // beside all.json, which was there before
    QTest::addColumn<QByteArray>("start");   // how it starts
    QTest::addColumn<bool>("stillOpen");
    QTest::addColumn<QString>("offered"); // when the window opens again
    using Answer = MessageBox::Answer;
    QTest::newRow("the recipe shown, as the type chosen in the file dialog, its ending added")
        << false << 2 << u"pancakes"_s << true << QList<Answer>{} << QStringList{u"Saved"_s}
        << u"pancakes.mmf"_s
        << QByteArray("MMMMM----- Recipe via Meal-Master (tm) v8.05\r\n\r\n      Title: Pancakes")
        << false << u"Pancakes.mmf"_s;
    QTest::newRow("every recipe as JSON, by its ending, replacing a file after asking")
        << true << -1 << u"all.json"_s << false << QList<Answer>{Answer::Yes}
        << QStringList{u"Save As"_s, u"Saved"_s} << QString() << QByteArray("[\n    {") << false
        << u"Pancakes.json"_s;
    QTest::newRow("a file kept when the answer is No")
        << false << 1 << u"all.json"_s << false << QList<Answer>{Answer::No}
        << QStringList{u"Save As"_s} << QString() << QByteArray("old") << true << u"Pancakes.pdf"_s;
    QTest::newRow("the format chosen gives the ending")
        << false << 1 << u"page"_s << false << QList<Answer>{} << QStringList{u"Saved"_s}
        << u"page.html"_s << QByteArray("<!DOCTYPE html>") << false << u"Pancakes.html"_s;
    QTest::newRow("a folder that does not exist")
        << true << -1 << u"none/all.pdf"_s << false << QList<Answer>{}
        << QStringList{u"Not Saved"_s} << QString() << QByteArray("old") << true
        << u"Pancakes.pdf"_s;
}

void TestSaveAsWindow::savingAFile()
{
    QFETCH(bool, all);
    QFETCH(int, format);
    QFETCH(QString, file);
    QFETCH(bool, browse);
    QFETCH(QList<MessageBox::Answer>, answers);
    QFETCH(bool, stillOpen);
    Fixture f;
    writeFile(u"all.json"_s, "old");
    f.answers = answers;
    const QString path = f.dir.filePath(file);
    bool open = false;
    f.saveAs([&](QDialog* window) {
        if (all)
            chooseAll(window);
        if (format >= 0 && !browse)
            pick(in<QComboBox>(window, "FormatLst"), format);
        if (browse) {
            onNextDialog([&](QDialog* dialog) {
                QVERIFY(qobject_cast<QFileDialog*>(dialog));
                // As a user does: the name typed once the folder is read.
                QSignalSpy read(dialog->findChild<QFileSystemModel*>(),
                                &QFileSystemModel::directoryLoaded);
                qobject_cast<QFileDialog*>(dialog)->setDirectory(f.dir.path());
                QTRY_VERIFY(read.contains({f.dir.path()}));
                pick(in<QComboBox>(dialog, "fileTypeCombo"), format);
                auto* name = in<QLineEdit>(dialog, "fileNameEdit");
                name->selectAll();
                QTest::keyClicks(name, file);
                QTest::keyClick(name, Qt::Key_Return);
            });
            QTest::mouseClick(in<QPushButton>(window, "BrowseCmd"), Qt::LeftButton);
        } else {
            auto* name = in<QLineEdit>(window, "FileTxt");
            name->selectAll();
            QTest::keyClicks(name, path);
            QTest::keyClick(name, Qt::Key_Return);
        }
        open = window->isVisible();
        window->done(QDialog::Rejected);
    });
    QTRY_VERIFY(!QApplication::activeModalWidget());
    QCOMPARE(open, stillOpen);
    QTEST(f.titles(), "titles");
    // Enter replaces no file and opens no folder; a saved file's place is told.
    for (const MessageBox::Shown& shown : f.messages)
        QCOMPARE(shown.defaultButton, shown.buttons == MessageBox::Buttons::YesNo
                                          ? MessageBox::Default::No
                                          : MessageBox::Default::First);
    if (!stillOpen)
        QVERIFY(f.messages.last().text.startsWith(u"Saved to "_s + QDir::toNativeSeparators(path)));
    QFETCH(QString, written);
    QStringList files{u"all.json"_s};
    if (!written.isEmpty())
        files.append(written);
    QCOMPARE(f.leftBehind(), files);
    QFETCH(QByteArray, start);
    QVERIFY(readFile(written.isEmpty() ? u"all.json"_s : written).startsWith(start));
    f.saveAs([](QDialog* window) { // opened again, on the format saved last
        QTEST(QFileInfo(in<QLineEdit>(window, "FileTxt")->text()).fileName(), "offered");
        window->done(QDialog::Rejected);
    });
}

void TestSaveAsWindow::cancelLeavesNoFileAndTheWindowUsable()
{
    // Enough recipes that printing them takes a good part of a second; the shown one long-named.
    const QString shown = u"Soup 1 "_s + QString(u"of the long winter "_s).repeated(8);
    QString recipes;
    for (int i = 0; i < 60; ++i)
        recipes += lines::recipeRecord(i == 1 ? shown : u"Soup %1"_s.arg(i), u"2"_s,
                                       {lines::ingredientEntry(u"Milk"_s, true, u"1"_s, u"cup"_s)},
                                       u"Warm it."_s);
    Fixture f(encodeCp1252(recipes) + "\r\n", shown.trimmed());
    f.saveAs([&](QDialog* window) {
        auto* one = in<QRadioButton>(window, "optShown");
        QVERIFY(one->width() >= one->sizeHint().width());
        chooseAll(window);
        auto* name = in<QLineEdit>(window, "FileTxt");
        name->setText(f.dir.filePath(u"Recipes.pdf"_s));
        // Cancel is pressed as soon as the window shows how far it has come.
        QTimer cancel;
        QObject::connect(&cancel, &QTimer::timeout, window, [window] {
            if (in<QProgressBar>(window, "ProgressBar")->isVisible())
                QTest::mouseClick(in<QPushButton>(window, "CancelCmd"), Qt::LeftButton);
        });
        cancel.start(1);
        QTest::mouseClick(in<QPushButton>(window, "SaveCmd"), Qt::LeftButton);
        cancel.stop();
        QVERIFY(window->isVisible());
        QCOMPARE(f.leftBehind(), QStringList());
        // The window is as before: another format saves.
        pick(in<QComboBox>(window, "FormatLst"), 2);
        QTest::mouseClick(in<QPushButton>(window, "SaveCmd"), Qt::LeftButton);
        QVERIFY(!window->isVisible());
    });
    QTRY_VERIFY(!QApplication::activeModalWidget());
    QCOMPARE(f.leftBehind(), QStringList{u"Recipes.mmf"_s});
}

QTEST_MAIN(TestSaveAsWindow)
#include "tst_saveaswindow.moc"
