#pragma once

#include "core/store/recipemarks.h"

#include <QByteArrayView>
#include <QStringView>

#include <type_traits>

// The fields of a stored recipe's body, found by its marks: the one reader of a recipe's parts,
// for the file's code page 1252 bytes (exports of many recipes, which decode only what they
// write) and for decoded text (the stored recipes screen) alike. Every field is a view into the
// body it was read from.
namespace zestora::recipefields {

template <typename View> struct Body {
    View servings;   // as stored: "4", "1/2"
    View entries;    // the marked-up lines, each ending in its line end mark (the last may not)
    View directions; // CR LF between lines
};

template <typename View> struct Entry {
    bool heading = false;
    View text; // a heading's text; a blank separating line is one blank
    View quantity;
    View unit;
    View ingredient;
    bool decimal = false; // the quantity was given in decimal mode ("2" as well as "2.5")
};

namespace detail {

template <typename View> constexpr auto mark(char m)
{
    if constexpr (std::is_same_v<View, QStringView>)
        return marks::asChar(m);
    else
        return m;
}

// The text between the first from mark and the first to mark after it; to the end when there is
// no to mark, empty when there is no from mark. end is where the to mark is (0 without a from).
template <typename View> View section(View text, char from, char to, qsizetype& end)
{
    const qsizetype start = text.indexOf(mark<View>(from));
    if (start < 0) {
        end = 0;
        return {};
    }
    end = text.indexOf(mark<View>(to), start + 1);
    if (end < 0)
        end = text.size();
    return text.sliced(start + 1, end - start - 1);
}

} // namespace detail

// A body from its body start mark through its record end mark.
template <typename View> Body<View> body(View text)
{
    Body<View> fields;
    qsizetype servingsEnd = 0;
    fields.servings = detail::section(text, marks::bodyStart, marks::servingsEnd, servingsEnd);
    qsizetype entriesEnd = 0;
    fields.entries =
        detail::section(text.sliced(servingsEnd), marks::servingsEnd, marks::linesEnd, entriesEnd);
    // The directions run to the record end mark, the body's last character.
    const qsizetype directionsStart = text.indexOf(detail::mark<View>(marks::directionsStart));
    if (directionsStart >= 0)
        fields.directions =
            text.sliced(directionsStart + 1).chopped(text.size() > directionsStart + 1 ? 1 : 0);
    return fields;
}

// Calls take(entry) for each marked-up line of entries, its line end mark included.
template <typename View, typename Take> void forEachEntry(View entries, const Take& take)
{
    for (qsizetype start = 0; start < entries.size();) {
        qsizetype end = entries.indexOf(detail::mark<View>(marks::lineEnd), start);
        end = end < 0 ? entries.size() : end + 1;
        take(entries.sliced(start, end - start));
        start = end;
    }
}

// The fields of one marked-up line: a heading anywhere in it makes it a heading; the ingredient's
// name follows the line start mark, the quantity its mode mark after the name end, the unit the
// quantity end. A field whose marks are missing is empty.
template <typename View> Entry<View> entry(View line)
{
    if (line.endsWith(detail::mark<View>(marks::lineEnd)))
        line.chop(1);
    Entry<View> fields;
    if (line.contains(detail::mark<View>(marks::headingMark))) {
        fields.heading = true;
        if (line.size() >= 2)
            fields.text = line.sliced(2);
        return fields;
    }
    const qsizetype nameEnd = line.indexOf(detail::mark<View>(marks::nameEnd));
    const qsizetype quantityEnd = line.indexOf(detail::mark<View>(marks::quantityEnd));
    const qsizetype quantityStart = nameEnd + 2;
    if (nameEnd > 0)
        fields.ingredient = line.sliced(1, nameEnd - 1);
    fields.decimal = nameEnd >= 0 && nameEnd + 1 < line.size() &&
                     line[nameEnd + 1] == detail::mark<View>(marks::decimalMode);
    if (nameEnd >= 0 && quantityEnd >= quantityStart)
        fields.quantity = line.sliced(quantityStart, quantityEnd - quantityStart);
    if (quantityEnd >= 0)
        fields.unit = line.sliced(quantityEnd + 1);
    return fields;
}

} // namespace zestora::recipefields
