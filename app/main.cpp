#include "app/commands.h"
#include "app/folderlock.h"
#include "app/launcher.h"
#include "app/programdir.h"
#include "core/session.h"
#include "platform/helpviewer.h"
#include "platform/messagebox.h"
#include "platform/settings.h"
#include "shell/mainwindow.h"
#include "shell/startup.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QLockFile>
#include <QStatusBar>

#include <cstdio>

namespace {
// For timing the start-up from outside: when a step was reached, in milliseconds of the clock.
void reportTime(const char* step)
{
    std::printf("%s at %lld ms\n", step, QDateTime::currentMSecsSinceEpoch());
    std::fflush(stdout);
}
} // namespace

int main(int argc, char* argv[])
{
    // A command-line tool: no window, so no display is needed.
    if (const std::optional<int> exitCode = zestora::runCommandLineTool(argc, argv))
        return *exitCode;
    // The arguments are read before the application starts, so that a usage text needs no
    // display.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    QString error;
    const std::optional<zestora::LaunchOptions> options =
        zestora::parseLaunchOptions(arguments, &error);
    if (!options) {
        std::fputs(qPrintable(error), stderr);
        return 2;
    }
    if (options->helpWanted) {
        std::fputs(qPrintable(zestora::usage), stdout);
        return 0;
    }
    if (const QString missing = zestora::missingDisplay(); !missing.isEmpty()) {
        std::fputs(qPrintable(missing), stderr);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zestora"));
    QApplication::setOrganizationName(QStringLiteral("zestora"));
    // The desktop matches the windows to the menu entry and its icon by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.zestora.Zestora"));

    // The program's own files, where the help file lies, before the working directory changes.
    const QString programDir = zestora::programDataDir();
    if (const QStringList missing = zestora::missingProgramFiles(programDir); !missing.isEmpty())
        std::fputs(qPrintable(QStringLiteral("Zestora is missing some of its files in %1: %2\n")
                                  .arg(QDir::toNativeSeparators(programDir),
                                       missing.join(QStringLiteral(", ")))),
                   stderr);
    // A folder held from another computer may be opened here all the same, once the user has
    // read what is at risk.
    const auto openAnyway = [](const QString& question) {
        return zestora::MessageBox::show(
                   nullptr, question, QStringLiteral("Zestora"),
                   zestora::MessageBox::Icon::Exclamation, zestora::MessageBox::Buttons::YesNo,
                   zestora::MessageBox::Default::No) == zestora::MessageBox::Answer::Yes;
    };
    const std::unique_ptr<QLockFile> lock =
        zestora::openDataDir(options->dataDir, &error, {QString(), openAnyway});
    const bool readOnly = lock && !lock->isLocked();
    if (lock && !readOnly)
        error =
            zestora::copyStarterIngredients(QDir(programDir).filePath(zestora::starterIngredients));
    if (!error.isEmpty()) {
        zestora::MessageBox::show(nullptr, error, QStringLiteral("Zestora"),
                                  zestora::MessageBox::Icon::Critical);
        return 1;
    }
    if (!lock) // the user chose not to open a folder held elsewhere
        return 1;
    if (readOnly)
        zestora::MessageBox::show(nullptr, zestora::readOnlyNotice(*lock),
                                  QStringLiteral("Zestora"),
                                  zestora::MessageBox::Icon::Information);

    zestora::Session session;
    zestora::Settings settings;
    zestora::HelpViewer help;
    zestora::StartUp startUp(session, settings, help, programDir);
    if (readOnly)
        zestora::claimAgainOnSave(*lock, {&session.ingredients.file(), &session.recipes.file()},
                                  [&startUp](const QString& line) {
                                      startUp.mainWindow()->statusBar()->showMessage(line);
                                  });
    if (options->quitWhenShown)
        startUp.quitWhenShown(reportTime);
    startUp.start();
    return QApplication::exec();
}
