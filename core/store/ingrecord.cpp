#include "core/store/ingrecord.h"

#include "core/text.h"
#include "core/units.h"

#include <QStringList>
#include <QtEndian>

#include <array>
#include <cstring>

namespace zestora {

namespace {

// Field offsets within a record.
enum Offset : int {
    nameAt = 0,
    amount1At = 60,
    measure1At = 64,
    amount2At = 94,
    measure2At = 98,
    caloriesAt = 128,
    fatAt = 132,
    satFatAt = 136,
    cholesterolAt = 140,
    sodiumAt = 144,
    totalCarbsAt = 148,
    fiberAt = 152,
    proteinAt = 156,
    measureKindAt = 160,
    customMeasureAt = 162,
};

void putText(char* record, int at, int width, const QString& text)
{
    const QByteArray bytes = encodeCp1252(text).left(width);
    std::memset(record + at, ' ', width);
    std::memcpy(record + at, bytes.constData(), static_cast<size_t>(bytes.size()));
}

void putFloat(char* record, int at, float value)
{
    qToLittleEndian(value, record + at);
}

QByteArrayView fieldAt(const char* record, int at, int width)
{
    QByteArrayView field(record + at, width);
    while (!field.isEmpty() && field.back() == ' ')
        field.chop(1);
    return field;
}

QString textAt(const char* record, int at, int width)
{
    return decodeCp1252(fieldAt(record, at, width));
}

float floatAt(const char* record, int at)
{
    return qFromLittleEndian<float>(record + at);
}

const QByteArray& blankRecord()
{
    static const QByteArray blank = IngRecord{}.toBytes();
    return blank;
}

} // namespace

QString IngRecord::trimmedName() const
{
    // Most names have no spaces to trim and are shared as they are, not copied.
    return trimmedSpacesView(name).size() == name.size() ? name : trimSpaces(name);
}

QByteArray IngRecord::toBytes() const
{
    QByteArray bytes(size, '\0');
    char* r = bytes.data();
    putText(r, nameAt, nameWidth, name);
    putFloat(r, amount1At, amount1);
    putText(r, measure1At, measureWidth, measure1);
    putFloat(r, amount2At, amount2);
    putText(r, measure2At, measureWidth, measure2);
    putFloat(r, caloriesAt, calories);
    putFloat(r, fatAt, fat);
    putFloat(r, satFatAt, satFat);
    qToLittleEndian(cholesterol, r + cholesterolAt);
    putFloat(r, sodiumAt, sodium);
    putFloat(r, totalCarbsAt, totalCarbs);
    putFloat(r, fiberAt, fiber);
    putFloat(r, proteinAt, protein);
    qToLittleEndian(measureKind, r + measureKindAt);
    qToLittleEndian(customMeasure, r + customMeasureAt);
    return bytes;
}

QByteArrayView IngRecord::nameField(QByteArrayView bytes)
{
    return fieldAt(bytes.data(), nameAt, nameWidth);
}

IngRecord IngRecord::fromBytes(QByteArrayView bytes)
{
    std::array<char, size> buffer;
    if (bytes.size() < size) {
        std::memcpy(buffer.data(), blankRecord().constData(), size);
        std::memcpy(buffer.data(), bytes.data(), static_cast<size_t>(bytes.size()));
        bytes = QByteArrayView(buffer.data(), size);
    }
    return fromBytes(bytes, textAt(bytes.data(), nameAt, nameWidth),
                     [](QByteArrayView field) { return decodeCp1252(field); });
}

IngRecord IngRecord::fromBytes(QByteArrayView bytes, QString name,
                               const std::function<QString(QByteArrayView)>& measureText)
{
    const char* r = bytes.data();
    IngRecord record;
    record.name = std::move(name);
    record.measure1 = measureText(fieldAt(r, measure1At, measureWidth));
    record.measure2 = measureText(fieldAt(r, measure2At, measureWidth));
    record.amount1 = floatAt(r, amount1At);
    record.amount2 = floatAt(r, amount2At);
    record.calories = floatAt(r, caloriesAt);
    record.fat = floatAt(r, fatAt);
    record.satFat = floatAt(r, satFatAt);
    record.cholesterol = qFromLittleEndian<qint32>(r + cholesterolAt);
    record.sodium = floatAt(r, sodiumAt);
    record.totalCarbs = floatAt(r, totalCarbsAt);
    record.fiber = floatAt(r, fiberAt);
    record.protein = floatAt(r, proteinAt);
    record.measureKind = qFromLittleEndian<qint16>(r + measureKindAt);
    record.customMeasure = qFromLittleEndian<qint16>(r + customMeasureAt);
    return record;
}

qint16 volumeWeight(const QString& measure1, const QString& measure2)
{
    // 0 volume, 1 weight, 2 neither.
    const auto classOf = [](const QString& measure) {
        const int index = units::recipeUnitIndex(measure, Qt::CaseSensitive);
        if (index < 0)
            return 2;
        return units::recipeUnits[static_cast<size_t>(index)].kind == units::Kind::Volume ? 0 : 1;
    };
    // Rows: the first measure's class; columns: the second's.
    static constexpr qint16 table[3][3] = {{1, 0, 1}, {0, 2, 2}, {1, 2, 3}};
    return table[classOf(measure1)][classOf(measure2)];
}

} // namespace zestora
