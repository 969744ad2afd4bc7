#include "core/store/nameblock.h"

#include "core/store/prefault.h"
#include "core/text.h"

#include <algorithm>
#include <array>

namespace zestora {

namespace {

// The code page's character for each byte, as decodeCp1252 gives it, for decoding in place.
const std::array<QChar, 256>& codePageCharacters()
{
    static const std::array<QChar, 256> table = [] {
        QByteArray bytes(256, Qt::Uninitialized);
        for (int code = 0; code < 256; ++code)
            bytes[code] = static_cast<char>(code);
        const QString characters = decodeCp1252(bytes);
        std::array<QChar, 256> byByte;
        std::copy(characters.cbegin(), characters.cend(), byByte.begin());
        return byByte;
    }();
    return table;
}

} // namespace

void NameBlock::reserve(qsizetype characters)
{
    reservePresent(m_block, characters);
}

void NameBlock::append(QByteArrayView bytes)
{
    const qsizetype at = m_block.size();
    // Growing keeps the block's memory where it can (realloc): no name has been given out yet.
    m_block.resize(at + bytes.size() + 1);
    const std::array<QChar, 256>& table = codePageCharacters();
    QChar* out = m_block.data() + at;
    for (const char byte : bytes)
        *out++ = table[static_cast<unsigned char>(byte)];
    *out = QChar(0);
}

QString NameBlock::name(qsizetype at, qsizetype size) const
{
    Q_ASSERT(at >= 0 && at + size < m_block.size());
    // A copy of the block's own pointer holds a reference to it; narrowed to the name, it is the
    // name. QString keeps its text where its pointer says, anywhere in the memory it references.
    QString::DataPointer shared = m_block.data_ptr();
    shared.setBegin(shared.data() + at);
    shared.size = size;
    return QString(std::move(shared));
}

} // namespace zestora
