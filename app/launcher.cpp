#include "app/launcher.h"

#include "core/store/ingtable.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTextStream>

namespace zestora {

const QString usage = QStringLiteral(
    "Usage: zestora [--data-dir DIR]\n"
    "       zestora import-usda [--source DIR] [--data-dir DIR]\n"
    "       zestora backups [--data-dir DIR]\n"
    "       zestora restore [--force] FILE [--data-dir DIR]\n"
    "       zestora export [--format pdf|html|mmf|json] [--all | NAME...] -o FILE [--force]\n"
    "                      [--data-dir DIR]\n"
    "       zestora analyze [--data-dir DIR] [--servings N] [--json] [--measures us|uk|au]\n"
    "                       [--cooked-weight GRAMS] FILE\n"
    "       zestora import FILE [--accept-best] [--measures us|uk|au] [--data-dir DIR]\n"
    "       zestora ingredient-from-recipe NAME [--as INGREDIENT] [--data-dir DIR]\n\n"
    "Zestora keeps Ing.dat and Recipe.Dat in the user's data folder, or in DIR.\n"
    "import-usda adds the USDA foods of the tables in --source to the Ing.dat there.\n"
    "backups lists the earlier versions kept in the folder backups there; restore puts the\n"
    "one named FILE back in place of its file, which becomes a backup first (a damaged\n"
    "backup only with --force).\n"
    "export writes the named recipes, or all of them, to FILE as a printed page (pdf), a web\n"
    "page (html), MealMaster text (mmf) or schema.org JSON-LD (json); the format follows\n"
    "FILE's ending unless --format names it. An existing FILE is replaced only with --force.\n"
    "analyze reads a plain-text recipe (FILE, or - for standard input), matches each line to a\n"
    "stored food and prints the matches and the Nutrition Facts per serving, the serving's\n"
    "weight and 100 g's nutrients: of the finished dish weighed (--cooked-weight), else raw.\n"
    "--measures reads cups and spoons as American (us), British (uk: a 568 ml pint) or\n"
    "Australian (au: a 250 ml cup, a 20 ml tablespoon) ones; by default the locale's.\n"
    "import stores the recipes of the MealMaster file FILE, each ingredient line matched to a\n"
    "stored food. A recipe with lines to check is listed with them, and stored with the best\n"
    "matches only with --accept-best. A recipe already stored is not stored again, and one\n"
    "whose name another stored recipe has is left out: it never replaces a stored recipe.\n"
    "ingredient-from-recipe stores one serving of the stored recipe NAME as an ingredient,\n"
    "named after it or INGREDIENT, which follows the recipe whenever it is saved again.\n");

bool parseOneNamed(QCommandLineParser& parser, const QString& command, const QStringList& arguments,
                   const QString& missing, QTextStream& err)
{
    if (parser.parse(QStringList{QStringLiteral("zestora ") + command} + arguments) &&
        parser.positionalArguments().size() == 1)
        return true;
    err << (parser.errorText().isEmpty() ? missing : parser.errorText()) << Qt::endl << usage;
    return false;
}

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
        *error = parser.errorText() + QLatin1Char('\n') + usage;
        return std::nullopt;
    }
    if (parser.isSet(QStringLiteral("help")))
        return LaunchOptions{.dataDir = {}, .quitWhenShown = false, .helpWanted = true};
    if (!parser.positionalArguments().isEmpty()) {
        *error = usage;
        return std::nullopt;
    }
    return LaunchOptions{parser.value(dataDir), parser.isSet(quitWhenShown)};
}

QString dataDirPath(const QString& requested)
{
    return requested.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                               : requested;
}

QString enterDataDir(const QString& requested)
{
    const QString dir = dataDirPath(requested);
    if (QFileInfo(dir).isFile())
        return QStringLiteral("Zestora cannot keep its data in %1: that is a file, not a folder.")
            .arg(QDir::toNativeSeparators(dir));
    if (!QDir().mkpath(dir))
        return QStringLiteral("Zestora could not create its data folder %1.").arg(dir);
    if (!QDir::setCurrent(dir))
        return QStringLiteral("Zestora could not open its data folder %1.").arg(dir);
    return QString();
}

void reportNotices(DataFile& file, QTextStream& stream)
{
    file.setNoticeHandler([&stream](QString notice) {
        stream << notice.replace(QStringLiteral("\r\n"), QStringLiteral(" ")) << Qt::endl;
    });
}

QString missingDataDir(const QString& requested)
{
    const QString dir = dataDirPath(requested);
    return QFileInfo(dir).isDir()
               ? QString()
               : QStringLiteral("There is no data folder %1.").arg(QDir::toNativeSeparators(dir));
}

QString enterExistingDataDir(const QString& requested)
{
    const QString missing = missingDataDir(requested);
    return missing.isEmpty() ? enterDataDir(requested) : missing;
}

QString copyStarterIngredients(const QString& starterFile)
{
    const QString& ingredients = IngTable::fileName;
    const QString marker = QStringLiteral(".starter-ingredients");
    // A link counts as the user's file even when it leads nowhere, as in a loop.
    if (QFileInfo::exists(ingredients) || QFileInfo(ingredients).isSymLink() ||
        QFile::exists(marker) || !QFile::exists(starterFile))
        return QString();
    QFile copy(starterFile);
    if (!copy.copy(ingredients))
        return QStringLiteral("Zestora could not copy its starter ingredients to %1: %2")
            .arg(QDir::current().filePath(ingredients), copy.errorString());
    QFile::setPermissions(ingredients, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ReadGroup | QFileDevice::ReadOther);
    QFile note(marker);
    if (note.open(QIODevice::WriteOnly))
        note.write("Zestora copied its starter ingredients (USDA SR24) into this folder.\n");
    return QString();
}

QString missingDisplay()
{
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    const bool needsDisplay =
        platform.isEmpty() || platform.startsWith(u"xcb") || platform.startsWith(u"wayland");
    if (!needsDisplay || !qEnvironmentVariableIsEmpty("DISPLAY") ||
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return QString();
    return QStringLiteral("Zestora is a desktop program and needs a graphical session "
                          "(neither DISPLAY nor WAYLAND_DISPLAY is set).\n");
}

} // namespace zestora
