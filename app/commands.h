#pragma once

#include <optional>

namespace zestora {

// The command-line tools, which need no window: import-usda, backups, restore, export, analyze
// and import. The exit code when the first argument names one of them, nullopt otherwise.
std::optional<int> runCommandLineTool(int argc, char* argv[]);

} // namespace zestora
