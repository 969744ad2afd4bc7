#include "core/paste/foodchoices.h"

#include "core/paste/foodmatcher.h"
#include "core/store/pairsfile.h"

namespace zestora::paste {

QString FoodChoices::key(const QString& food)
{
    QStringList words = matchWords(food);
    words.removeIf(isStopWord);
    words.sort();
    words.removeDuplicates();
    return words.join(u' ');
}

void FoodChoices::load()
{
    m_chosen.clear();
    for (const auto& [words, name] : pairsfile::read(fileName))
        m_chosen.insert(words, name);
}

QString FoodChoices::chosenFor(const QString& food) const
{
    return m_chosen.value(key(food));
}

bool FoodChoices::remember(const QList<Choice>& choices)
{
    bool changed = false;
    for (const auto& [food, name] : choices) {
        const QString words = key(food);
        if (words.isEmpty() || m_chosen.value(words) == name)
            continue;
        m_chosen.insert(words, name);
        changed = true;
    }
    if (!changed)
        return true;
    QStringList keys = m_chosen.keys();
    keys.sort();
    pairsfile::Pairs pairs;
    for (const QString& key : keys)
        pairs.append({key, m_chosen.value(key)});
    return pairsfile::write(fileName, pairs, &m_error);
}

} // namespace zestora::paste
