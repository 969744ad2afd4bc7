#pragma once

#include <QByteArrayView>
#include <QString>

#include <atomic>
#include <memory>
#include <optional>

namespace zestora {

// Which file a name or handle stands for and the state of its contents: a change made by writing
// gives another size or modification time, a file put in its place another inode.
struct FileIdentity {
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modified = 0; // nanoseconds

    bool operator==(const FileIdentity&) const = default;
    static std::optional<FileIdentity> of(int fd);
    // nullopt when there is no such file.
    static std::optional<FileIdentity> of(const QString& fileName);
};

// A data file mapped into memory for reading, kept true to the file as it was read.
//
// While the file is mapped Zestora holds a read lease on it: a program that opens the file to
// change it (an editor, a sync tool, "cp" onto it) waits until Zestora has copied the mapped bytes
// into memory of its own, at the same addresses, and let the lease go. A small thread does that at
// once, whatever the rest of the program is busy with. Should the file change all the same (the
// system broke the lease because Zestora did not answer in time, as when it was stopped), the bytes
// are lost: pages past a shortened end read as zeros instead of ending the program, and lost()
// tells, so that nothing is taken from them any more.
class MappedFile {
public:
    class State;

    // nullptr when the file cannot be mapped so: it is absent or empty, or no lease can be taken
    // on it (another program has it open for writing, it is not the user's file, its file system
    // has no leases). The caller then reads it into memory instead.
    static std::unique_ptr<MappedFile> map(const QString& fileName);
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    QByteArrayView bytes() const;
    // The file as it was mapped.
    const FileIdentity& identity() const { return m_identity; }
    // Outlives the mapping, for whoever writes what was read from it.
    const std::shared_ptr<State>& state() const { return m_state; }
    // The mapped pages of [from, to) are not needed for now: they are given back to the system,
    // which reads them from the file again when they are next looked at.
    void release(qsizetype from, qsizetype to);

    // False once the mapped bytes are no longer the file's as it was mapped. Asks the file itself
    // while it is still mapped, so that it holds the moment it answers true.
    static bool intact(State& state);

private:
    MappedFile(std::shared_ptr<State> state, const uchar* data, qsizetype size,
               const FileIdentity& identity);

    std::shared_ptr<State> m_state;
    FileIdentity m_identity;
    const uchar* m_data;
    qsizetype m_size;
};

} // namespace zestora
