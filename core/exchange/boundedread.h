#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

class QFile;

// Reading what a user hands in (a recipe to analyze, a file of recipes to import, standard input)
// with an end: a device without one (/dev/zero, a pipe that never closes) would take all memory.
namespace zestora::exchange {

// The most Zestora reads as one recipe's text, and as one file of recipes to import.
inline constexpr qint64 largestRecipeText = 4 << 20;
inline constexpr qint64 largestRecipeFile = 64 << 20;

// All of the open file (standard input too), or nullopt with why, naming it as name: it could not
// be read or it holds more than limit bytes, of which no more than that are read.
std::optional<QByteArray> readBounded(QFile& file, qint64 limit, const QString& name,
                                      QString* error);

// The sentence for a text of more than limit characters (a paste), naming what it is.
QString tooLarge(const QString& name, qint64 limit);

// Why a text named name cannot be read when it is in UTF-16 or UTF-32 (told by its byte order mark
// or by NUL bytes between its letters); empty for one in UTF-8 or a single-byte code page.
QString encodingRefusal(const QString& name, QByteArrayView bytes);

} // namespace zestora::exchange
