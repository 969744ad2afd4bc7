#pragma once

#include <QByteArray>
#include <QFile>

#include <memory>

namespace zestora {

// The bytes of a data file as read: held in memory of their own, or mapped from the file, which
// costs only the pages looked at. A mapping is private: nothing written into it would reach the
// file. It lasts as long as this object.
class FileContents {
public:
    explicit FileContents(QByteArray bytes = {})
        : m_owned(std::move(bytes))
        , m_bytes(m_owned)
    {
    }
    FileContents(std::unique_ptr<QFile> file, const uchar* mapped, qsizetype size)
        : m_file(std::move(file))
        , m_bytes(reinterpret_cast<const char*>(mapped), size)
    {
    }
    FileContents(FileContents&& other) noexcept { *this = std::move(other); }
    FileContents& operator=(FileContents&& other) noexcept
    {
        m_file = std::move(other.m_file);
        m_owned = std::move(other.m_owned);
        m_bytes = m_file ? other.m_bytes : QByteArrayView(m_owned);
        m_released = other.m_released;
        other.m_bytes = {};
        return *this;
    }

    QByteArrayView bytes() const { return m_bytes; }
    bool isMapped() const { return m_file != nullptr; }
    // Says that the mapped bytes before `end` are not needed for now: the pages are given back to
    // the system, which reads them from the file again when they are next looked at. A long scan
    // so holds few pages at a time.
    void releaseBefore(qsizetype end);

private:
    std::unique_ptr<QFile> m_file; // holds the mapping
    qsizetype m_released = 0;
    QByteArray m_owned;
    QByteArrayView m_bytes;
};

} // namespace zestora
