#include "core/store/prefault.h"

#include <sys/mman.h>
#include <unistd.h>

namespace zestora {

void prefault(const void* begin, qsizetype bytes)
{
#ifdef MADV_POPULATE_WRITE
    static const quintptr page = quintptr(::sysconf(_SC_PAGESIZE));
    const quintptr first = (quintptr(begin) + page - 1) & ~(page - 1);
    const quintptr end = (quintptr(begin) + quintptr(bytes)) & ~(page - 1);
    // Smaller ranges are not worth the call. A failure (an older system) leaves the faults.
    if (bytes > 0 && end >= first + 16 * page)
        ::madvise(reinterpret_cast<void*>(first), end - first, MADV_POPULATE_WRITE);
#else
    Q_UNUSED(begin);
    Q_UNUSED(bytes);
#endif
}

} // namespace zestora
