#pragma once

#include "core/store/mappedfile.h"

#include <QByteArray>

#include <memory>
#include <utility>

namespace zestora {

// The bytes of a data file as read: held in memory of their own, or mapped from the file, which
// costs only the pages looked at. A mapping lasts as long as this object and keeps showing the file
// as it was read, also when another program changes the file meanwhile (MappedFile).
class FileContents {
public:
    explicit FileContents(QByteArray bytes = {})
        : m_owned(std::move(bytes))
        , m_bytes(m_owned)
    {
    }
    explicit FileContents(std::unique_ptr<MappedFile> mapped)
        : m_mapped(std::move(mapped))
        , m_bytes(m_mapped->bytes())
    {
    }
    FileContents(FileContents&& other) noexcept { *this = std::move(other); }
    FileContents& operator=(FileContents&& other) noexcept
    {
        m_mapped = std::move(other.m_mapped);
        m_owned = std::move(other.m_owned);
        m_bytes = m_mapped ? other.m_bytes : QByteArrayView(m_owned);
        m_released = other.m_released;
        other.m_bytes = {};
        return *this;
    }

    QByteArrayView bytes() const { return m_bytes; }
    // Says that the mapped bytes before `end` are not needed for now: the pages are given back to
    // the system, which reads them from the file again when they are next looked at. A long scan
    // so holds few pages at a time.
    void releaseBefore(qsizetype end)
    {
        if (m_mapped && end > m_released)
            m_mapped->release(std::exchange(m_released, end), end);
    }

private:
    std::unique_ptr<MappedFile> m_mapped;
    qsizetype m_released = 0;
    QByteArray m_owned;
    QByteArrayView m_bytes;
};

} // namespace zestora
