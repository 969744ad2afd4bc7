#include "core/store/datafile.h"

#include "core/store/backups.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>

#include <cerrno>
#include <cstring>
#include <utility>

#include <sys/stat.h>
#include <unistd.h>

namespace zestora {

DataFile::DataFile(QString fileName)
    : m_fileName(std::move(fileName))
{
}

void DataFile::setError(const QString& what, const QString& why)
{
    m_error = QStringLiteral("Zestora could not %1 the file %2: %3").arg(what, m_fileName, why);
}

namespace {

// The way round a link that leads in a loop, "Ing.dat -> /data/Other.dat -> /data/Ing.dat";
// empty when the file is no such link.
QString linkLoop(const QString& fileName)
{
    struct stat status {};
    if (::stat(QFile::encodeName(fileName).constData(), &status) == 0 || errno != ELOOP)
        return QString();
    QStringList way{fileName};
    QSet<QString> passed{QFileInfo(fileName).absoluteFilePath()};
    // The system gives up after 40 links; so does the description.
    for (QFileInfo link(fileName); link.isSymLink() && way.size() <= 40;) {
        const QString target = link.symLinkTarget();
        way.append(QDir::toNativeSeparators(target));
        if (passed.contains(target))
            break;
        passed.insert(target);
        link.setFile(target);
    }
    return way.join(QStringLiteral(" -> "));
}

} // namespace

std::optional<QByteArray> DataFile::readAll()
{
    m_unreadable = false;
    m_readFailure.clear();
    m_mapped.reset();
    const QFileInfo info(m_fileName);
    QFile file(m_fileName);
    if (const QString loop = linkLoop(m_fileName); !loop.isEmpty()) {
        m_readFailure =
            QStringLiteral("it is a link that leads round in a loop (%1) and never to a file")
                .arg(loop);
    } else if (info.isSymLink() && !info.exists()) {
        // Opening it would create the file it points to, wherever that is.
        m_readFailure = QStringLiteral("it is a link to %1, which does not exist")
                            .arg(QDir::toNativeSeparators(info.symLinkTarget()));
    } else if (info.isDir()) {
        m_readFailure = QStringLiteral("it is a folder, not a file");
    } else if (!info.exists()) {
        if (!m_createMissing) {
            noteFileOnDisk(std::nullopt);
            return QByteArray();
        }
        if (file.open(QIODevice::WriteOnly)) {
            noteFileOnDisk(FileIdentity::of(file.handle()));
            return QByteArray();
        }
        m_readFailure = QStringLiteral("it does not exist and could not be created (%1)")
                            .arg(file.errorString());
        setError(QStringLiteral("create"), file.errorString());
        return std::nullopt;
    } else if (file.open(QIODevice::ReadOnly)) {
        const std::optional<FileIdentity> read = FileIdentity::of(file.handle());
        QByteArray bytes = file.readAll();
        if (file.error() == QFileDevice::NoError) {
            noteFileOnDisk(read);
            return bytes;
        }
        m_readFailure = file.errorString();
    } else {
        m_readFailure = file.errorString();
    }
    setReadFailure(m_readFailure);
    return std::nullopt;
}

std::optional<FileContents> DataFile::readMapped()
{
    if (std::unique_ptr<MappedFile> mapped = MappedFile::map(m_fileName)) {
        m_unreadable = false;
        m_readFailure.clear();
        m_mapped = mapped->state();
        noteFileOnDisk(mapped->identity());
        return FileContents(std::move(mapped));
    }
    std::optional<QByteArray> bytes = readAll();
    if (!bytes)
        return std::nullopt;
    return FileContents(*std::move(bytes));
}

void DataFile::noteFileOnDisk(std::optional<FileIdentity> identity)
{
    m_onDisk = identity;
    m_onDiskKnown = true;
}

bool DataFile::changedElsewhere() const
{
    return m_onDiskKnown && FileIdentity::of(m_fileName) != m_onDisk;
}

bool DataFile::readBytesLost() const
{
    return m_mapped && !MappedFile::intact(*m_mapped);
}

bool DataFile::readBytesKept(const QString& what)
{
    if (!readBytesLost())
        return true;
    setError(what, QStringLiteral("another program changed it while Zestora could not answer, so "
                                  "what Zestora had read of it can no longer be trusted, and "
                                  "Zestora changes nothing from it. Close Zestora and start it "
                                  "again to read the file anew."));
    return false;
}

void DataFile::tellReplacedElsewhere(const QString& kept)
{
    if (!m_onNotice || std::exchange(m_toldChangedElsewhere, true))
        return;
    const QString other =
        kept.isEmpty()
            ? QStringLiteral("the other program had left it empty or deleted it.")
            : QStringLiteral("the version the other program left is kept as %1.").arg(kept);
    m_onNotice(QStringLiteral("While Zestora was running, another program changed the file %1. "
                              "Zestora has made this change to the file as Zestora shows it; %2")
                   .arg(m_fileName, other));
}

void DataFile::setReadFailure(const QString& why)
{
    m_unreadable = true;
    m_readFailure = why;
    setError(QStringLiteral("read"), why);
}

bool DataFile::refuseIfUnreadable(const QString& what)
{
    if (!m_unreadable)
        return false;
    setError(what, QStringLiteral("it could not be read when Zestora started (%1), so Zestora "
                                  "leaves it as it is. Check the file, then start Zestora again.")
                       .arg(m_readFailure));
    return true;
}

bool DataFile::replace(std::initializer_list<QByteArrayView> parts)
{
    return !refuseIfUnreadable(QStringLiteral("save")) && copyAsideIfPending() &&
           writeAtomically(parts);
}

namespace {

// Why a write failed, for the user: a file system without room says so plainly.
QString writeFailure(int error)
{
    if (error == ENOSPC || error == EDQUOT || error == EFBIG)
        return QStringLiteral("the disk is full. The file was left as it was; make room on the "
                              "disk, then try again.");
    return QString::fromLocal8Bit(std::strerror(error));
}

// Writes all of the bytes or reports why not. The bytes go straight to the file, past Qt's
// buffer, so that every failure is seen here and not lost in a later flush.
int writeAll(int fd, QByteArrayView bytes)
{
    const char* data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        data += written;
        left -= written;
    }
    return 0;
}

} // namespace

