#pragma once

#include "core/exchange/storedrecipe.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// What an imported line said beyond its food ("melted", "finely chopped", "divided"), which a
// stored line has no field for. An import keeps it in a paragraph of the directions, a line for
// each ingredient line that said something, that line as a cook writes it and then its note:
//
//   Notes on the ingredients:
//   2 tbs Butter, salted: melted
//   1 large Onions, raw: finely chopped
//
// so that the user reads it wherever the recipe is shown; the exports write each note after its
// line's food again ("Butter, salted; melted"), where the next import finds it.
namespace zestora::exchange {

constexpr QByteArrayView lineNotesLabel("Notes on the ingredients:");
// Between a line's food and its note in an exported line.
constexpr QByteArrayView noteSeparator("; ");

// The notes of a line read from a source that the food chosen for it does not already say
// ("all-purpose" of a flour whose name says it), joined by ", ".
QString keptNote(const QStringList& notes, const QString& foodName);

// The paragraph for the notes of lines (their marked-up entries, as stored): each line as a cook
// writes it beside its note; empty when there is no note.
QString lineNotesParagraph(const QStringList& entries, const QStringList& notes);
// Directions with the notes of lines added at their start, to the paragraph of notes that leads
// them or in one of their own.
QString withLineNotes(const QString& directions, const QStringList& entries,
                      const QStringList& notes);

// The note of each line of a recipe (empty for a line without one) from such a paragraph; none
// when a line of the paragraph is not a note of the next lines of the recipe, in their order.
std::optional<QList<QByteArrayView>> readLineNotes(QByteArrayView paragraph,
                                                   const QList<StoredRecipe::Line>& lines);

} // namespace zestora::exchange
