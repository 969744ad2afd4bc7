#include "core/paste/foodindex.h"

#include "core/store/ingtable.h"

namespace zestora::paste {

FoodIndex::FoodIndex(const IngTable& ingredients, QString starterDir)
    : m_ingredients(ingredients)
    , m_starterDir(std::move(starterDir))
{
}

FoodIndex::~FoodIndex() = default;

void FoodIndex::loadTables()
{
    if (m_tables)
        return;
    // The thread may be reading them already.
    takeBuilt();
    if (!m_tables)
        m_tables = MatchingTables::load(m_starterDir);
}

void FoodIndex::takeBuilt()
{
    if (!m_building.valid())
        return;
    Built built = m_building.get();
    if (!m_tables)
        m_tables = std::move(built.tables);
    // Made for the table as it was: of use only if it has not changed since.
    if (m_buildingRevision == m_ingredients.revision()) {
        m_matcher = std::move(built.matcher);
        m_indexedRevision = m_buildingRevision;
    }
}

const HouseholdWeights& FoodIndex::weights()
{
    loadTables();
    return m_tables->weights;
}

FoodChoices& FoodIndex::choices()
{
    if (!m_choices) {
        m_choices.emplace();
        m_choices->load();
    }
    return *m_choices;
}

void FoodIndex::prepare()
{
    if (m_building.valid() || (m_matcher && m_indexedRevision == m_ingredients.revision()))
        return;
    m_buildingRevision = m_ingredients.revision();
    // The tables beside the starter database are read on the thread too, the first time: read on
    // the window's thread they held it still for a tenth of a second. The thread gets its own
    // shares of what it reads.
    std::optional<std::pair<CooksNames, FormsLeftOut>> known;
    if (m_tables)
        known.emplace(m_tables->names, m_tables->forms);
    m_building =
        std::async(std::launch::async,
                   [&ingredients = m_ingredients, names = m_ingredients.trimmedNames(),
                    known = std::move(known), dir = m_starterDir, choices = &choices()]() mutable {
                       Built built;
                       if (!known) {
                           built.tables = MatchingTables::load(dir);
                           known.emplace(built.tables->names, built.tables->forms);
                       }
                       built.matcher = std::make_unique<FoodMatcher>(
                           ingredients, known->second.namesWithForms(std::move(names)),
                           std::move(known->first), choices);
                       return built;
                   });
}

bool FoodIndex::indexReady(std::chrono::milliseconds wait)
{
    prepare();
    return !m_building.valid() || m_building.wait_for(wait) == std::future_status::ready;
}

const FoodMatcher& FoodIndex::matcher()
{
    takeBuilt();
    if (!m_matcher || m_indexedRevision != m_ingredients.revision()) {
        loadTables();
        m_matcher = std::make_unique<FoodMatcher>(m_ingredients, m_tables->names, &choices(),
                                                  m_tables->forms);
        m_indexedRevision = m_ingredients.revision();
    }
    return *m_matcher;
}

ReviewedLine FoodIndex::review(IngredientLine line)
{
    readInMeasures(line, m_measures);
    return reviewLine(line, matcher(), m_ingredients, weights());
}

QList<ReviewedLine> FoodIndex::reviewAll(const QList<IngredientLine>& lines)
{
    return reviewLines(lines, m_measures, matcher(), m_ingredients, weights());
}

void FoodIndex::countUneaten(QList<ReviewedLine>& lines, QStringView directions)
{
    findUneaten(lines, directions, m_ingredients);
    countParts(lines, m_ingredients, weights());
}

} // namespace zestora::paste
