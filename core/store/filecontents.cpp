#include "core/store/filecontents.h"

#include <sys/mman.h>
#include <unistd.h>

namespace zestora {

void FileContents::releaseBefore(qsizetype end)
{
    if (!m_file)
        return;
    static const quintptr page = quintptr(::sysconf(_SC_PAGESIZE));
    const auto at = [this](qsizetype offset) {
        return quintptr(m_bytes.data() + offset);
    };
    // Whole pages only: the page the scan has reached stays.
    const quintptr from = (at(m_released) + page - 1) & ~(page - 1);
    const quintptr to = at(qMin(end, m_bytes.size())) & ~(page - 1);
    if (to <= from)
        return;
    // The mapping is private and never written to, so its pages hold nothing but the file's bytes.
    ::madvise(reinterpret_cast<void*>(from), to - from, MADV_DONTNEED);
    m_released = qsizetype(to - quintptr(m_bytes.data()));
}

} // namespace zestora
