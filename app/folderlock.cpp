#include "app/folderlock.h"

#include "app/launcher.h"
#include "core/processes.h"
#include "core/store/ingtable.h"
#include "core/store/recipestore.h"
#include "core/store/restore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>

namespace zestora {

namespace {

const QString lockName = QStringLiteral(".zestora-lock");

QString folderName()
{
    return QDir::toNativeSeparators(QDir::currentPath());
}

struct Holder {
    qint64 pid = 0;
    QString host;
    bool known = false; // the lock file names its holder
};

Holder holderOf(const QLockFile& lock)
{
    Holder holder;
    QString application;
    holder.known = lock.getLockInfo(&holder.pid, &holder.host, &application);
    return holder;
}

// Whether the holder of a lock runs: certain on this computer, where its process can be asked
// for, and assumed of another computer.
bool holderRuns(const Holder& holder)
{
    if (!holder.host.isEmpty() && holder.host != QSysInfo::machineHostName())
        return true;
    return processRuns(holder.pid);
}

// A lock on this computer whose process has ended, left by a kill or a logout.
bool staleHere(const QLockFile& lock)
{
    const Holder holder = holderOf(lock);
    return holder.known && !holderRuns(holder);
}

// Why the folder is refused: who holds it, from which computer and since when, and what to do.
// A holder on another computer cannot be seen from here, so the window may open the folder
// anyway once the user has read what is at risk.
QString refusal(const QLockFile& lock, const Claimant& claimant, bool* elsewhere)
{
    qint64 pid = 0;
    QString host;
    QString application;
    lock.getLockInfo(&pid, &host, &application);
    *elsewhere = !host.isEmpty() && host != QSysInfo::machineHostName();
    const QString since = backupTimeText(QFileInfo(lockName).lastModified());
    const QString where = *elsewhere       ? QStringLiteral("on the computer %1").arg(host)
                          : host.isEmpty() ? QStringLiteral("on this computer")
                                           : QStringLiteral("on this computer (%1)").arg(host);
    if (!claimant.command.isEmpty())
        return QStringLiteral("Zestora is open on the data folder %1, %2 since %3: close Zestora "
                              "first%4, then run %5 again.")
            .arg(folderName(), where, since,
                 *elsewhere ? QStringLiteral(" on %1").arg(host) : QString(), claimant.command);
    const QString held =
        QStringLiteral("Zestora is already open on the data folder %1, %2 since %3.")
            .arg(folderName(), where, since);
    if (!*elsewhere)
        return held + QStringLiteral("\r\n\r\nUse the window that is open, or close it and start "
                                     "Zestora again.");
    if (!claimant.openAnyway)
        return held + QStringLiteral("\r\n\r\nClose it there, then start Zestora again.");
    return held +
           QStringLiteral(" Whether it is still open there cannot be told from this computer."
                          "\r\n\r\nOpen the folder here anyway? Only do so when Zestora is closed "
                          "on %1: if it is open on both computers, each saves its changes over "
                          "the other's, and what was saved on one of them is lost.")
               .arg(host);
}

} // namespace

std::unique_ptr<QLockFile> claimDataDir(QString* error, const Claimant& claimant)
{
    auto lock = std::make_unique<QLockFile>(lockName);
    // Held for the whole run, so its age says nothing; a lock left by a crash names a process
    // that no longer runs, and QLockFile takes it over.
    lock->setStaleLockTime(0);
    bool locked = lock->tryLock(0);
    // A lock file without its owner's details was cut short by a crash (a running Zestora
    // writes them the moment it makes the file); QLockFile alone would wait for it forever.
    qint64 pid = 0;
    QString host;
    QString application;
    if (!locked && lock->error() == QLockFile::LockFailedError &&
        !lock->getLockInfo(&pid, &host, &application) &&
        QFileInfo(lockName).lastModified().secsTo(QDateTime::currentDateTime()) > 10) {
        lock->removeStaleLockFile();
        locked = lock->tryLock(0);
    }
    // A lock whose Zestora has ended that still could not be taken over lies in a folder that
    // cannot be written: the folder opens read-only, and readOnlyNotice() says why.
    if (!locked && staleHere(*lock))
        return lock;
    if (!locked && lock->error() == QLockFile::LockFailedError) {
        bool elsewhere = false;
        *error = refusal(*lock, claimant, &elsewhere);
        if (!elsewhere || !claimant.openAnyway)
            return nullptr;
        if (!claimant.openAnyway(*error)) {
            error->clear();
            return nullptr;
        }
        lock->removeStaleLockFile();
        if (!lock->tryLock(0)) {
            *error = refusal(*lock, Claimant{claimant.command, {}}, &elsewhere);
            return nullptr;
        }
        error->clear();
        locked = true;
    }
    // A folder where no lock can be made cannot be written either: no save can go wrong.
    if (!locked)
        return lock;
    for (const QString& name : {IngTable::fileName, RecipeStore::fileName})
        DataFile::removeLeftovers(name);
    // What a take-over of a stale lock holds while it runs; a kill in the midst leaves it behind.
    QFile::remove(lockName + QStringLiteral(".rmlock"));
    return lock;
}

std::unique_ptr<QLockFile> openDataDir(const QString& requested, QString* error,
                                       const Claimant& claimant)
{
    *error = enterDataDir(requested);
    return error->isEmpty() ? claimDataDir(error, claimant) : nullptr;
}

QString readOnlyNotice(const QLockFile& claimed)
{
    // Creating the lock fails for want of rights; writing into it, for want of room.
    if (claimed.error() == QLockFile::UnknownError)
        return QStringLiteral("Zestora could not write in the data folder %1: the disk that holds "
                              "it may be full. Zestora shows your recipes and ingredients; make "
                              "room on the disk before you save a change.")
            .arg(folderName());
    QString notice = QStringLiteral("The data folder %1 is read-only: Zestora shows your recipes "
                                    "and ingredients, but cannot save any change to them.")
                         .arg(folderName());
    const QLockFile lock(lockName);
    if (staleHere(lock))
        notice += QStringLiteral(" It holds the lock of a Zestora that has ended (process %1), "
                                 "which cannot be cleared from a read-only folder.")
                      .arg(holderOf(lock).pid);
    return notice;
}

void claimAgainOnSave(QLockFile& lock, std::initializer_list<DataFile*> files,
                      const std::function<void(const QString& line)>& onTaken)
{
    // Another Zestora that took the folder meanwhile keeps it: tryLock then fails again.
    const auto claim = [&lock, onTaken] {
        if (!lock.isLocked() && lock.tryLock(0))
            onTaken(QStringLiteral("Zestora can write in the data folder %1 again: your changes "
                                   "are saved as usual.")
                        .arg(folderName()));
    };
    for (DataFile* file : files)
        file->setSavedHandler(claim);
}

bool openByZestora(const QString& folder)
{
    const QString path = QDir(folder).filePath(lockName);
    if (!QFileInfo::exists(path))
        return false;
    const Holder holder = holderOf(QLockFile(path));
    // A lock file without its holder's details is being written by a Zestora that starts.
    return !holder.known || holderRuns(holder);
}

} // namespace zestora
