#pragma once

#include <QChar>
#include <QStringView>

#include <array>
#include <optional>

// The mark characters of the recipe file, as code page 1252 bytes and as the characters they
// decode to. Each is a single byte in the file.
namespace zestora::marks {

constexpr char recordStart = char(174);     // ®
constexpr char bodyStart = char(167);       // §
constexpr char servingsEnd = char(200);     // È
constexpr char lineStart = char(206);       // Î
constexpr char headingMark = char(165);     // ¥
constexpr char nameEnd = char(207);         // Ï
constexpr char fractionMode = char(188);    // ¼
constexpr char decimalMode = char(208);     // Ð
constexpr char quantityEnd = char(202);     // Ê
constexpr char lineEnd = char(144);         // a control code
constexpr char linesEnd = char(198);        // Æ
constexpr char directionsStart = char(191); // ¿
constexpr char recordEnd = char(223);       // ß

constexpr std::array<char, 13> all{
    recordStart, bodyStart,   servingsEnd, lineStart, headingMark,     nameEnd,  fractionMode,
    decimalMode, quantityEnd, lineEnd,     linesEnd,  directionsStart, recordEnd};

// Every mark but the line end decodes to the Latin-1 character of the same code; 0x90 is
// undefined in code page 1252 and decodes to U+0090.
constexpr QChar asChar(char mark)
{
    return QChar(static_cast<char16_t>(static_cast<unsigned char>(mark)));
}

// The first mark character inside a text a user typed, if any: such a text would break the file.
inline std::optional<QChar> firstMarkIn(QStringView text)
{
    for (QChar c : text)
        for (char mark : all)
            if (c == asChar(mark))
                return c;
    return std::nullopt;
}

} // namespace zestora::marks
