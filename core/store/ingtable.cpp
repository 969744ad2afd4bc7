#include "core/store/ingtable.h"

#include "core/numbers.h"
#include "core/text.h"

#include <QLocale>

namespace zestora {

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

std::optional<LoadProblem> IngTable::loadIngTable()
{
    m_records.clear();
    m_indexValid = false;
    ++m_revision;
    const std::optional<FileContents> contents = m_file->readMapped();
    if (!contents) {
        m_error = m_file->errorString();
        return LoadProblem::unreadableFile(*m_file, QStringLiteral("No ingredients were loaded."));
    }
    const QByteArrayView bytes = contents->bytes();
    // A trailing piece of more than half a record counts as one more record; exactly half counts
    // only when that makes the count even.
    const qint64 rounded =
        roundHalfEven<qint64>(static_cast<double>(bytes.size()) / IngRecord::size);
    const int count = static_cast<int>(qMin<qint64>(rounded, maxCount));
    m_records.reserve(count + 1);
    QHash<QByteArrayView, QString> measures;
    for (int i = 0; i < count; ++i)
        m_records.append(IngRecord::fromBytes(
            bytes.sliced(qsizetype(i) * IngRecord::size)
                .first(qMin<qsizetype>(IngRecord::size,
                                       bytes.size() - qsizetype(i) * IngRecord::size)),
            measures));

    const qint64 whole = bytes.size() / IngRecord::size;
    const qint64 fragment = bytes.size() % IngRecord::size;
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

bool IngTable::saveIngTable()
{
    if (m_file->replace({toBytes(m_records)}))
        return true;
    m_error = m_file->errorString();
    return false;
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
    const int first = count();
    m_records.append(records);
    ++m_revision;
    if (!saveIngTable()) {
        m_records.resize(first); // the file was left as it was, so the table must be too
        return false;
    }
    for (int i = first; m_indexValid && i < count(); ++i)
        m_lastIndexByName.insert(lookupKey(m_records[i].name), i);
    return true;
}

std::optional<QString> IngTable::unstorableText(const IngRecord& record) const
{
    for (const QString* text : {&record.name, &record.measure1, &record.measure2})
        if (const std::optional<QChar> bad = firstCharOutsideCp1252(*text))
            return QStringLiteral("The character %1 in \"%2\" cannot be stored in the "
                                  "ingredient file. Please type it another way.")
                .arg(describeChar(*bad), *text);
    return std::nullopt;
}

bool IngTable::saveOrRestore(QList<IngRecord> before)
{
    m_indexValid = false;
    ++m_revision;
    if (saveIngTable())
        return true;
    m_records = std::move(before);
    return false;
}

bool IngTable::deleteIngAndSave(const QString& name)
{
    QList<IngRecord> before = m_records;
    const int index = indexOfName(name);
    if (index >= 0)
        deleteIngAt(index);
    return saveOrRestore(std::move(before));
}

bool IngTable::replaceIngAt(int index, const IngRecord& record)
{
    if (std::optional<QString> problem = unstorableText(record)) {
        m_error = *problem;
        return false;
    }
    QList<IngRecord> before = m_records;
    deleteIngAt(index);
    if (count() >= maxCount) {
        m_records = std::move(before);
        m_error = fullMessage();
        return false;
    }
    m_records.append(record);
    return saveOrRestore(std::move(before));
}

int IngTable::indexOfName(const QString& name) const
{
    const QStringView wanted = trimmedSpacesView(name);
    for (int i = 0; i < count(); ++i)
        if (trimmedSpacesView(m_records[i].name) == wanted)
            return i;
    return -1;
}

bool IngTable::deleteIngByName(const QString& name)
{
    if (count() == 1) {
        if (!m_file->remove()) {
            m_error = m_file->errorString();
            return false;
        }
        m_records.clear();
        m_indexValid = false;
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
    m_records[index] = m_records.last();
    m_records.removeLast();
    m_indexValid = false;
    ++m_revision;
}

QString IngTable::lookupKey(const QString& name)
{
    return lowerCase(trimmedSpacesView(name));
}

int IngTable::lastIndexOfNameIgnoringCase(const QString& name) const
{
    if (!m_indexValid) {
        m_lastIndexByName.clear();
        m_lastIndexByName.reserve(count());
        for (int i = 0; i < count(); ++i)
            m_lastIndexByName.insert(lookupKey(m_records[i].name), i);
        m_indexValid = true;
    }
    return m_lastIndexByName.value(lookupKey(name), -1);
}

bool IngTable::ingNameStored(const QString& name) const
{
    // The stored names are trimmed, the given one is not: " Milk" is not a stored "Milk".
    return name == trimmedSpacesView(name) && indexOfName(name) >= 0;
}

QStringList IngTable::trimmedNames() const
{
    QStringList names;
    names.reserve(m_records.size());
    for (const IngRecord& record : m_records)
        names.append(record.trimmedName());
    return names;
}

} // namespace zestora
