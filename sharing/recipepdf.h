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

} // namespace zestora
