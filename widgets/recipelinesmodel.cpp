#include "widgets/recipelinesmodel.h"

#include "core/store/recipemarks.h"

#include <QFont>

#include <cmath>

namespace zestora {

QString shareText(double share)
{
    const double shown = share < 1 && share > 0 ? std::round(share * 10) / 10 : std::round(share);
    return QString::number(shown) + QStringLiteral(" %");
}

RecipeLinesModel::RecipeLinesModel(const IngTable& ingredients, Lines lines, QObject* parent)
    : QAbstractListModel(parent)
    , m_ingredients(ingredients)
    , m_lines(std::move(lines))
{
}

int RecipeLinesModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_worked.size());
}

QVariant RecipeLinesModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || index.row() >= m_lines.count())
        return {};
    const int row = index.row();
    const Worked& line = m_worked[row];
    switch (role) {
    case Qt::DisplayRole:
        return m_lines.row(row);
    case Qt::FontRole:
        if (!line.heading)
            return {};
        {
            // A heading stands out in bold, as it does on the printed page.
            QFont bold;
            bold.setBold(true);
            return bold;
        }
    case EntryRole:
        return m_lines.entry(row);
    case GramsRole: {
        const QString& weight = grams(row);
        return weight.isEmpty() ? QVariant() : QVariant(weight);
    }
    case ShareRole:
        return row < shares().size() && shares()[row] ? QVariant(*shares()[row]) : QVariant();
    case Qt::ToolTipRole: {
        // The whole line first: a long name ends in "…" where the list is narrow.
        const QString& text = m_lines.row(row);
        return line.amount ? text + u'\n' + line.amount->workings() : text;
    }
    case Qt::AccessibleDescriptionRole:
        return line.amount ? QVariant(line.amount->workings()) : QVariant();
    case Qt::AccessibleTextRole:
        return spoken(row);
    default:
        return {};
    }
}

RecipeEntriesModel::RecipeEntriesModel(RecipeLinesModel* lines, QObject* parent)
    : QIdentityProxyModel(parent)
{
    setSourceModel(lines);
}

QVariant RecipeEntriesModel::data(const QModelIndex& index, int role) const
{
    return role == Qt::DisplayRole ? QIdentityProxyModel::data(index, RecipeLinesModel::EntryRole)
                                   : QVariant();
}

std::optional<double> RecipeLinesModel::rawGrams() const
{
    // A sum over what was worked out already, so that showing it costs no line's work again.
    double grams = 0;
    bool anyLine = false;
    for (const Worked& line : m_worked) {
        if (line.heading)
            continue;
        if (!line.amount || !line.amount->grams)
            return std::nullopt;
        grams += *line.amount->grams;
        anyLine = true;
    }
    return anyLine ? std::optional<double>(grams) : std::nullopt;
}

RecipeLinesModel::Worked RecipeLinesModel::work(int row) const
{
    const QString& entry = m_lines.entry(row);
    return {nutrition::lineAmount(entry, m_ingredients, m_lines.servings()),
            entry.contains(marks::asChar(marks::headingMark)), std::nullopt};
}

const QString& RecipeLinesModel::grams(int row) const
{
    const Worked& line = m_worked[row];
    if (!line.grams)
        line.grams = line.amount && line.amount->grams ? nutrition::gramsText(*line.amount->grams)
                                                       : QString();
    return *line.grams;
}

void RecipeLinesModel::linesInserted(int at, int count)
{
    if (count <= 0)
        return;
    beginInsertRows(QModelIndex(), at, at + count - 1);
    QList<Worked> added;
    added.reserve(count);
    for (int row = at; row < at + count; ++row)
        added.append(work(row));
    m_worked.insert(at, count, Worked());
    std::move(added.begin(), added.end(), m_worked.begin() + at);
    m_shares.reset();
    endInsertRows();
    if (m_nutrient)
        sharesChanged();
}

void RecipeLinesModel::lineRemoved(int row)
{
    beginRemoveRows(QModelIndex(), row, row);
    m_worked.removeAt(row);
    m_shares.reset();
    endRemoveRows();
    if (m_worked.isEmpty())
        m_nutrient.reset();
    if (m_nutrient)
        sharesChanged();
}

void RecipeLinesModel::linesReset(int count)
{
    beginResetModel();
    m_worked.clear();
    m_worked.reserve(count);
    for (int row = 0; row < count; ++row)
        m_worked.append(work(row));
    // Another recipe, or none: the shares go with the old one.
    m_nutrient.reset();
    m_shares.reset();
    endResetModel();
}

void RecipeLinesModel::rework()
{
    for (int row = 0; row < m_worked.size(); ++row)
        m_worked[row] = work(row);
    m_shares.reset();
    if (!m_worked.isEmpty())
        Q_EMIT dataChanged(index(0), index(static_cast<int>(m_worked.size()) - 1));
}

void RecipeLinesModel::showShares(std::optional<nutrition::Nutrient> nutrient)
{
    m_nutrient = m_worked.isEmpty() ? std::nullopt : nutrient;
    sharesChanged();
}

void RecipeLinesModel::sharesChanged()
{
    m_shares.reset();
    if (!m_worked.isEmpty())
        Q_EMIT dataChanged(index(0), index(static_cast<int>(m_worked.size()) - 1),
                           {ShareRole, Qt::AccessibleTextRole});
}

const QList<std::optional<double>>& RecipeLinesModel::shares() const
{
    if (!m_shares) {
        m_shares.emplace();
        m_largest = 0;
        if (m_nutrient) {
            QList<std::optional<nutrition::LineAmount>> amounts;
            amounts.reserve(m_worked.size());
            for (const Worked& line : m_worked)
                amounts.append(line.amount);
            *m_shares = nutrition::lineShares(amounts, *m_nutrient);
            for (const std::optional<double>& share : std::as_const(*m_shares))
                m_largest = std::max(m_largest, share.value_or(0));
        }
    }
    return *m_shares;
}

double RecipeLinesModel::largestShare() const
{
    shares();
    return m_largest;
}

QString RecipeLinesModel::spoken(int row) const
{
    QString spoken = m_lines.row(row).trimmed();
    if (const QString& weight = grams(row); !weight.isEmpty())
        spoken += QStringLiteral(", ") + weight;
    if (row < shares().size() && shares()[row])
        spoken += QStringLiteral(", ") +
                  shareText(*shares()[row]).replace(u'%', QStringLiteral("percent")) +
                  QStringLiteral(" of ") + nutrition::nutrientName(*m_nutrient);
    return spoken;
}

} // namespace zestora
