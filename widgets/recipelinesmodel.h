#pragma once

#include "core/analysis/lineamounts.h"

#include <QAbstractListModel>
#include <QIdentityProxyModel>

#include <functional>

namespace zestora {

class IngTable;

// A recipe's lines as the line list shows them. The lines are their owner's (the analysis
// screen's RecipeDraft, the recipe the stored recipes screen shows), read through Lines when
// asked for; the model keeps only what it works out of them: what each line stands for, once a
// line when it comes, and each line's share of the chosen nutrient, when first asked for after a
// change. The owner changes its lines first and then tells the model; a view that asks in between
// (a removed line's neighbours, while the removal is announced) is answered nothing for a line the
// owner no longer has.
class RecipeLinesModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role {
        EntryRole = Qt::UserRole + 1, // the marked-up entry the line is stored as
        GramsRole,                    // "488 g"; none when the line's weight is not known
        ShareRole,                    // the line's share of the chosen nutrient in percent
    };
    // Besides: the row as Qt::DisplayRole, headings bold as Qt::FontRole, the workings as
    // Qt::AccessibleDescriptionRole and, below the whole row, as Qt::ToolTipRole, and as
    // Qt::AccessibleTextRole the row with its weight and share, as a screen reader says it.

    struct Lines {
        std::function<int()> count;
        std::function<const QString&(int)> row;
        std::function<const QString&(int)> entry;
        // The servings the amounts are worked out for; each line's amounts are per serving.
        std::function<float()> servings;
    };
    RecipeLinesModel(const IngTable& ingredients, Lines lines, QObject* parent);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    void linesInserted(int at, int count);
    void lineRemoved(int row);
    // Now lines holds count lines, all of them new.
    void linesReset(int count);
    // Every line worked out again: the servings changed, or the ingredients may have.
    void rework();

    // The nutrient whose shares the lines show; none shows none.
    void showShares(std::optional<nutrition::Nutrient> nutrient);
    std::optional<nutrition::Nutrient> sharesShown() const { return m_nutrient; }
    // The largest share of a line, which the list makes stand out.
    double largestShare() const;
    // The raw weight of all lines in grams; none when a line has no weight or no lines are left.
    std::optional<double> rawGrams() const;

private:
    struct Worked {
        std::optional<nutrition::LineAmount> amount;
        bool heading = false;
        // "488 g", written when the line is first drawn or read: most lines of a long recipe
        // never are.
        mutable std::optional<QString> grams;
    };
    Worked work(int row) const;
    const QString& grams(int row) const;
    const QList<std::optional<double>>& shares() const;
    QString spoken(int row) const;
    void sharesChanged();

    const IngTable& m_ingredients;
    Lines m_lines;
    QList<Worked> m_worked;
    std::optional<nutrition::Nutrient> m_nutrient;
    mutable std::optional<QList<std::optional<double>>> m_shares;
    mutable double m_largest = 0;
};

// The same lines as their marked-up entries, for a view that shows the entries: the hidden list
// that keeps them findable under the name they have always had.
class RecipeEntriesModel : public QIdentityProxyModel {
    Q_OBJECT
public:
    RecipeEntriesModel(RecipeLinesModel* lines, QObject* parent);
    QVariant data(const QModelIndex& index, int role) const override;
};

// The percentage as the list shows it: whole numbers, tenths under 1 %.
QString shareText(double share);

} // namespace zestora
