#pragma once

#include <QString>

// The pictures and the tune that lie beside the program.
namespace zestora::programfiles {

inline const QString splashBackground = QStringLiteral("splash.png");
inline const QString splashGif = QStringLiteral("Recipe_3D_GIF.gif");
inline const QString secondGif = QStringLiteral("gif1.gif");
inline const QString programPicture = QStringLiteral("zestora.png");
inline const QString music = QStringLiteral("LV6.wav");

} // namespace zestora::programfiles
