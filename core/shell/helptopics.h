#pragma once

#include <QList>
#include <QString>

// Where the help file is and how a help context number names a topic in it.
namespace zestora::help {

inline const QString fileName = QStringLiteral("Zestora Help.html");

// The help file beside the program: the program's folder trimmed of spaces, a separator unless
// the folder already ends with one, then the file name.
QString helpFilePath(const QString& programDir);

// The anchor of a context number's topic in the help file.
QString topicAnchor(int context);

// The context numbers of the screens' topics.
constexpr int analysisContext = 320;
constexpr int headingContext = 330;
constexpr int contentsContext = 340;
constexpr int wizardContext = 430; // plus ten for each step
constexpr int searchContext = 540;
constexpr int emailContext = 590;
constexpr int pasteContext = 600;  // pasting ingredient lines and importing recipes
constexpr int saveAsContext = 610; // saving recipes to a file in the export formats

// Every context number a screen asks for.
QList<int> contextNumbers();

} // namespace zestora::help