bool DataFile::writeAtomically(std::initializer_list<QByteArrayView> parts)
{
    // QSaveFile writes a temporary file beside the target and renames it over the old file, so a
    // crash leaves the old file whole. Its commit() renames even after a failed write, so every
    // write and the sync to disk are checked before it is called.
    QSaveFile file(m_fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        setError(QStringLiteral("save"), file.errorString());
        return false;
    }
    int failure = 0;
    for (QByteArrayView part : parts)
        if (failure == 0)
            failure = writeAll(file.handle(), part);
    if (failure == 0 && ::fsync(file.handle()) != 0 && errno != EINVAL)
        failure = errno;
    // The bytes written must still be what was read: should they have come from a mapping that
    // was lost meanwhile, that is the failure to report, also when the write failed over them.
    const bool readIntact = readBytesKept(QStringLiteral("save"));
    if (failure != 0 || !readIntact) {
        if (readIntact)
            setError(QStringLiteral("save"), writeFailure(failure));
        file.cancelWriting();
        return false;
    }
    const bool replacedElsewhere = changedElsewhere();
    // QSaveFile writes beside the file a link leads to and renames there, so the link stays.
    const std::optional<QString> kept = keepPresentVersion();
    if (!kept) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        setError(QStringLiteral("save"), file.errorString());
        if (!kept->isEmpty())
            QFile::remove(*kept); // the file it keeps is still in place
        return false;
    }
    noteFileOnDisk(FileIdentity::of(m_fileName));
    // A restore deletes nothing: the backups it passes over stay for the next change of mind.
    if (!m_restoring)
        backups::prune(m_fileName, *kept);
    if (replacedElsewhere)
        tellReplacedElsewhere(*kept);
    if (m_onSaved)
        m_onSaved();
    return true;
}

