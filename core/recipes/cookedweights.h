#pragma once

#include <QHash>
#include <QList>
#include <QString>

#include <optional>
#include <utility>

namespace zestora {

// The weight of each finished dish the cook weighed, in grams. Recipe.Dat has no room for it, so
// it lives in a small file of the data folder (the working directory), one "recipe name, tab,
// grams" a line; a folder whose recipes were never weighed has no such file.
class CookedWeights {
public:
    inline static const QString fileName = QStringLiteral("Cooked weights.txt");

    // Reads the file when there is one; an unreadable file or line weighs nothing.
    void load();
    // The recipe's weight when cooked; names compare ignoring case, as the screens compare them.
    std::optional<double> of(const QString& recipe) const;
    // Keeps the weight, or forgets it (none); the file is changed crash-safely, and only when the
    // weight changes. False with errorString() when it could not be written, in which case the
    // weights in memory are as before.
    bool set(const QString& recipe, std::optional<double> grams);
    // Keeps or forgets the weights of many recipes with one rewrite, as an import stores them.
    bool set(const QList<std::pair<QString, std::optional<double>>>& changes);
    const QString& errorString() const { return m_error; }

private:
    void take(const QList<std::pair<QString, double>>& weights);

    QList<std::pair<QString, double>> m_weights; // in the file's order
    QHash<QString, double> m_byName;             // the same, by the name in lower case
    QString m_error;
};

// The header line an exchange file carries the weight in, "Weight when cooked: 980 g", and the
// grams of such a line; none for any other line.
QString cookedWeightNote(double grams);
std::optional<double> cookedWeightOfNote(const QString& note);

// Grams as they are written back: "980", "1250.5".
QString cookedGramsText(double grams);

// Grams as the user types them ("980", "1,250", "980 g"); none for an empty text, and for one
// that is not a weight above zero, which *bad then says.
std::optional<double> cookedGramsFrom(const QString& text, bool* bad);

} // namespace zestora
