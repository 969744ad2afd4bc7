#include "core/paste/coverage.h"

namespace zestora::paste {

namespace {

// A line as the coverage names it: its food's words, or all of it when it gives no amount
// ("salt to taste"), starting in lower case.
QString shortName(const IngredientLine& line)
{
    QString name = line.hasQuantity() && !line.food.isEmpty() ? line.food : line.text;
    if (!name.isEmpty() && !(name.size() > 1 && name[1].isUpper()))
        name[0] = name[0].toLower();
    return name;
}

} // namespace

QString Coverage::text() const
{
    QString text = QStringLiteral("%1 of %2 %3 weighed")
                       .arg(weighed)
                       .arg(lines)
                       .arg(lines == 1 ? QStringLiteral("line") : QStringLiteral("lines"));
    if (estimated > 0)
        text += QStringLiteral(" (%1 by an estimate)").arg(estimated);
    if (!notCounted.isEmpty()) {
        QStringList names;
        for (const QString& line : notCounted)
            names.append(shortName(readIngredientLine(line)));
        text += QStringLiteral("; not counted: ") + names.join(QStringLiteral(", "));
    }
    return text;
}

Coverage coverageOf(const QList<ReviewedLine>& lines, const IngTable& table)
{
    Coverage coverage;
    for (const ReviewedLine& reviewed : lines) {
        if (!reviewed.isIngredient())
            continue;
        ++coverage.lines;
        if (!reviewed.leftOut && acceptedLine(reviewed, table)) {
            ++coverage.weighed;
            coverage.estimated += !reviewed.measure.estimate.isEmpty();
        } else {
            coverage.notCounted.append(reviewed.line.text);
        }
    }
    return coverage;
}

} // namespace zestora::paste
