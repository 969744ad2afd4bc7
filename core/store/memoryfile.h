#pragma once

#include "core/store/datafile.h"

namespace zestora {

// A data file held in memory: a store over it reads and writes these bytes and never the disk.
// Fuzzing runs without waiting for a disk; printing lays a recipe out from a store of its own.
class MemoryFile : public DataFile {
public:
    explicit MemoryFile(const QString& name, QByteArray bytes = {})
        : DataFile(name)
        , m_bytes(std::move(bytes))
    {
    }
    std::optional<QByteArray> readAll() override { return m_bytes; }
    std::optional<FileContents> readMapped() override { return FileContents(m_bytes); }
    const QByteArray& bytes() const { return m_bytes; }

protected:
    bool writeAtomically(std::initializer_list<QByteArrayView> parts) override
    {
        m_bytes.clear();
        for (QByteArrayView part : parts)
            m_bytes.append(part);
        return true;
    }

private:
    QByteArray m_bytes;
};

} // namespace zestora
