#include "core/sortednames.h"

#include "core/store/prefault.h"
#include "core/text.h"

#include <algorithm>
#include <vector>

namespace zestora {

namespace {

// Small, so that the keys of 32,767 names take few pages of memory: a load's time goes more to
// the pages it touches first than to comparing.
struct Key {
    const QChar* text;
    int size;
    int position;
};

// The lower case of a name's character at a depth, one above its code, so that the end of a name
// (0) comes before any character: "ab" before "ab\0".
int charAt(const Key& key, qsizetype depth)
{
    return depth < key.size ? lowerCaseChar(key.text[depth]).unicode() + 1 : 0;
}

// Orders names that agree up to depth: by their characters from there on, equal ones by position.
bool lessFrom(const Key& a, const Key& b, qsizetype depth)
{
    for (;; ++depth) {
        const int x = charAt(a, depth);
        const int y = charAt(b, depth);
        if (x != y)
            return x < y;
        if (x == 0)
            return a.position < b.position;
    }
}

} // namespace

QList<int> orderForPeople(const QStringList& names)
{
    return orderForPeople(names.size(), [&names](qsizetype i) { return QStringView(names[i]); });
}

QList<int> orderForPeople(qsizetype count, const std::function<QStringView(qsizetype)>& nameAt)
{
    // Kept for the next sort on the same thread, which then finds the keys' pages in memory: a
    // load sorts the ingredients' names and then the recipes', and each page of memory the
    // program touches first costs a fault. It goes when the thread ends.
    thread_local std::vector<Key> sorted;
    sorted.clear();
    reservePresent(sorted, count);
    for (qsizetype i = 0; i < count; ++i) {
        const QStringView name = nameAt(i);
        sorted.push_back(Key{name.constData(), int(name.size()), int(i)});
    }
    // A three-way radix quicksort: the names of a part that agree up to a depth are split by their
    // lower-case character at that depth into smaller, equal and greater, and only the equal ones
    // go on to the next character. A start many names share ("Beef, ", "Cheese, ") is so read once
    // per name, not once per comparison as a comparison sort does, and no lower-case copy of a
    // name is made. Parts wait on a list of their own, so no name, however long, can run the
    // stack out.
    struct Part {
        Key* first;
        qsizetype count;
        qsizetype depth;
    };
    std::vector<Part> parts{{sorted.data(), qsizetype(sorted.size()), 0}};
    while (!parts.empty()) {
        const auto [first, count, depth] = parts.back();
        parts.pop_back();
        if (count < 12) {
            // A structured binding is captured through a copy: clang before 16 cannot capture one.
            std::sort(first, first + count, [level = depth](const Key& a, const Key& b) {
                return lessFrom(a, b, level);
            });
            continue;
        }
        const int a = charAt(first[0], depth);
        const int b = charAt(first[count / 2], depth);
        const int c = charAt(first[count - 1], depth);
        const int pivot = std::max(std::min(a, b), std::min(std::max(a, b), c));
        qsizetype smaller = 0;
        qsizetype greater = count - 1;
        for (qsizetype i = 0; i <= greater;) {
            const int at = charAt(first[i], depth);
            if (at < pivot)
                std::swap(first[smaller++], first[i++]);
            else if (at > pivot)
                std::swap(first[i], first[greater--]);
            else
                ++i;
        }
        parts.push_back({first, smaller, depth});
        parts.push_back({first + greater + 1, count - greater - 1, depth});
        Key* const equal = first + smaller;
        const qsizetype equals = greater + 1 - smaller;
        if (pivot == 0) // whole names, equal: in the order they came
            std::sort(equal, equal + equals,
                      [](const Key& x, const Key& y) { return x.position < y.position; });
        else
            parts.push_back({equal, equals, depth + 1});
    }
    QList<int> order;
    reservePresent(order, count);
    for (const Key& key : sorted)
        order.append(key.position);
    return order;
}

} // namespace zestora
