#include "app/launcher.h"

#include <QCommandLineParser>
#include <QDir>
#include <QStandardPaths>

namespace zestora {

std::optional<LaunchOptions> parseLaunchOptions(const QStringList& arguments, QString* error)
{
    QCommandLineParser parser;
    const QCommandLineOption dataDir(
        QStringLiteral("data-dir"),
        QStringLiteral("Keep Ing.dat and Recipe.Dat in DIR instead of the user's data folder."),
        QStringLiteral("DIR"));
    const QCommandLineOption quitWhenShown(
        QStringLiteral("quit-when-shown"),
        QStringLiteral("Quit as soon as the main window is on screen (for timing the start-up)."));
    parser.addOption(dataDir);
    parser.addOption(quitWhenShown);
    parser.addHelpOption();
    if (!parser.parse(QStringList{QStringLiteral("zestora")} + arguments)) {
        *error = parser.errorText() + QLatin1Char('\n') + parser.helpText();
        return std::nullopt;
    }
    if (parser.isSet(QStringLiteral("help")) || !parser.positionalArguments().isEmpty()) {
        *error = parser.helpText();
        return std::nullopt;
    }
    return LaunchOptions{parser.value(dataDir), parser.isSet(quitWhenShown)};
}

QString enterDataDir(const QString& requested)
{
    const QString dir = requested.isEmpty()
                            ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                            : requested;
    if (!QDir().mkpath(dir))
        return QStringLiteral("Zestora could not create its data folder %1.").arg(dir);
    if (!QDir::setCurrent(dir))
        return QStringLiteral("Zestora could not open its data folder %1.").arg(dir);
    return QString();
}

} // namespace zestora
