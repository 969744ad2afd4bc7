#pragma once

#include "core/exchange/recipeexport.h"

namespace zestora {

class ExportFile;
struct Session;

// Writes the recipes of indexes into the file (opened, not committed) as one PDF document: each
// recipe on a page of its own (a long one on more), exactly as the stored recipes screen's Print
// tool prints it. A recipe whose ingredient the database lacks cannot be shown, so it is left
// out with a warning.
exchange::Outcome writeRecipesPdf(Session& session, const QList<int>& indexes, ExportFile& file,
                                  const exchange::Progress& progress = {});

// Writes the recipes of indexes into the file (opened) in any format and puts it in place:
// written is true only when the whole file is on the disk. Otherwise, cancelled or not, nothing
// of it is left and the file's errorString() says why it failed.
exchange::Outcome exportRecipes(Session& session, exchange::Format format,
                                const QList<int>& indexes, ExportFile& file,
                                const exchange::Progress& progress = {});

} // namespace zestora
