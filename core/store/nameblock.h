#pragma once

#include <QByteArrayView>
#include <QString>

namespace zestora {

// The names of a data file decoded side by side into one block of memory, each given out as a
// QString that shares the block. A load of 32,767 names so makes one allocation instead of one a
// name: on a machine where each fresh page of memory costs a fault, most of a load's time went to
// the pages of those small allocations and their bookkeeping.
//
// A name given out is a QString like any other: it keeps the block alive while it lives, ends in
// the zero every QString's text ends in, and is copied out of the block when it is first changed.
class NameBlock {
public:
    // Room for names of exactly this many characters in all, each with its zero, made present at
    // once (prefault): the block then never moves.
    void reserve(qsizetype characters);
    // Decodes a name from code page 1252 after those appended before, followed by its zero.
    void append(QByteArrayView bytes);
    // The name of size characters appended at that place, sharing the block. Asked for once all
    // names are appended: the block may still move while it grows.
    QString name(qsizetype at, qsizetype size) const;

private:
    QString m_block; // the names one after another, each followed by its zero
};

} // namespace zestora
