// Draws the analysis screen with a three-line recipe into a PNG, for the README; when a second
// file is named, the same screen with the Total Fat row pressed, each line's share of it showing;
// when a third is named, the recipe saved and shown on the stored recipes screen, its shares of
// fat showing. The window is 1024 by 768, the smallest screen the program is made for:
//   screenshot DATA_DIR OUTPUT.png [SHARES.png [STORED.png]]
// DATA_DIR holds the Ing.dat to choose from (the starter database will do); it is copied, so the
// recipe is saved elsewhere.
#include "analysis/analysisscreen.h"
#include "core/session.h"
#include "core/sortednamemodel.h"
#include "platform/helpviewer.h"
#include "platform/settings.h"
#include "platform/toolbar.h"
#include "recipes/storedrecipesscreen.h"
#include "shell/mainwindow.h"
#include "widgets/spinner.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <cstdio>

namespace {

struct Line {
    const char* ingredient;
    int ones;
    int fraction;
    const char* unit;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc < 3 || argc > 5) {
        std::fputs("usage: screenshot DATA_DIR OUTPUT.png [SHARES.png [STORED.png]]\n", stderr);
        return 2;
    }
    const auto outputPath = [argc, argv](int index) {
        return argc > index ? QDir::current().absoluteFilePath(QString::fromLocal8Bit(argv[index]))
                            : QString();
    };
    const QString output = outputPath(2);
    const QString sharesOutput = outputPath(3);
    const QString storedOutput = outputPath(4);
    QTemporaryDir workDir;
    if (!QFile::copy(QDir(QString::fromLocal8Bit(argv[1])).filePath(QStringLiteral("Ing.dat")),
                     workDir.filePath(QStringLiteral("Ing.dat")))) {
        std::fprintf(stderr, "no Ing.dat in %s\n", argv[1]);
        return 1;
    }
    QDir::setCurrent(workDir.path());
    zestora::Session session;
    zestora::Settings settings(workDir.filePath(QStringLiteral("settings.ini")));
    zestora::HelpViewer help;
    zestora::MainWindow window(session, settings, help, QApplication::applicationDirPath());
    window.startUp();
    window.resize(1024, 768);
    window.show();

    auto* screen = window.findChild<zestora::AnalysisScreen*>();
    const auto get = [screen](const char* name) {
        return screen->findChild<QWidget*>(QString::fromLatin1(name));
    };
    qobject_cast<QLineEdit*>(get("NameTxt"))->setText(QStringLiteral("Buttered toast"));
    qobject_cast<zestora::Spinner*>(get("ServingsVs"))->setValue(11);
    qobject_cast<QPushButton*>(get("OkCmd"))->click();
    const Line lines[] = {{"Bread, whole-wheat, commercially prepared", 2, 0, "oz"},
                          {"Butter, salted", 1, 5, "tbs"},
                          {"Honey", 2, 0, "tsp"}};
    auto* list = qobject_cast<QListView*>(get("IngLst"));
    for (const Line& line : lines) {
        const auto* names = static_cast<zestora::SortedNameModel*>(list->model());
        const int row = names->rowOf(QString::fromLatin1(line.ingredient));
        if (row < 0) {
            std::fprintf(stderr, "no ingredient %s in %s\n", line.ingredient, argv[1]);
            return 1;
        }
        list->setCurrentIndex(names->index(row));
        Q_EMIT list->clicked(list->currentIndex());
        qobject_cast<zestora::Spinner*>(get("OnesVs"))->setValue(line.ones);
        qobject_cast<zestora::Spinner*>(get("FracVs"))->setValue(line.fraction);
        auto* units = qobject_cast<QComboBox*>(get("MeasureLst"));
        units->setCurrentIndex(qMax(0, units->findText(QString::fromLatin1(line.unit))));
        qobject_cast<QPushButton*>(get("Addcmd"))->click();
    }
    qobject_cast<QPlainTextEdit*>(get("DirectionsTxt"))
        ->setPlainText(QStringLiteral("Toast the bread, spread it with the butter while hot, "
                                      "and drizzle with honey."));
    QApplication::processEvents();
    if (!window.grab().save(output))
        return 1;
    if (sharesOutput.isEmpty())
        return 0;
    const auto showFatShares = [](QWidget* fatRow) {
        QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        QCoreApplication::sendEvent(fatRow, &space);
        QApplication::processEvents();
    };
    showFatShares(get("lblFg"));
    if (!window.grab().save(sharesOutput))
        return 1;
    if (storedOutput.isEmpty())
        return 0;
    screen->calcBar()->tool(QStringLiteral("Save"))->trigger();
    window.topBar()->tool(QStringLiteral("Recipes"))->trigger();
    auto* stored = window.findChild<zestora::StoredRecipesScreen*>();
    auto* recipes = stored->findChild<QComboBox*>(QStringLiteral("RecipeLst"));
    recipes->setCurrentIndex(recipes->findText(QStringLiteral("Buttered toast")));
    stored->showChosenRecipe();
    showFatShares(stored->findChild<QWidget*>(QStringLiteral("lblFg")));
    return window.grab().save(storedOutput) ? 0 : 1;
}
