#pragma once

#include <QtGlobal>

#include <utility>

namespace zestora {

// Makes the memory of [begin, begin + bytes), which the caller has just allocated and is about to
// fill, present in one call to the system rather than one fault a page as it is first written.
// Where faults are dear (in a virtual machine a fault costs about twice what this does a page),
// this is most of what filling large new lists costs. The pages at either end that the range only
// partly covers are left to fault as usual; without the call's support nothing happens.
void prefault(const void* begin, qsizetype bytes);

// Room for count elements in a list about to be filled with them, made present (prefault).
template <typename List> void reservePresent(List& list, qsizetype count)
{
    list.reserve(count);
    prefault(std::as_const(list).data(), count * qsizetype(sizeof(*std::as_const(list).data())));
}

} // namespace zestora
