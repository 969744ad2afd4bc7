#pragma once

#include <QWidget>

#include <array>
#include <optional>

class QPainter;

namespace zestora {

// The shares of calories from fat, carbohydrates and protein as one horizontal bar of three parts,
// with a legend in words under it, so that the parts are told apart without their colours.
class CalorieBar : public QWidget {
    Q_OBJECT
public:
    explicit CalorieBar(QWidget* parent);

    // Hidden when there are no shares (a recipe of no calories).
    void setShares(const std::optional<std::array<double, 3>>& shares);
    const std::optional<std::array<double, 3>>& shares() const { return m_shares; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<std::array<double, 3>> m_shares;
};

// The legend: "Fat 31.4 %   Carbohydrates 50 %   Protein 18.6 %".
QString calorieBarLegend(const std::array<double, 3>& shares);

// Draws the bar in the top part of the area and its legend under it, on screen and on paper.
void paintCalorieBar(QPainter& painter, const QRectF& area, const std::array<double, 3>& shares);

} // namespace zestora
