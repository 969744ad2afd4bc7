#pragma once

#include "core/store/filecontents.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <initializer_list>
#include <optional>

namespace zestora {

// One data file, named without a directory so that it lives in the working directory the launcher
// chose. Every change replaces the whole file atomically: at every instant the disk holds either
// the complete old file or the complete new one. The version a change replaces is kept in the
// backups folder. Tests derive from it to make writes fail.
//
// Another program may change the file while Zestora runs. What Zestora read stays as it was read
// (MappedFile), and the next change saves that with the change made: the other program's version
// is then kept in the backups folder like any replaced version, and the user hears of it once. Only
// when what was read could not be kept (the file changed under a mapping before it was copied) is
// nothing saved from it.
class DataFile {
public:
    explicit DataFile(QString fileName);
    virtual ~DataFile() = default;
    DataFile(const DataFile&) = delete;
    DataFile& operator=(const DataFile&) = delete;

    const QString& fileName() const { return m_fileName; }

    // The whole file; an absent file is created empty first, as the program always did. When the
    // file cannot be read, readFailure() says why; a file that exists but cannot be read is then
    // never replaced or removed, since nothing of it could be kept.
    virtual std::optional<QByteArray> readAll();
    const QString& readFailure() const { return m_readFailure; }
    // For a command that only reads: an absent file reads as empty and is not created, so that
    // reading leaves no file that would later pass for the user's own.
    void readWithoutCreating() { m_createMissing = false; }
    // The same, but a file with bytes in it is mapped into memory rather than copied where that is
    // safe: reading a large file then costs no more than looking at it.
    virtual std::optional<FileContents> readMapped();
    // The new content is the parts one after another, written without joining them first.
    bool replace(std::initializer_list<QByteArrayView> parts);
    bool remove();
    // Puts a backup's bytes in place of the file, also of one that could not be read, but only
    // when the version it replaces could be kept as a backup first.
    bool restore(QByteArrayView bytes);

    // Removes what interrupted rewrites of the named file left in the working directory: their
    // temporary files, each a complete or partial newer version that was never put in place.
    // Only for the one program that holds the folder. Returns how many were removed.
    static int removeLeftovers(const QString& fileName);

    // The file as read could not be understood completely: before it is next replaced or
    // removed, its original bytes are copied aside under this name so nothing unreadable is lost.
    QString keepOriginalBeforeNextChange();
    const QString& pendingBackupName() const { return m_backupName; }

    // The file changed under the mapping it was read from before its bytes could be kept: what
    // was read of it is lost (zeros where the file was cut short), and nothing is saved from it.
    bool readBytesLost() const;

    // Why the last operation failed, naming the file.
    const QString& errorString() const { return m_error; }

    // Told, once each, when a change went ahead although the version it replaced could not be
    // kept, and when it replaced a version another program had made.
    void setNoticeHandler(std::function<void(const QString&)> onNotice)
    {
        m_onNotice = std::move(onNotice);
    }
    // Told after each rewrite that reached the disk, as proof that the folder takes writes.
    void setSavedHandler(std::function<void()> onSaved) { m_onSaved = std::move(onSaved); }

protected:
    virtual bool writeAtomically(std::initializer_list<QByteArrayView> parts);
    void setError(const QString& what, const QString& why);
    // The file cannot be read, for this reason: it is then never replaced or removed.
    void setReadFailure(const QString& why);

private:
    // The file as read or last written here, for telling whether another program changed it.
    void noteFileOnDisk(std::optional<FileIdentity> identity);
    bool changedElsewhere() const;
    // False, with the error set, when the bytes read from a mapping were lost.
    bool readBytesKept(const QString& what);
    void tellReplacedElsewhere(const QString& kept);
    bool copyAsideIfPending();
    bool refuseIfUnreadable(const QString& what);
    // The backup made of the version on disk (empty when there was none to keep); nullopt when
    // it could not be kept and the change must not go ahead.
    std::optional<QString> keepPresentVersion();

    QString m_fileName;
    QString m_backupName;
    QString m_error;
    QString m_readFailure;
    bool m_unreadable = false;
    bool m_createMissing = true;
    bool m_restoring = false;
    bool m_toldNoBackup = false;
    bool m_toldChangedElsewhere = false;
    bool m_onDiskKnown = false;
    std::optional<FileIdentity> m_onDisk; // nullopt: no file
    std::shared_ptr<MappedFile::State> m_mapped;
    std::function<void(const QString&)> m_onNotice;
    std::function<void()> m_onSaved;
};

} // namespace zestora
