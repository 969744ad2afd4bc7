#pragma once

namespace zestora {

// zestora export [--format pdf|html|mmf|json] [--all | NAME...] -o FILE [--force]
// [--data-dir DIR]: writes stored recipes to a file other programs read. Makes its own
// application object (PDF pages are laid out on widgets, on no display). Returns the
// process's exit code.
int exportCommand(int argc, char* argv[]);

} // namespace zestora
