#pragma once

#include "core/store/ingrecord.h"
#include "core/usda/usdameasures.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Ingredients made from the USDA National Nutrient Database for Standard Reference: foods.tsv
// (nutrients per 100 g) and measures.tsv (household measures with their weights).
namespace zestora::usda {

// How a food's measures were chosen.
enum class MeasureSource { StandardUnit, OwnMeasure, HundredGrams };

struct Food {
    IngRecord record;
    MeasureSource measure;
    QList<HouseholdMeasure> measures; // all of USDA's, in its order
    // What the shortened name leaves out of how the food was cooked: "cooked, salted" of grits
    // whose name is "Cereals, corn grits, yellow, regular, quick, enriched".
    QString formsLeftOut;
};

struct ImportResult {
    QList<Food> foods;
    QString error; // set when the tables could not be read
};

// Turns the two tables into ingredient records in the order of the foods table. Names are
// readable, at most 60 characters, and unique ignoring letter case.
ImportResult readFoods(const QByteArray& foodsTsv, const QByteArray& measuresTsv);

// A description shortened to at most 60 characters without cutting words: long phrases first
// take their short forms, then comma-separated details that do not fit after the earlier ones
// are left out. Every such shortening, the preferred first, for telling apart foods whose first
// ones agree.
QStringList nameCandidates(const QString& description);

// The words of a description that say how the food was cooked ("cooked", "raw", "dry", "salted")
// and that the name does not say, joined with commas.
QString formsLeftOut(const QString& description, const QString& name);

// A USDA household measure as one of the program's units: the unit and how many of it one USDA
// unit is (a fluid ounce is two tablespoons). Empty unit when it is none of them.
struct UnitMatch {
    QString unit;
    float multiplier = 1;
};
UnitMatch standardUnit(const QString& usdaUnit);

// A USDA measure text as an ingredient's own measure: at most 30 characters, whole words.
QString ownMeasure(const QString& usdaUnit);

} // namespace zestora::usda
