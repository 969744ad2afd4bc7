#include "core/store/recipestore.h"

#include "core/sortednames.h"
#include "core/store/nameblock.h"
#include "core/store/prefault.h"
#include "core/store/recipemarks.h"
#include "core/text.h"

#include <QLocale>

#include <algorithm>
#include <cstring>

namespace zestora {

namespace {
const QByteArray lineBreak("\r\n");

QString number(qint64 n)
{
    return QLocale(QLocale::English).toString(n);
}

bool isBlankOrLineBreak(char c)
{
    return c == ' ' || c == '\r' || c == '\n';
}

// What a damaged file still gave, for the message about it.
QString loadedRecipes(qsizetype count, bool onlyBefore)
{
    if (onlyBefore)
        return QStringLiteral("The %1 recipes before that point were loaded.").arg(number(count));
    return QStringLiteral("All %1 recipes in it were loaded.").arg(number(count));
}
} // namespace

QByteArrayView RecipeStore::recipeBodyBytes(int index) const
{
    const RecipeEntry& entry = m_list.at(index);
    return QByteArrayView(m_bigRecipe).sliced(entry.bodyAt, entry.bodySize);
}

QString RecipeStore::recipeBody(int index) const
{
    return decodeCp1252(recipeBodyBytes(index));
}

RecipeStore::RecipeStore(std::unique_ptr<DataFile> file)
    : m_file(file ? std::move(file) : std::make_unique<DataFile>(fileName))
{
}

QString RecipeStore::bigRecipe() const
{
    return decodeCp1252(m_bigRecipe);
}

QStringList RecipeStore::recipeNames() const
{
    QStringList names;
    names.reserve(m_list.size());
    for (const RecipeEntry& entry : m_list)
        names.append(entry.recipeName);
    return names;
}

QStringList RecipeStore::namesForPeople() const
{
    QStringList names;
    reservePresent(names, m_list.size());
    for (const int index : orderForPeople(
             m_list.size(), [this](qsizetype i) { return QStringView(m_list[i].recipeName); }))
        names.append(m_list[index].recipeName);
    return names;
}

namespace {
// A look-up without the index reads every name, and indexing them costs about as much as forty
// such look-ups: the index waits for this many since the last change, which a screen's look-up
// at a click seldom reaches and a loop over the recipes passes at once.
constexpr int scansBeforeIndex = 32;

QString foldedKey(QStringView name)
{
    return trimmedSpacesView(name).toString().toCaseFolded();
}
} // namespace

int RecipeStore::lastIndexOfNameIgnoringCase(const QString& name) const
{
    const QStringView wanted = trimmedSpacesView(name);
    if (!m_indexed && ++m_scans > scansBeforeIndex) {
        m_indexed = true;
        m_byName.reserve(m_list.size());
        indexNames(0);
    }
    if (m_indexed)
        return m_byName.value(foldedKey(wanted), -1);
    // Names equal but for letter case are as long as each other: most are passed over unread,
    // and a name with no blank at either end by its length alone, without trimming it.
    for (qsizetype i = m_list.size() - 1; i >= 0; --i) {
        const QString& name = m_list[i].recipeName;
        const bool blankAtAnEnd = !name.isEmpty() && (name.front() == u' ' || name.back() == u' ');
        if (!blankAtAnEnd && name.size() != wanted.size())
            continue;
        const QStringView stored = trimmedSpacesView(name);
        if (stored.size() == wanted.size() && stored.compare(wanted, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

void RecipeStore::indexNames(qsizetype from) const
{
    if (!m_indexed)
        return;
    // In list order, so that of equal names the last stays.
    for (qsizetype i = from; i < m_list.size(); ++i)
        m_byName.insert(foldedKey(m_list[i].recipeName), static_cast<int>(i));
}

void RecipeStore::forgetIndex()
{
    m_byName.clear();
    m_indexed = false;
    m_scans = 0;
}

std::optional<LoadProblem> RecipeStore::load()
{
    const std::optional<LoadProblem> readProblem = getBigRecipe();
    std::optional<LoadProblem> splitProblem = splitBigRecipe();
    if (!readProblem || readProblem->unreadable)
        return readProblem ? readProblem : splitProblem;
    LoadProblem both = *readProblem;
    both.kept = splitProblem ? splitProblem->kept : loadedRecipes(count(), false);
    if (splitProblem) {
        QString more = splitProblem->what;
        more[0] = more[0].toUpper();
        both.what += QLatin1Char(' ') + more;
    }
    return both;
}

std::optional<LoadProblem> RecipeStore::getBigRecipe()
{
    m_bigRecipe.clear();
    m_contents = FileContents();
    std::optional<FileContents> read = m_file->readMapped();
    if (!read) {
        m_error = m_file->errorString();
        return LoadProblem::unreadableFile(*m_file, QStringLiteral("No recipes were loaded."));
    }
    // The text is the file's bytes where they lie, without the final CR LF. Reading a recipe
    // looks at its bytes alone; the text is copied into memory of its own only when it first
    // changes (ownText).
    m_contents = *std::move(read);
    const QByteArrayView bytes = m_contents.bytes();
    const bool endsWell = bytes.isEmpty() || bytes.endsWith(lineBreak);
    m_bigRecipe = QByteArray::fromRawData(bytes.data(), qMax<qsizetype>(bytes.size() - 2, 0));
    if (endsWell)
        return std::nullopt;
    return LoadProblem{m_file->fileName(),
                       QStringLiteral("it does not end with the line break that ends every "
                                      "recipe file. Its last two characters were taken for that "
                                      "line break, so the end of the last recipe may be missing."),
                       QString(), m_file->keepOriginalBeforeNextChange()};
}

void RecipeStore::ownText()
{
    if (m_bigRecipe.isDetached())
        return;
    // One copy, with room to grow: from then on recipes are appended and deleted in place. The
    // room is address space only until recipes are written into it.
    constexpr qsizetype leastRoom = 64 * 1024;
    QByteArray owned;
    owned.reserve(m_bigRecipe.size() + qMax(leastRoom, m_bigRecipe.size() / 16));
    owned.append(QByteArrayView(m_bigRecipe));
    m_bigRecipe = std::move(owned);
    m_contents = FileContents();
}

std::optional<LoadProblem> RecipeStore::splitBigRecipe()
{
    forgetIndex();
    m_list.clear();
    const QByteArray& text = m_bigRecipe;
    const qsizetype end = text.size();
    // Room for a recipe in every 8 characters, more than any real text holds, so that the list is
    // not moved while it fills; room never filled is address space only.
    m_list.reserve(qMin<qsizetype>(maxCount, end / 8) + 1);
    qsizetype pos = 0;
    qsizetype stray = 0; // characters outside the records other than blanks and line breaks
    bool cut = false;    // the records after some point could not be read
    constexpr qsizetype releaseEvery = 1024 * 1024;
    qsizetype released = 0;
    QStringList what;
    // The names are decoded as they are found, into one block of memory for all of them.
    NameBlock names;
    while (true) {
        // Blanks and line breaks before, between and after the records belong to none of them.
        while (pos < end && isBlankOrLineBreak(text[pos]))
            ++pos;
        if (pos == end)
            break;
        const qsizetype p = text.indexOf(marks::bodyStart, pos);
        const qsizetype q = text.indexOf(marks::recordEnd, pos);
        if (p <= pos || q < p) {
            what << QStringLiteral("after the %1 complete recipes at its start come %2 characters "
                                   "that are not a complete recipe.")
                        .arg(number(m_list.size()), number(end - pos));
            cut = true;
            break;
        }
        if (m_list.size() == maxCount) {
            what << QStringLiteral("it holds more than the %1 recipes Zestora can keep.")
                        .arg(number(maxCount));
            cut = true;
            break;
        }
        // A record begins at the last record start before its body; anything before that belongs
        // to no recipe. Without a record start, the first character stands in for it.
        qsizetype recordAt = QByteArrayView(text)
                                 .sliced(pos, p - pos)
                                 .lastIndexOf(QByteArrayView(&marks::recordStart, 1));
        stray += recordAt < 0 ? 1 : recordAt;
        recordAt = pos + qMax<qsizetype>(recordAt, 0);
        const qsizetype nameSize = p - recordAt - 1;
        names.append(QByteArrayView(text).sliced(recordAt + 1, nameSize));
        // The room is made present a stretch ahead of the list as it fills (prefault): not all
        // at once, since most of it stays empty when recipes are long.
        constexpr qsizetype presentAhead = 2048;
        if (m_list.size() % presentAhead == 0)
            prefault(m_list.constData() + m_list.size(),
                     qMin(presentAhead, m_list.capacity() - m_list.size()) *
                         qsizetype(sizeof(RecipeEntry)));
        m_list.append(RecipeEntry{QString(), recordAt + 1, nameSize, p, q - p + 1});
        pos = q + 1;
        // What has been split is looked at again only when a recipe is shown or saved.
        if (pos - released >= releaseEvery) {
            released = pos;
            m_contents.releaseBefore(released);
        }
    }
    m_contents.releaseBefore(end);
    // The names are given out once the block holding them no longer grows.
    for (qsizetype i = 0, at = 0; i < m_list.size(); ++i) {
        m_list[i].recipeName = names.name(at, m_list[i].nameSize);
        at += m_list[i].nameSize + 1;
    }
    if (stray > 0)
        what.prepend(QStringLiteral("%1 characters between its recipes belong to none of them; "
                                    "they were left out.")
                         .arg(number(stray)));
    // Keep only the records, so that new recipes are appended after readable ones and nothing
    // else is written back; what was left out stays in the copy of the original.
    qsizetype recordBytes = 0;
    for (const RecipeEntry& entry : std::as_const(m_list))
        recordBytes += 1 + entry.nameSize + entry.bodySize;
    if (stray > 0 || recordBytes != m_bigRecipe.size()) {
        m_bigRecipe = joinRecords(m_bigRecipe, m_list);
        m_contents = FileContents();
    }
    if (what.isEmpty())
        return std::nullopt;
    if (what.size() > 1)
        what[1][0] = what[1][0].toUpper();
    return LoadProblem{m_file->fileName(), what.join(QLatin1Char(' ')), loadedRecipes(count(), cut),
                       m_file->keepOriginalBeforeNextChange()};
}

QByteArray RecipeStore::joinRecords(const QByteArray& text, QList<RecipeEntry>& list)
{
    QByteArray joined;
    qsizetype size = 0;
    for (const RecipeEntry& entry : std::as_const(list))
        size += 1 + entry.nameSize + entry.bodySize;
    joined.reserve(size);
    for (RecipeEntry& entry : list) {
        joined.append(marks::recordStart);
        const qsizetype nameAt = joined.size();
        joined.append(QByteArrayView(text).sliced(entry.nameAt, entry.nameSize));
        const qsizetype bodyAt = joined.size();
        joined.append(QByteArrayView(text).sliced(entry.bodyAt, entry.bodySize));
        entry.nameAt = nameAt;
        entry.bodyAt = bodyAt;
    }
    return joined;
}

bool RecipeStore::rewrite(std::initializer_list<QByteArrayView> parts)
{
    if (m_file->replace(parts))
        return true;
    m_error = m_file->errorString();
    return false;
}

bool RecipeStore::saveBigRecipe()
{
    return rewrite({m_bigRecipe, lineBreak});
}

bool RecipeStore::appendRecipe(const QString& name, const QString& record)
{
    return appendRecipes({NewRecipe{name, record}});
}

bool RecipeStore::appendRecipes(const QList<NewRecipe>& recipes)
{
    if (recipes.isEmpty())
        return true;
    if (count() + recipes.size() > maxCount) {
        m_error =
            recipes.size() == 1
                ? QStringLiteral("The recipe list is full: Zestora keeps at most %1 recipes. "
                                 "Delete one you no longer need, then save this one.")
                      .arg(number(maxCount))
                : QStringLiteral("The recipe list has room for %1 more recipes, not %2: "
                                 "Zestora keeps at most %3. Nothing was saved.")
                      .arg(number(maxCount - count()), number(recipes.size()), number(maxCount));
        return false;
    }
    // Every record is checked and encoded before the one rewrite that adds them all.
    QByteArray added;
    QList<RecipeEntry> entries;
    for (const NewRecipe& recipe : recipes) {
        if (const std::optional<char32_t> bad = firstCharOutsideCp1252(recipe.record)) {
            m_error = QStringLiteral("The character %1 cannot be stored in the recipe file. "
                                     "Please type it another way.")
                          .arg(describeChar(*bad));
            return false;
        }
        const QByteArray recordBytes = encodeCp1252(recipe.record);
        const qsizetype bodyAt = recordBytes.indexOf(marks::bodyStart);
        if (bodyAt < 1) {
            m_error = QStringLiteral("The recipe %1 could not be saved: its text is incomplete.")
                          .arg(recipe.name);
            return false;
        }
        // Places in the added text for now; the record names the recipe itself, the list keeps
        // the name trimmed.
        const qsizetype at = added.size();
        entries.append(RecipeEntry{trimSpaces(recipe.name), at + 1, bodyAt - 1, at + bodyAt,
                                   recordBytes.size() - bodyAt});
        added.append(recordBytes);
    }
    if (!rewrite({m_bigRecipe, added, lineBreak}))
        return false;
    ownText();
    const qsizetype offset = m_bigRecipe.size();
    m_bigRecipe.append(added);
    for (RecipeEntry& entry : entries) {
        entry.nameAt += offset;
        entry.bodyAt += offset;
    }
    const qsizetype first = m_list.size();
    m_list.append(std::move(entries));
    indexNames(first);
    return true;
}

bool RecipeStore::deleteRecipeByName(const QString& name)
{
    // Only the recipe of that very name goes, also when it is the only one stored.
    const QStringView wanted = trimmedSpacesView(name);
    const auto found = std::find_if(m_list.cbegin(), m_list.cend(), [wanted](const RecipeEntry& e) {
        return trimmedSpacesView(e.recipeName) == wanted;
    });
    if (found == m_list.cend())
        return true;
    const qsizetype index = found - m_list.cbegin();
    if (m_list.size() == 1) {
        if (!m_file->remove()) {
            m_error = m_file->errorString();
            return false;
        }
        m_bigRecipe.clear();
        m_contents = FileContents();
        m_list.clear();
        forgetIndex();
        return true;
    }
    // The text is the records one after another. The last record takes the place of the one
    // removed: the file gets the records before it, the last one, and those after it up to the
    // last. Only once that is on disk does the text change, in place.
    const QByteArrayView text(m_bigRecipe);
    const qsizetype goneAt = recordAt(m_list[index]);
    const qsizetype goneEnd = recordEnd(m_list[index]);
    const qsizetype lastAt = recordAt(m_list.last());
    const QByteArrayView last = text.sliced(lastAt);
    const bool written = index == m_list.size() - 1
                             ? rewrite({text.first(goneAt), lineBreak})
                             : rewrite({text.first(goneAt), last,
                                        text.sliced(goneEnd, lastAt - goneEnd), lineBreak});
    if (!written)
        return false;
    // The last recipe moves into the place of the one removed.
    forgetIndex();
    ownText();
    if (index < m_list.size() - 1)
        moveLastRecordInto(index);
    m_list.removeLast();
    m_bigRecipe.truncate(recordEnd(m_list.last()));
    return true;
}

void RecipeStore::moveLastRecordInto(qsizetype index)
{
    RecipeEntry& gone = m_list[index];
    const RecipeEntry& last = m_list.last();
    const qsizetype goneAt = recordAt(gone);
    const qsizetype goneEnd = recordEnd(gone);
    const qsizetype lastAt = recordAt(last);
    // The records between the two move by the difference in length; the last record, a few
    // hundred bytes, is set aside first since the move may run over it.
    const QByteArray moved(m_bigRecipe.constData() + lastAt, m_bigRecipe.size() - lastAt);
    const qsizetype shift = moved.size() - (goneEnd - goneAt);
    char* data = m_bigRecipe.data();
    std::memmove(data + goneEnd + shift, data + goneEnd, static_cast<size_t>(lastAt - goneEnd));
    std::memcpy(data + goneAt, moved.constData(), static_cast<size_t>(moved.size()));
    for (qsizetype i = index + 1; i < m_list.size() - 1; ++i) {
        m_list[i].nameAt += shift;
        m_list[i].bodyAt += shift;
    }
    const qsizetype offset = goneAt - lastAt;
    gone = RecipeEntry{last.recipeName, last.nameAt + offset, last.nameSize, last.bodyAt + offset,
                       last.bodySize};
}

QString textBetween(QStringView text, QStringView startMark, QStringView endMark)
{
    // Views until the field itself: a recipe of hundreds of lines reads every line's fields.
    const QStringView s = trimmedSpacesView(text);
    if (s.isEmpty())
        return QString();
    const qsizetype p = s.indexOf(trimmedSpacesView(startMark));
    if (p < 0)
        return QString();
    const qsizetype q = s.indexOf(trimmedSpacesView(endMark));
    const qsizetype length = q - (p + 1);
    return length > 0 ? s.sliced(p + 1, length).toString() : QString();
}

} // namespace zestora
