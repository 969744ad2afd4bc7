#include "core/store/datafile.h"

#include <QFile>
#include <QSaveFile>

namespace zestora {

DataFile::DataFile(QString fileName)
    : m_fileName(std::move(fileName))
{
}

void DataFile::setError(const QString& what, const QString& why)
{
    m_error = QStringLiteral("Zestora could not %1 the file %2: %3").arg(what, m_fileName, why);
}

std::optional<QByteArray> DataFile::readAll()
{
    QFile file(m_fileName);
    if (!file.exists()) {
        if (!file.open(QIODevice::WriteOnly)) {
            setError(QStringLiteral("create"), file.errorString());
            return std::nullopt;
        }
        return QByteArray();
    }
    if (!file.open(QIODevice::ReadOnly)) {
        setError(QStringLiteral("read"), file.errorString());
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        setError(QStringLiteral("read"), file.errorString());
        return std::nullopt;
    }
    return bytes;
}

bool DataFile::replace(std::initializer_list<QByteArrayView> parts)
{
    return copyAsideIfPending() && writeAtomically(parts);
}

bool DataFile::writeAtomically(std::initializer_list<QByteArrayView> parts)
{
    // QSaveFile writes a temporary file beside the target, flushes it to disk and renames it over
    // the old file, so a crash or a full disk leaves the old file whole.
    QSaveFile file(m_fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        setError(QStringLiteral("save"), file.errorString());
        return false;
    }
    for (QByteArrayView part : parts) {
        if (file.write(part.data(), part.size()) != part.size()) {
            setError(QStringLiteral("save"), file.errorString());
            file.cancelWriting();
            return false;
        }
    }
    if (!file.commit()) {
        setError(QStringLiteral("save"), file.errorString());
        return false;
    }
    return true;
}

bool DataFile::remove()
{
    if (!copyAsideIfPending())
        return false;
    QFile file(m_fileName);
    if (file.exists() && !file.remove()) {
        setError(QStringLiteral("delete"), file.errorString());
        return false;
    }
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
