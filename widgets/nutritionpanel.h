#pragma once

#include "core/analysis/lineamounts.h"
#include "core/analysis/nutrition.h"

#include <QFrame>

#include <memory>
#include <optional>
#include <vector>

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

    // The rows take the focus, the Tab key moving on to them from after and through them in
    // order, the arrow keys moving between them; the row with the focus is framed.
    void makeRowsFocusable(QWidget* after);

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

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void keepRoomForTexts();

    const std::unique_ptr<Ui::NutritionPanel> m_ui;
    nutrition::PanelTexts m_values;
    // The width the screen gives the panel, widened when its texts need more.
    std::optional<std::pair<int, int>> m_givenWidth;
    // The labels given room for a number, with that room, widened when their texts need more.
    std::vector<std::pair<QLabel*, int>> m_numberRooms;
};

} // namespace zestora
