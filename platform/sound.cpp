#include "platform/sound.h"

#include "core/shell/wavelength.h"

#include <QAudioDevice>
#include <QEventLoop>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

namespace zestora {

Sound::Outcome Sound::playToEnd(const QString& file)
{
    QFile wave(file);
    if (!wave.open(QIODevice::ReadOnly))
        return Outcome::NoFile;
    const std::optional<int> length = waveLengthMs(wave);
    if (!length)
        return Outcome::NotAWave;
    if (QMediaDevices::audioOutputs().isEmpty())
        return Outcome::NoDevice;

    QSoundEffect effect;
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    Outcome outcome = Outcome::CutShort;
    const auto finish = [&](Outcome how) {
        outcome = how;
        loop.quit();
    };
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&effect, &QSoundEffect::statusChanged, &loop, [&] {
        if (effect.status() == QSoundEffect::Error)
            finish(Outcome::Failed);
    });
    QObject::connect(&effect, &QSoundEffect::playingChanged, &loop, [&] {
        if (!effect.isPlaying())
            finish(Outcome::Played);
    });
    effect.setSource(QUrl::fromLocalFile(wave.fileName()));
    // Played as soon as it is loaded.
    effect.play();
    limit.start(*length + marginMs);
    if (effect.status() != QSoundEffect::Error)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    else
        outcome = Outcome::Failed;
    effect.stop();
    return outcome;
}

} // namespace zestora
