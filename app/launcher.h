#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QCommandLineParser;
class QTextStream;

namespace zestora {

class DataFile;

// What the command line asks for.
struct LaunchOptions {
    QString dataDir;            // empty: the per-user data folder
    bool quitWhenShown = false; // for timing the start-up
    bool helpWanted = false;    // --help: the usage goes to standard output, and nothing starts
};

// How the program is started, for a wrong command line.
extern const QString usage;

// Parses a command's arguments, which must name one thing (a file, a recipe); false after saying
// what is wrong, with the usage, on err: missing is said when the thing is not named once.
bool parseOneNamed(QCommandLineParser& parser, const QString& command, const QStringList& arguments,
                   const QString& missing, QTextStream& err);

// Reads the arguments after the program name; nullopt with a usage text in error when they make
// no sense.
std::optional<LaunchOptions> parseLaunchOptions(const QStringList& arguments, QString* error);

// The data folder asked for, or the per-user one when none was.
QString dataDirPath(const QString& requested);

// Makes the data folder when it is missing and makes it the working directory, where the data
// files are opened by bare name. Returns an error text, or an empty one.
QString enterDataDir(const QString& requested);
// A change a command makes that could not keep the version it replaced (or that replaced a
// version another program made) says so on stream, on one line, as it happens.
void reportNotices(DataFile& file, QTextStream& stream);

// For the commands that only read: makes the data folder current without ever creating it, so a
// mistyped folder is named rather than made; empty, or what went wrong.
QString enterExistingDataDir(const QString& requested);
// The line every command gives for a data folder that does not exist; empty when it does.
QString missingDataDir(const QString& requested);

// Gives a data folder without ingredients the starter database once: copied when the folder has
// no Ing.dat and never had one copied before, so a user's own file is never overwritten and an
// emptied list stays empty. Returns an error text, or an empty one.
QString copyStarterIngredients(const QString& starterFile);

// Empty when the program can open a window; else one line saying why not, for a start without a
// graphical session, where Qt would abort. A platform that needs no display (offscreen) is fine.
QString missingDisplay();

} // namespace zestora
