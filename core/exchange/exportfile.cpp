#include "core/exchange/exportfile.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace zestora {

namespace {
// Written to the disk in pieces of this size, so that a large export needs no second copy of
// itself in memory.
constexpr qsizetype bufferSize = 1 << 20;
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
    m_file.emplace(m_path);
    if (!m_file->open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return abandon(m_file->errorString());
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
