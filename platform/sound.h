#pragma once

#include <QString>

namespace zestora {

// Sound playback: a wave file played to its end before the call returns, as the start-up music
// is. The interface does not answer the user meanwhile; timers go on.
class Sound {
public:
    enum class Outcome {
        Played,   // to its end
        NoFile,   // no such file: nothing plays
        NotAWave, // not a wave file that can be played
        NoDevice, // no sound device: nothing plays
        Failed,   // the device refused it
        CutShort, // still "playing" after its length and the margin: the wait ended there
    };

    // How long past its length the wait for a sound goes on at most. Without a working device a
    // player can report "playing" for ever, so the wait is bounded.
    static constexpr int marginMs = 500;

    static Outcome playToEnd(const QString& file);
};

} // namespace zestora
