#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

namespace zestora {

// One ingredient with the nutrition of Amount1 of Measure1 (the same quantity as Amount2 of
// Measure2). Text fields hold the text without its right-hand padding.
struct IngRecord {
    static constexpr int size = 164;
    static constexpr int nameWidth = 60;
    static constexpr int measureWidth = 30;

    QString name;
    float amount1 = 0;
    QString measure1;
    float amount2 = 0;
    QString measure2;
    float calories = 0;
    float fat = 0;
    float satFat = 0;
    qint32 cholesterol = 0;
    float sodium = 0;
    float totalCarbs = 0;
    float fiber = 0;
    float protein = 0;
    qint16 measureKind = 0;
    qint16 customMeasure = 0; // -1 true, 0 false, as stored

    bool operator==(const IngRecord&) const = default;

    // The name as the screens show and compare it.
    QString trimmedName() const;

    // Exactly the 164 bytes of the file's record: fixed texts space-padded or cut to their width,
    // little-endian numbers. Characters outside code page 1252 must have been refused before.
    QByteArray toBytes() const;
    // Reads one record; a shorter piece (the end of a damaged file) is read as if the rest of the
    // record were blank.
    static IngRecord fromBytes(QByteArrayView bytes);
    // The same for a whole record of a table, whose name was read before: measureText gives the
    // text of a measure field's bytes, so that the few texts a table's measures have are shared.
    static IngRecord fromBytes(QByteArrayView bytes, QString name,
                               const std::function<QString(QByteArrayView)>& measureText);
    // The name field of a whole record's bytes without its padding: the bytes of its name.
    static QByteArrayView nameField(QByteArrayView bytes);
};

// The volume/weight class of a pair of measures (0 volume and weight, 1 volume only, 2 weight
// only, 3 neither), from the measures trimmed of spaces and compared case-sensitively.
qint16 volumeWeight(const QString& measure1, const QString& measure2);

} // namespace zestora
