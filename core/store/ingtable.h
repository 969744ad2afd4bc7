#pragma once

#include "core/store/datafile.h"
#include "core/store/ingrecord.h"

#include <QHash>
#include <QList>

#include <memory>
#include <vector>

namespace zestora {

// What loading a data file found wrong, for the one message the user sees about it.
struct LoadProblem {
    QString fileName;
    QString what;       // what was wrong: the end of a sentence that begins with the file's name
    QString kept;       // what was loaded all the same, in whole sentences
    QString backupName; // where the original goes before the file is next changed
    bool unreadable = false; // the file could not be read at all, so nothing can be copied aside
    QString title() const;
    QString message() const;
    // The problem of a file that could not be read, saying why.
    static LoadProblem unreadableFile(const DataFile& file, const QString& kept);
};

// The ingredient database: the file Ing.dat of fixed 164-byte records and its table in memory.
// The table holds the records in file order; every change rewrites the whole file.
//
// The records are kept as the file's bytes, mapped from the file until the table first changes;
// a load decodes only the names, which the lists need, and a record's other fields when it is
// first looked at. Beside the names the table keeps their order for people, which is both the
// order of the name lists and the index by which the screens find a name.
class IngTable {
public:
    static constexpr int maxCount = 32767;
    inline static const QString fileName = QStringLiteral("Ing.dat");

    explicit IngTable(std::unique_ptr<DataFile> file = nullptr);
    ~IngTable();

    // Reads the file into the table. A file that is not a whole number of records loads what it
    // can and reports the rest; nullopt with readError() set when the file cannot be read at all.
    std::optional<LoadProblem> loadIngTable();
    bool saveIngTable();
    // Adds a record at the end and saves. Refused (false, errorString()) when the table is full.
    bool appendIng(const IngRecord& record);
    // Adds many records with one rewrite of the file; all or none.
    bool appendIngs(const QList<IngRecord>& records);
    // Removes the first record whose trimmed name is exactly the given one; does not save.
    // As always, with a single record stored the table empties and the file is deleted.
    bool deleteIngByName(const QString& name);
    // Removes the record at index by moving the last one into its place; does not save.
    void deleteIngAt(int index);
    // deleteIngByName and the save, as one change: when the save fails the table is as before.
    bool deleteIngAndSave(const QString& name);
    // deleteIngAt then appendIng with one rewrite of the file, all or none: an edited
    // ingredient replaces its stored version, which leaves its place for the end of the table.
    bool replaceIngAt(int index, const IngRecord& record);
    bool ingNameStored(const QString& name) const;
    // The first record whose trimmed name is exactly the given one; -1 when there is none.
    int indexOfName(const QString& name) const;
    // The last record whose trimmed name is exactly the name given, untrimmed; -1 when none is.
    int lastIndexOfName(const QString& name) const;
    // The last record whose trimmed name equals the given one ignoring letter case, as the screens
    // look ingredients up; -1 when there is none. Answered from the order of the names.
    int lastIndexOfNameIgnoringCase(const QString& name) const;

    int count() const { return static_cast<int>(m_names.size()); }
    // A record as added, or as read from the file: its fields are read when first asked for. The
    // reference holds until the table next changes.
    const IngRecord& at(int index) const;
    QList<IngRecord> records() const;
    // The names trimmed, in table order, as the name lists receive them.
    QStringList trimmedNames() const;
    // The same in the order of the name lists.
    QStringList namesForPeople() const;
    // Counts the changes of the table: what was worked out from it (an index of its names) is
    // out of date once this differs from what it was then.
    quint64 revision() const { return m_revision; }

    const QString& errorString() const { return m_error; }
    DataFile& file() { return *m_file; }

    // Why a new ingredient cannot be added to a full table.
    static QString fullMessage();

    // The file's bytes for a table: the records one after another.
    static QByteArray toBytes(const QList<IngRecord>& records);

private:
    bool rewrite(std::initializer_list<QByteArrayView> parts);
    // Writes the file without the record at index, whose place the last record takes, and with
    // the bytes added at its end.
    bool rewriteWithout(int index, QByteArrayView added);
    // Makes the bytes the table's own, so that they can change in place.
    void ownBytes();
    QString measureText(QByteArrayView field) const;
    void addRow(QByteArrayView bytes, const IngRecord& record);
    std::optional<QString> unstorableText(const IngRecord& record) const;
    // Where the names equal to this trimmed one ignoring letter case stand in m_order, or would
    // stand: [first, end).
    std::pair<qsizetype, qsizetype> rowsOfName(QStringView trimmed) const;
    // Where the first name greater than this trimmed one stands in m_order.
    qsizetype endOfName(QStringView trimmed) const;
    QStringView trimmedNameAt(int index) const;
    // Where the record at index stands in m_order, or would stand.
    qsizetype orderRowOf(int index) const;

    std::unique_ptr<DataFile> m_file;
    FileContents m_contents; // the file as read, which m_bytes is part of until it first changes
    QByteArray m_bytes;      // the records one after another, as the file holds them
    QStringList m_names;     // each record's name as at(i).name holds it
    // The records by their trimmed names in the order for people, equal names in table order.
    QList<int> m_order;
    // Each record as added, or as read once first asked for; none where it was not yet read.
    // Each on its own, so that a reference given out stays while others are read.
    mutable std::vector<std::unique_ptr<IngRecord>> m_records;
    mutable QHash<QByteArray, QString> m_measures; // the texts of the measures read, shared
    quint64 m_revision = 0;
    QString m_error;
};

} // namespace zestora
