#pragma once

#include "core/store/datafile.h"
#include "core/store/ingrecord.h"

#include <QHash>
#include <QList>

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
class IngTable {
public:
    static constexpr int maxCount = 32767;
    inline static const QString fileName = QStringLiteral("Ing.dat");

    explicit IngTable(std::unique_ptr<DataFile> file = nullptr);

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
    // The last record whose trimmed name equals the given one ignoring letter case, as the screens
    // look ingredients up; -1 when there is none. Answered from an index, not a scan.
    int lastIndexOfNameIgnoringCase(const QString& name) const;

    int count() const { return static_cast<int>(m_records.size()); }
    const IngRecord& at(int index) const { return m_records.at(index); }
    const QList<IngRecord>& records() const { return m_records; }
    // The names trimmed, in table order, as the name lists receive them.
    QStringList trimmedNames() const;
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
    // Saves the table, or puts `before` back when the save fails.
    bool saveOrRestore(QList<IngRecord> before);
    std::optional<QString> unstorableText(const IngRecord& record) const;

    static QString lookupKey(const QString& name);

    std::unique_ptr<DataFile> m_file;
    QList<IngRecord> m_records;
    // Built when first needed; appends keep it, other changes drop it.
    mutable QHash<QString, int> m_lastIndexByName;
    mutable bool m_indexValid = false;
    quint64 m_revision = 0;
    QString m_error;
};

} // namespace zestora
