#pragma once

#include "core/store/datafile.h"
#include "core/store/ingrecord.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace zestora::testing {

// Each test runs in a fresh temporary working directory, where the data files are opened by
// bare name, and leaves the previous one as it was.
class TempWorkDir {
public:
    TempWorkDir()
        : m_previous(QDir::currentPath())
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
        QDir::setCurrent(m_dir.path());
    }
    ~TempWorkDir() { QDir::setCurrent(m_previous); }
    TempWorkDir(const TempWorkDir&) = delete;
    TempWorkDir& operator=(const TempWorkDir&) = delete;

    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }

private:
    QString m_previous;
    QTemporaryDir m_dir;
};

inline QByteArray readFile(const QString& name)
{
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

// The rows of a tab-separated table kept beside the tests, split into fields; blank lines and
// lines starting with # are notes for the reader.
inline QList<QStringList> tableRows(const QString& path)
{
    QList<QStringList> rows;
    for (const QString& line : QString::fromUtf8(readFile(path)).split(u'\n')) {
        if (!line.isEmpty() && !line.startsWith(u'#'))
            rows.append(line.split(u'\t'));
    }
    return rows;
}

inline void writeFile(const QString& name, const QByteArray& bytes)
{
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// A data file whose writes can be made to fail, like a full disk.
class FailingFile : public DataFile {
public:
    using DataFile::DataFile;
    bool failWrites = false;

protected:
    bool writeAtomically(std::initializer_list<QByteArrayView> parts) override
    {
        if (failWrites) {
            setError(QStringLiteral("save"), QStringLiteral("No space left on device"));
            return false;
        }
        return DataFile::writeAtomically(parts);
    }
};

struct Nutrients {
    float fat = 0;
    float satFat = 0;
    float carbs = 0;
    float fiber = 0;
    float protein = 0;
    qint32 cholesterol = 0;
    float sodium = 0;
    float calories = 0;
};

// An ingredient: amount1 of measure1 is amount2 of measure2 and holds the nutrients; the measure
// kind follows from the measures, as the wizard works it out.
inline IngRecord food(const QString& name, float amount1, const QString& measure1,
                      float amount2 = 0, const QString& measure2 = {}, Nutrients n = {},
                      bool ownMeasure = false)
{
    IngRecord r;
    r.name = name;
    r.amount1 = amount1;
    r.measure1 = measure1;
    r.amount2 = amount2;
    r.measure2 = measure2;
    r.fat = n.fat;
    r.satFat = n.satFat;
    r.totalCarbs = n.carbs;
    r.fiber = n.fiber;
    r.protein = n.protein;
    r.cholesterol = n.cholesterol;
    r.sodium = n.sodium;
    r.calories = n.calories;
    r.measureKind = volumeWeight(measure1, measure2);
    r.customMeasure = ownMeasure ? -1 : 0;
    return r;
}

// Dates the file's last change to that time, as if it had been written then.
inline void setModified(const QString& name, const QDateTime& time)
{
    QFile file(name);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(time, QFileDevice::FileModificationTime));
}

} // namespace zestora::testing

using namespace Qt::Literals::StringLiterals;
