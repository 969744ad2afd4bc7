#pragma once

#include "core/paste/foodmatcher.h"
#include "core/paste/kitchenmeasures.h"
#include "core/paste/linereview.h"

#include <chrono>
#include <future>
#include <memory>

namespace zestora {
class IngTable;
}

namespace zestora::paste {

// What matching pasted and imported lines needs for the whole run: the stored foods' names
// indexed once, and again only after the ingredient table changed; the tables beside the starter
// database read once; the foods the user chose before, from the data folder (the working
// directory). Everything is read when it is first needed.
class FoodIndex {
public:
    FoodIndex(const IngTable& ingredients, QString starterDir);
    ~FoodIndex();

    const IngTable& ingredients() const { return m_ingredients; }
    // Starts indexing the names on a thread of its own (which also reads the tables the first
    // time), unless the index is up to date or on its way: the first line matched then finds it
    // made. Called once the ingredients are loaded, and again after they changed.
    void prepare();
    // Whether the index is made for the table as it is now, waiting at most that long for one
    // being made; starts making one when none is on its way. A window that cannot wait keeps
    // itself painted between short waits.
    bool indexReady(std::chrono::milliseconds wait = {});
    // The index, waiting for one being made; made here when there is none for the table as it
    // is now.
    const FoodMatcher& matcher();
    const HouseholdWeights& weights();
    // The user's choices, which the matcher consults as they change.
    FoodChoices& choices();

    // Whose cups and spoons the lines are read in; American until set.
    void setMeasures(KitchenMeasures measures) { m_measures = measures; }
    KitchenMeasures measures() const { return m_measures; }

    // The line as the matcher reads it first, in the measures set: its best foods, the best
    // chosen when good enough.
    ReviewedLine review(IngredientLine line);
    // The same for a text's lines, leaving out the blank ones.
    QList<ReviewedLine> reviewAll(const QList<IngredientLine>& lines);
    // A whole recipe's lines, reviewed: which of them nobody eats, and what those count.
    void countUneaten(QList<ReviewedLine>& lines, QStringView directions);

private:
    // What the thread makes: the index, and the tables when they were not read before.
    struct Built {
        std::optional<MatchingTables> tables;
        std::unique_ptr<FoodMatcher> matcher;
    };
    void loadTables();
    // Waits for the thread's work, if any, and keeps what is still of use.
    void takeBuilt();

    const IngTable& m_ingredients;
    QString m_starterDir;
    std::optional<MatchingTables> m_tables;
    std::optional<FoodChoices> m_choices;
    std::unique_ptr<FoodMatcher> m_matcher;
    quint64 m_indexedRevision = 0;
    KitchenMeasures m_measures = KitchenMeasures::US;
    std::future<Built> m_building;
    quint64 m_buildingRevision = 0;
};

} // namespace zestora::paste
