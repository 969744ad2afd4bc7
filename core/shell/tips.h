#pragma once

#include <QStringList>

#include <optional>

// The tips file: one tip per line, beside the program.
namespace zestora::tips {

inline const QString fileName = QStringLiteral("TIPOFDAY.TXT");

// The tips of the file at path, first line first; every line is a tip, empty ones too. Lines end
// with CR LF (a bare CR or LF is taken as well, for a file edited elsewhere); the text is code
// page 1252. nullopt when the path is empty or names no file that can be read.
std::optional<QStringList> loadTips(const QString& path);

// The tip after position in a list of count tips, positions counted from 1; after the last the
// first comes again.
int nextTip(int position, int count);

} // namespace zestora::tips
