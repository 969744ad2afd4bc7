#pragma once

#include "core/analysis/servingweight.h"

#include <QFrame>

#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace zestora {

// Beside the Nutrition Facts panel: how heavy a serving is, and on demand what 100 g of the dish
// holds. The panel's own lines keep their texts; these are labels of their own. Where recipes are
// built, the cook types the weight of the finished dish here too.
class DishWeightBox : public QFrame {
    Q_OBJECT
public:
    enum class Form { Entry, Shown };
    DishWeightBox(Form form, QWidget* parent);

    // The weight when cooked as typed; empty in the Shown form.
    QString cookedText() const;
    // Sets the text without raising cookedWeightEdited.
    void setCookedText(const QString& text);
    // The serving's weight and the per-100 g column; none when the weight is not known.
    void showWeight(const std::optional<nutrition::ServingWeight>& weight);
    // What showWeight shows instead, when the typed weight is no weight.
    void showProblem(const QString& problem);
    // Nothing shown, while no recipe is.
    void clear();
    // The Tab key comes here from `before`, to the weight when cooked and then the choice of the
    // per-100 g column.
    void followInTabOrder(QWidget* before);
    // The serving's weight as shown, for a printed page to copy.
    const QLabel* servingLabel() const { return m_serving; }

Q_SIGNALS:
    void cookedWeightEdited();

private:
    void showPer100g();

    QLineEdit* m_cooked = nullptr;
    QLabel* m_serving;
    QCheckBox* m_per100gChoice;
    QFrame* m_per100g;
    QList<QLabel*> m_per100gValues;
    std::optional<nutrition::ServingWeight> m_weight;
};

} // namespace zestora