std::optional<QString> DataFile::keepPresentVersion()
{
    const backups::Kept kept = backups::keep(m_fileName);
    if (kept.failure.isEmpty())
        return kept.path;
    if (m_restoring) {
        setError(QStringLiteral("replace"),
                 QStringLiteral("its present version could not be kept as a backup first (%1), "
                                "so it was left as it is.")
                     .arg(kept.failure));
        return std::nullopt;
    }
    // The change goes ahead: the user hears once that it has no way back.
    if (m_onNotice && !std::exchange(m_toldNoBackup, true))
        m_onNotice(QStringLiteral("Zestora saved %1, but the version it replaced could not be "
                                  "kept as a backup: %2. Later changes of %1 may go without a "
                                  "backup too; Zestora does not say so again.")
                       .arg(m_fileName, kept.failure));
    return QString();
}

bool DataFile::restore(QByteArrayView bytes)
{
    // Restoring never loses the version it replaces, not even one that could not be read.
    const bool unreadable = std::exchange(m_unreadable, false);
    m_restoring = true;
    const bool restored = replace({bytes});
    m_restoring = false;
    m_unreadable = unreadable && !restored;
    return restored;
}

int DataFile::removeLeftovers(const QString& fileName)
{
    // QSaveFile names its temporary file after the target with six random letters or digits; a
    // data file that is a link is written beside the file it leads to, so a save stopped there
    // leaves its temporary file in that folder.
    const auto removeBeside = [](const QFileInfo& target) {
        const QRegularExpression leftover(QRegularExpression::anchoredPattern(
            QRegularExpression::escape(target.fileName()) + QStringLiteral("\\.[A-Za-z0-9]{6}")));
        const QDir dir = target.absoluteDir();
        int removed = 0;
        for (const QString& name :
             dir.entryList({target.fileName() + QStringLiteral(".*")}, QDir::Files | QDir::Hidden))
            removed += leftover.match(name).hasMatch() && QFile::remove(dir.filePath(name));
        return removed;
    };
    const QFileInfo file(fileName);
    int removed = removeBeside(file);
    if (file.isSymLink() && !file.canonicalFilePath().isEmpty())
        removed += removeBeside(QFileInfo(file.canonicalFilePath()));
    return removed;
}

bool DataFile::remove()
{
    if (refuseIfUnreadable(QStringLiteral("delete")) || !readBytesKept(QStringLiteral("delete")) ||
        !copyAsideIfPending())
        return false;
    // A link stays where the user put it: the file it leads to is emptied instead, which loads
    // as no records, just as no file does.
    if (QFileInfo(m_fileName).isSymLink())
        return writeAtomically({});
    QFile file(m_fileName);
    if (!file.exists()) {
        noteFileOnDisk(std::nullopt);
        return true;
    }
    const bool replacedElsewhere = changedElsewhere();
    const std::optional<QString> kept = keepPresentVersion();
    if (!kept)
        return false;
    if (!file.remove()) {
        setError(QStringLiteral("delete"), file.errorString());
        if (!kept->isEmpty())
            QFile::remove(*kept);
        return false;
    }
    noteFileOnDisk(std::nullopt);
    backups::prune(m_fileName, *kept);
    if (replacedElsewhere)
        tellReplacedElsewhere(*kept);
    return true;
}

QString DataFile::keepOriginalBeforeNextChange()
{
    if (m_backupName.isEmpty()) {
        QString candidate = m_fileName + QStringLiteral(".damaged");
        for (int n = 2; QFile::exists(candidate); ++n)
            candidate = m_fileName + QStringLiteral(".damaged-%1").arg(n);
        m_backupName = candidate;
    }
    return m_backupName;
}

bool DataFile::copyAsideIfPending()
{
    if (m_backupName.isEmpty())
        return true;
    QFile original(m_fileName);
    if (original.exists() && !original.copy(m_backupName)) {
        setError(QStringLiteral("keep a copy of"),
                 QStringLiteral("copying it to %1 failed (%2), so it was left unchanged")
                     .arg(m_backupName, original.errorString()));
        return false;
    }
    m_backupName.clear();
    return true;
}

} // namespace zestora
