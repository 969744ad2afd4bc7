#pragma once

#include <optional>

class QIODevice;

namespace zestora {

// How long a PCM wave file plays, in milliseconds, from its header: the size of its sound data
// over its bytes per second. nullopt for what is not a wave file of that kind.
std::optional<int> waveLengthMs(QIODevice& device);

} // namespace zestora
