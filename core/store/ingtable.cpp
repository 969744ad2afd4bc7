#include "core/store/ingtable.h"

#include "core/numbers.h"
#include "core/sortednames.h"
#include "core/store/nameblock.h"
#include "core/store/prefault.h"
#include "core/text.h"

#include <QLocale>

#include <algorithm>
#include <cstring>

namespace zestora {

namespace {
// A load leaves the records' places to be made when a record is first read or the table changes:
// at 32,767 records they take 64 pages of memory, each a fault when first touched.
void giveRecordsTheirPlaces(std::vector<std::unique_ptr<IngRecord>>& records, int count)
{
    records.resize(size_t(count));
}
} // namespace

QString LoadProblem::title() const
{
    return unreadable ? QStringLiteral("Unreadable Data File")
                      : QStringLiteral("Damaged Data File");
}

QString LoadProblem::message() const
{
    QStringList paragraphs;
    if (unreadable)
        paragraphs << QStringLiteral("Zestora cannot read the file %1: %2.").arg(fileName, what)
                   << kept
                   << QStringLiteral("Zestora leaves the file as it is and saves nothing over it.");
    else
        paragraphs << QStringLiteral("The file %1 is damaged: %2").arg(fileName, what) << kept
                   << QStringLiteral("Before the file is next changed, Zestora copies the "
                                     "original to %1, so nothing in it is lost.")
                          .arg(backupName);
    paragraphs.removeAll(QString());
    return paragraphs.join(QStringLiteral("\r\n\r\n"));
}

LoadProblem LoadProblem::unreadableFile(const DataFile& file, const QString& kept)
{
    return LoadProblem{file.fileName(), file.readFailure(), kept, QString(), true};
}

IngTable::IngTable(std::unique_ptr<DataFile> file)
    : m_file(file ? std::move(file) : std::make_unique<DataFile>(fileName))
{
}

IngTable::~IngTable() = default;

std::optional<LoadProblem> IngTable::loadIngTable()
{
    m_bytes.clear();
    m_contents = FileContents();
    m_names.clear();
    m_order.clear();
    m_records.clear();
    m_measures.clear();
    ++m_revision;
    std::optional<FileContents> contents = m_file->readMapped();
    if (!contents) {
        m_error = m_file->errorString();
        return LoadProblem::unreadableFile(*m_file, QStringLiteral("No ingredients were loaded."));
    }
    m_contents = *std::move(contents);
    const QByteArrayView bytes = m_contents.bytes();
    // A trailing piece of more than half a record counts as one more record; exactly half counts
    // only when that makes the count even.
    const qint64 rounded =
        roundHalfEven<qint64>(static_cast<double>(bytes.size()) / IngRecord::size);
    const int count = static_cast<int>(qMin<qint64>(rounded, maxCount));
    const qint64 whole = bytes.size() / IngRecord::size;
    const qint64 fragment = bytes.size() % IngRecord::size;
    if (count <= whole) {
        m_bytes = QByteArray::fromRawData(bytes.data(), qsizetype(count) * IngRecord::size);
    } else {
        // The piece at the end is read, and saved, as if the rest of its record were blank.
        m_bytes = bytes.toByteArray();
        m_bytes.append(QByteArrayView(IngRecord{}.toBytes()).sliced(fragment));
        m_contents = FileContents();
    }
    // Only the names are read now: the lists need them, and they give the order of the lists and
    // of the look-ups. They are decoded into one block, measured first so that it never moves.
    const auto nameOf = [this](qsizetype record) {
        return IngRecord::nameField(
            QByteArrayView(m_bytes).sliced(record * IngRecord::size, IngRecord::size));
    };
    qsizetype characters = 0;
    for (qsizetype record = 0; record < count; ++record)
        characters += nameOf(record).size() + 1;
    NameBlock block;
    block.reserve(characters);
    for (qsizetype record = 0; record < count; ++record)
        block.append(nameOf(record));
    reservePresent(m_names, count + 1);
    for (qsizetype record = 0, at = 0; record < count; ++record) {
        const qsizetype size = nameOf(record).size();
        m_names.append(block.name(at, size));
        at += size + 1;
    }
    // Sorted by views of the trimmed names: no list of names is built only to be sorted.
    m_order = orderForPeople(m_names.size(), [this](qsizetype i) { return trimmedNameAt(int(i)); });

    const QLocale locale(QLocale::English);
    QString what;
    if (rounded > maxCount)
        what = QStringLiteral("it holds %1 ingredients, more than the %2 Zestora can keep.")
                   .arg(locale.toString(rounded), locale.toString(maxCount));
    else if (fragment != 0)
        what =
            QStringLiteral("it ends with a piece of %1 bytes that is not a whole ingredient "
                           "record (every record is 164 bytes; %2 whole records came before it).")
                .arg(fragment)
                .arg(locale.toString(whole));
    if (what.isEmpty())
        return std::nullopt;
    const QString kept =
        count > whole
            ? QStringLiteral("The first %1 ingredients were loaded; the last of them is "
                             "incomplete, so check it on the Stored Ingredients screen.")
                  .arg(locale.toString(count))
            : QStringLiteral("The first %1 ingredients were loaded.").arg(locale.toString(count));
    return LoadProblem{m_file->fileName(), what, kept, m_file->keepOriginalBeforeNextChange()};
}

QString IngTable::measureText(QByteArrayView field) const
{
    const auto found = m_measures.constFind(QByteArray::fromRawData(field.data(), field.size()));
    if (found != m_measures.cend())
        return *found;
    return *m_measures.insert(field.toByteArray(), decodeCp1252(field));
}

const IngRecord& IngTable::at(int index) const
{
    Q_ASSERT(index >= 0 && index < count());
    giveRecordsTheirPlaces(m_records, count());
    std::unique_ptr<IngRecord>& record = m_records[size_t(index)];
    if (!record) {
        record = std::make_unique<IngRecord>(IngRecord::fromBytes(
            QByteArrayView(m_bytes).sliced(qsizetype(index) * IngRecord::size, IngRecord::size),
            m_names[index], [this](QByteArrayView field) { return measureText(field); }));
    }
    return *record;
}

QList<IngRecord> IngTable::records() const
{
    QList<IngRecord> all;
    all.reserve(count());
    for (int i = 0; i < count(); ++i)
        all.append(at(i));
    return all;
}

QString IngTable::fullMessage()
{
    return QStringLiteral("The ingredient list is full: Zestora keeps at most %1 ingredients. "
                          "Delete one you no longer need, then add this one.")
        .arg(QLocale(QLocale::English).toString(maxCount));
}

QByteArray IngTable::toBytes(const QList<IngRecord>& records)
{
    QByteArray bytes;
    bytes.reserve(records.size() * IngRecord::size);
    for (const IngRecord& record : records)
        bytes.append(record.toBytes());
    return bytes;
}

bool IngTable::rewrite(std::initializer_list<QByteArrayView> parts)
{
    if (m_file->replace(parts))
        return true;
    m_error = m_file->errorString();
    return false;
}

bool IngTable::rewriteWithout(int index, QByteArrayView added)
{
    const QByteArrayView bytes(m_bytes);
    const qsizetype at = qsizetype(index) * IngRecord::size;
    const qsizetype lastAt = bytes.size() - IngRecord::size;
    if (at == lastAt)
        return rewrite({bytes.first(at), added});
    const qsizetype after = at + IngRecord::size;
    return rewrite(
        {bytes.first(at), bytes.sliced(lastAt), bytes.sliced(after, lastAt - after), added});
}

void IngTable::ownBytes()
{
    if (m_bytes.isDetached())
        return;
    QByteArray owned;
    owned.reserve(m_bytes.size() + 64 * IngRecord::size);
    owned.append(QByteArrayView(m_bytes));
    m_bytes = std::move(owned);
    m_contents = FileContents();
}

bool IngTable::saveIngTable()
{
    return rewrite({m_bytes});
}

bool IngTable::appendIng(const IngRecord& record)
{
    return appendIngs({record});
}

bool IngTable::appendIngs(const QList<IngRecord>& records)
{
    if (count() + records.size() > maxCount) {
        m_error = fullMessage();
        return false;
    }
    for (const IngRecord& record : records) {
        if (std::optional<QString> problem = unstorableText(record)) {
            m_error = *problem;
            return false;
        }
    }
    // The file first: when it cannot be written, the table stays as it was.
    const QByteArray added = toBytes(records);
    if (!rewrite({m_bytes, added}))
        return false;
    ownBytes();
    for (qsizetype i = 0; i < records.size(); ++i)
        addRow(QByteArrayView(added).sliced(i * IngRecord::size, IngRecord::size), records[i]);
    return true;
}

void IngTable::addRow(QByteArrayView bytes, const IngRecord& record)
{
    // The record is kept as given, which may differ from what the file holds of it.
    giveRecordsTheirPlaces(m_records, count());
    m_records.push_back(std::make_unique<IngRecord>(record));
    const int index = count();
    m_bytes.append(bytes);
    m_names.append(record.name);
    // The new record comes last among the names equal to its own.
    m_order.insert(rowsOfName(trimmedSpacesView(record.name)).second, index);
    ++m_revision;
}

std::optional<QString> IngTable::unstorableText(const IngRecord& record) const
{
    for (const QString* text : {&record.name, &record.measure1, &record.measure2})
        if (const std::optional<char32_t> bad = firstCharOutsideCp1252(*text))
            return QStringLiteral("The character %1 in \"%2\" cannot be stored in the "
                                  "ingredient file. Please type it another way.")
                .arg(describeChar(*bad), *text);
    return std::nullopt;
}

bool IngTable::deleteIngAndSave(const QString& name)
{
    const int index = indexOfName(name);
    if (index < 0)
        return saveIngTable();
    if (!rewriteWithout(index, {}))
        return false;
    deleteIngAt(index);
    return true;
}

bool IngTable::replaceIngAt(int index, const IngRecord& record)
{
    if (std::optional<QString> problem = unstorableText(record)) {
        m_error = *problem;
        return false;
    }
    const bool replaces = index >= 0 && index < count();
    if (count() - int(replaces) >= maxCount) {
        m_error = fullMessage();
        return false;
    }
    const QByteArray added = record.toBytes();
    if (!(replaces ? rewriteWithout(index, added) : rewrite({m_bytes, added})))
        return false;
    deleteIngAt(index);
    ownBytes();
    addRow(added, record);
    return true;
}

int IngTable::indexOfName(const QString& name) const
{
    // Equal names stand together in m_order, in table order.
    const QStringView wanted = trimmedSpacesView(name);
    const auto [first, end] = rowsOfName(wanted);
    for (qsizetype row = first; row < end; ++row)
        if (trimmedSpacesView(m_names[m_order[row]]) == wanted)
            return m_order[row];
    return -1;
}

int IngTable::lastIndexOfName(const QString& name) const
{
    const auto [first, end] = rowsOfName(name);
    for (qsizetype row = end - 1; row >= first; --row)
        if (trimmedNameAt(m_order[row]) == name)
            return m_order[row];
    return -1;
}

bool IngTable::deleteIngByName(const QString& name)
{
    if (count() == 1) {
        if (!m_file->remove()) {
            m_error = m_file->errorString();
            return false;
        }
        m_bytes.clear();
        m_contents = FileContents();
        m_names.clear();
        m_order.clear();
        m_records.clear();
        ++m_revision;
        return true;
    }
    const int index = indexOfName(name);
    if (index >= 0)
        deleteIngAt(index);
    return true;
}

void IngTable::deleteIngAt(int index)
{
    if (index < 0 || index >= count())
        return;
    ownBytes();
    giveRecordsTheirPlaces(m_records, count());
    const int last = count() - 1;
    m_order.remove(orderRowOf(index));
    if (index != last) {
        // The last record takes the place, and its new place in the order of equal names.
        m_order.remove(orderRowOf(last));
        std::memcpy(m_bytes.data() + qsizetype(index) * IngRecord::size,
                    m_bytes.constData() + qsizetype(last) * IngRecord::size, IngRecord::size);
        m_names[index] = m_names[last];
        m_records[size_t(index)] = std::move(m_records[size_t(last)]);
        m_order.insert(orderRowOf(index), index);
    }
    m_bytes.truncate(qsizetype(last) * IngRecord::size);
    m_names.removeLast();
    m_records.pop_back();
    ++m_revision;
}

QStringView IngTable::trimmedNameAt(int index) const
{
    return trimmedSpacesView(m_names[index]);
}

qsizetype IngTable::endOfName(QStringView trimmed) const
{
    return std::upper_bound(m_order.cbegin(), m_order.cend(), trimmed,
                            [this](QStringView name, int index) {
                                return compareLowerCase(name, trimmedNameAt(index)) < 0;
                            }) -
           m_order.cbegin();
}

std::pair<qsizetype, qsizetype> IngTable::rowsOfName(QStringView trimmed) const
{
    const qsizetype end = endOfName(trimmed);
    const auto first = std::lower_bound(m_order.cbegin(), m_order.cbegin() + end, trimmed,
                                        [this](int index, QStringView name) {
                                            return compareLowerCase(trimmedNameAt(index), name) < 0;
                                        });
    return {first - m_order.cbegin(), end};
}

qsizetype IngTable::orderRowOf(int index) const
{
    const auto [first, end] = rowsOfName(trimmedNameAt(index));
    return std::lower_bound(m_order.cbegin() + first, m_order.cbegin() + end, index) -
           m_order.cbegin();
}

int IngTable::lastIndexOfNameIgnoringCase(const QString& name) const
{
    // The last of the equal names stands just before the first greater one.
    const QStringView wanted = trimmedSpacesView(name);
    const qsizetype end = endOfName(wanted);
    if (end == 0 || compareLowerCase(trimmedNameAt(m_order[end - 1]), wanted) != 0)
        return -1;
    return m_order[end - 1];
}

bool IngTable::ingNameStored(const QString& name) const
{
    // The stored names are trimmed, the given one is not: " Milk" is not a stored "Milk".
    return name == trimmedSpacesView(name) && indexOfName(name) >= 0;
}

namespace {
QString trimmed(const QString& name)
{
    // Most names have no spaces to trim and are shared as they are, not copied.
    return trimmedSpacesView(name).size() == name.size() ? name : trimSpaces(name);
}
} // namespace

QStringList IngTable::trimmedNames() const
{
    QStringList names;
    names.reserve(count());
    for (const QString& name : m_names)
        names.append(trimmed(name));
    return names;
}

QStringList IngTable::namesForPeople() const
{
    QStringList names;
    reservePresent(names, count());
    for (const int index : m_order)
        names.append(trimmed(m_names[index]));
    return names;
}

} // namespace zestora
