#include "core/exchange/exportfile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace zestora {

namespace {
// Written to the disk in pieces of this size, so that a large export needs no second copy of
// itself in memory.
constexpr qsizetype bufferSize = 1 << 20;

// Whether no export holds the file: each holds a lock on its own temporary file while it runs.
bool unheld(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return false;
    const bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return free;
}

// The temporary files of exports to this path that were killed before they put their file in
// place ("out.json.Ab12Cd"): only files of exactly that name that no running export holds. An
// ending that reads as a word ("out.json.backup", "out.json.Backup") is the user's own file.
void removeKilledExports(const QString& path)
{
    const QFileInfo target(path);
    static const QRegularExpression random(QStringLiteral("^[A-Za-z0-9]{6}$"));
    static const QRegularExpression word(QStringLiteral("^(?:[A-Za-z][a-z]{5}|[A-Z]{6})$"));
    const QString start = target.fileName() + u'.';
    for (const QFileInfo& found : target.absoluteDir().entryInfoList(
             {start + QStringLiteral("??????")}, QDir::Files | QDir::Hidden | QDir::System)) {
        const QString ending = found.fileName().sliced(start.size());
        if (!found.isSymLink() && found.fileName().startsWith(start) &&
            random.match(ending).hasMatch() && !word.match(ending).hasMatch() &&
            unheld(found.filePath()))
            QFile::remove(found.filePath());
    }
}
} // namespace

ExportFile::ExportFile(const QString& path)
    : m_path(QFileInfo(path).absoluteFilePath())
{
}

ExportFile::~ExportFile()
{
    cancel();
}

bool ExportFile::abandon(const QString& why)
{
    m_error =
        QStringLiteral("Zestora could not write %1: %2").arg(QDir::toNativeSeparators(m_path), why);
    m_failed = true;
    cancel();
    return false;
}

bool ExportFile::open(Existing existing)
{
    if (QFileInfo(m_path).isDir())
        return abandon(QStringLiteral("that is a folder."));
    m_exists = QFileInfo::exists(m_path) || QFileInfo(m_path).isSymLink();
    if (m_exists && existing == Existing::Keep) {
        m_error = QStringLiteral("%1 already exists.").arg(QDir::toNativeSeparators(m_path));
        return false;
    }
    // Unbuffered: every write reaches the file at once, so each failure is seen where it happens
    // and none is left for a final flush that the commit would not check.
    removeKilledExports(m_path);
    m_file.emplace(m_path);
    if (!m_file->open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return abandon(m_file->errorString());
    // Held until the file is in place, so that another export leaves this one's file alone.
    ::flock(m_file->handle(), LOCK_EX | LOCK_NB);
    m_buffer.reserve(bufferSize);
    return true;
}

bool ExportFile::flushBuffer()
{
    if (m_failed || !m_file)
        return false;
    if (m_buffer.isEmpty())
        return true;
    // A write that fills the disk may take part of the bytes; the next one then says why.
    for (qsizetype done = 0; done < m_buffer.size();) {
        const qint64 written = m_file->write(m_buffer.constData() + done, m_buffer.size() - done);
        if (written <= 0)
            return abandon(m_file->error() == QFileDevice::ResourceError
                               ? QStringLiteral("the disk is full.")
                               : m_file->errorString());
        done += written;
    }
    m_buffer.clear();
    return true;
}

bool ExportFile::write(QByteArrayView bytes)
{
    if (m_failed)
        return false;
    m_buffer.append(bytes);
    return m_buffer.size() < bufferSize || flushBuffer();
}

bool ExportFile::commit()
{
    if (!flushBuffer())
        return false;
    if (::fsync(m_file->handle()) != 0 && errno != EINVAL)
        return abandon(errno == ENOSPC ? QStringLiteral("the disk is full.")
                                       : QString::fromLocal8Bit(std::strerror(errno)));
    const bool committed = m_file->commit();
    const QString why = m_file->errorString();
    m_file.reset();
    return committed || abandon(why);
}

void ExportFile::cancel()
{
    // An uncommitted QSaveFile removes its temporary file as it goes.
    if (m_file)
        m_file->cancelWriting();
    m_file.reset();
}

} // namespace zestora
