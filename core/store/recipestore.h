#pragma once

#include "core/store/datafile.h"
#include "core/store/ingtable.h"

#include <QHash>
#include <QList>

namespace zestora {

// One recipe of the store. Its name and body are places in the store's text, so that loading and
// saving never copy a recipe on its own.
struct RecipeEntry {
    QString recipeName; // as it stands in the file between the record start and the body
    qsizetype nameAt = 0;
    qsizetype nameSize = 0;
    qsizetype bodyAt = 0; // the body runs from its start mark through the record end mark
    qsizetype bodySize = 0;
};

// The recipe store: the file Recipe.Dat, its text without the final CR LF, and the recipes split
// out of it in file order. The text is kept as the file's bytes, so saving never re-encodes it.
// Until it first changes it is the file mapped into memory, which costs only the pages looked at:
// the data folder is the program's for the run, and each of its saves puts a new file in place
// of the old one, so the mapped file stays as it was read.
class RecipeStore {
public:
    static constexpr int maxCount = 32767;
    inline static const QString fileName = QStringLiteral("Recipe.Dat");

    explicit RecipeStore(std::unique_ptr<DataFile> file = nullptr);

    // Reads the file and splits it: what getBigRecipe and splitBigRecipe find wrong, in one report.
    std::optional<LoadProblem> load();
    std::optional<LoadProblem> getBigRecipe();
    std::optional<LoadProblem> splitBigRecipe();

    bool saveBigRecipe();
    // Adds a complete record (record start, name, body) at the end and saves.
    bool appendRecipe(const QString& name, const QString& record);
    struct NewRecipe {
        QString name;
        QString record;
    };
    // Adds complete records at the end, in order, with one save: all or none.
    bool appendRecipes(const QList<NewRecipe>& recipes);
    // Removes the recipe whose trimmed name is exactly the given one, moving the last recipe into
    // its place, and saves; removing the last one left deletes the file. Any other name changes
    // nothing.
    bool deleteRecipeByName(const QString& name);

    int count() const { return static_cast<int>(m_list.size()); }
    const QList<RecipeEntry>& recipeList() const { return m_list; }
    QStringList recipeNames() const;
    // The same in the order of the name lists (orderForPeople), sorted where the names lie.
    QStringList namesForPeople() const;
    // The last recipe whose trimmed name equals the given one trimmed, ignoring letter case, as
    // the stored recipes screen finds the recipe to show; -1 when there is none. Not for use from
    // two threads at once: the names' index is made here when first worth it.
    int lastIndexOfNameIgnoringCase(const QString& name) const;
    // The record of recipe index from its body start mark through its record end mark.
    QString recipeBody(int index) const;
    QByteArrayView recipeBodyBytes(int index) const;
    const QByteArray& bigRecipeBytes() const { return m_bigRecipe; }
    QString bigRecipe() const;

    const QString& errorString() const { return m_error; }
    DataFile& file() { return *m_file; }

private:
    // Where a record begins (its record start character) and where the next one begins.
    static qsizetype recordAt(const RecipeEntry& entry) { return entry.nameAt - 1; }
    static qsizetype recordEnd(const RecipeEntry& entry) { return entry.bodyAt + entry.bodySize; }

    // Makes the text the store's own, so that it can change in place.
    void ownText();
    // The text after a delete: the last record in the place of the one at index, the records
    // between them moved up or down, the list's places with them. Does not shrink the list.
    void moveLastRecordInto(qsizetype index);
    bool rewrite(std::initializer_list<QByteArrayView> parts);
    // The records of list one after another, taken from text; the entries then point into it.
    static QByteArray joinRecords(const QByteArray& text, QList<RecipeEntry>& list);
    // The names' index, from the recipe at from to the last; forgetIndex drops it when the list
    // changes otherwise than at its end.
    void indexNames(qsizetype from) const;
    void forgetIndex();

    std::unique_ptr<DataFile> m_file;
    FileContents m_contents; // the file as read, which the text is part of until it first changes
    QByteArray m_bigRecipe;
    QList<RecipeEntry> m_list;
    QString m_error;
    // Each case-folded trimmed name's last recipe, made once enough look-ups since the last
    // change have read every name; until then a look-up reads them as they are.
    mutable QHash<QString, int> m_byName;
    mutable bool m_indexed = false;
    mutable int m_scans = 0;
};

// One field of a recipe line: the text strictly between the first start mark and the first end
// mark (both searched from the beginning), after trimming spaces from all three inputs.
QString textBetween(QStringView text, QStringView startMark, QStringView endMark);

} // namespace zestora
