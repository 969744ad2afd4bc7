#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>

#include <optional>

namespace zestora {

// A file that is written whole or not at all: the bytes go to a temporary file beside it, which
// takes the file's name only when every byte is on the disk. A failed write (the disk full, the
// folder not writable) leaves no part of the new file behind and says why.
class ExportFile {
public:
    enum class Existing { Keep, Replace };

    explicit ExportFile(const QString& path);
    ~ExportFile();

    // False when the file exists and is to be kept (alreadyExists() is then true), or when no
    // file can be written there.
    bool open(Existing existing);
    bool write(QByteArrayView bytes);
    // Puts the new file in place; false (and nothing in place) when any write failed.
    bool commit();
    // Drops what was written.
    void cancel();
    // Drops what was written, for a reason the writer found; errorString() then gives it.
    bool abandon(const QString& why);

    bool alreadyExists() const { return m_exists; }
    const QString& path() const { return m_path; }
    const QString& errorString() const { return m_error; }

private:
    bool flushBuffer();

    QString m_path;
    std::optional<QSaveFile> m_file; // while the new file is being written
    QByteArray m_buffer;
    QString m_error;
    bool m_exists = false;
    bool m_failed = false;
};

} // namespace zestora
