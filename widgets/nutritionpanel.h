#pragma once

#include "core/analysis/lineamounts.h"
#include "core/analysis/nutrition.h"

#include <QFrame>

#include <memory>

class QLabel;

namespace Ui {
class NutritionPanel;
}

namespace zestora {

// The Nutrition Facts panel: fixed captions, the name and serving lines, and a value and a daily
// percentage for each nutrient, which the screen sets. Each screen keeps the names and captions
// its panel has always had; setForm chooses them.
class NutritionPanel : public QFrame {
    Q_OBJECT
public:
    enum class Form {
        Recipe,       // the analysis screen: " Per Serving", the footnote on one line
        StoredRecipe, // the stored recipes screen and its printed page: the footnote on three
        Ingredient,   // the stored ingredient screen and the wizard: "Serving Size", two lines
    };

    explicit NutritionPanel(QWidget* parent = nullptr);
    ~NutritionPanel() override;

    void setForm(Form form);

    void setValues(const nutrition::PanelTexts& values);
    const nutrition::PanelTexts& values() const { return m_values; }
    void setName(const QString& name);
    // The serving lines: the recipe's servings, or an ingredient's two measures.
    void setServing(const QString& serving);
    QString serving() const;
    void setSecondServing(const QString& serving);
    // Values, name and serving lines empty.
    void clear();

    // A nutrient's row: the labels that name it, its value and its percentage (none for calories
    // and protein).
    struct Row {
        nutrition::Nutrient nutrient;
        QList<QLabel*> captions;
        QLabel* value;
        QLabel* percent;
    };
    QList<Row> rows() const;

    // The labels as a printed page draws them, in order, and the separators from top to bottom.
    QList<const QLabel*> printedLabels() const;
    QList<const QFrame*> rules() const;

private:
    const std::unique_ptr<Ui::NutritionPanel> m_ui;
    nutrition::PanelTexts m_values;
};

} // namespace zestora
