#include "widgets/caloriebar.h"

#include "core/numbers.h"

#include <QPainter>

namespace zestora {

namespace {

struct Part {
    const char* name;
    QColor colour;
    Qt::BrushStyle pattern; // the parts differ in pattern too, also in black and white
};

const std::array<Part, 3> parts{{
    {"Fat", QColor(0xe0, 0x9b, 0x2d), Qt::SolidPattern},
    {"Carbohydrates", QColor(0x4a, 0x8f, 0xd6), Qt::Dense4Pattern},
    {"Protein", QColor(0x5a, 0xa8, 0x5a), Qt::BDiagPattern},
}};

// The bar takes the upper part of the area, the legend the rest.
constexpr qreal barShare = 0.45;

} // namespace

CalorieBar::CalorieBar(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("CalorieBar"));
    setAccessibleName(QStringLiteral("Calorie shares chart"));
    setVisible(false);
}

void CalorieBar::setShares(const std::optional<std::array<double, 3>>& shares)
{
    m_shares = shares;
    setAccessibleDescription(shares ? QStringLiteral("Calories: ") + calorieBarLegend(*shares)
                                    : QString());
    setVisible(shares.has_value());
    update();
}

QSize CalorieBar::sizeHint() const
{
    const int line = fontMetrics().height();
    // Room for the widest shares: fat is not capped, the other two stop at 100.
    return {fontMetrics().horizontalAdvance(calorieBarLegend({888.8, 88.8, 88.8})),
            static_cast<int>(line / (1 - barShare))};
}

void CalorieBar::paintEvent(QPaintEvent*)
{
    if (!m_shares)
        return;
    QPainter painter(this);
    paintCalorieBar(painter, rect(), *m_shares);
}

QString calorieBarLegend(const std::array<double, 3>& shares)
{
    QStringList words;
    for (size_t i = 0; i < parts.size(); ++i)
        words.append(QLatin1String(parts[i].name) + QLatin1Char(' ') + doubleText(shares[i]) +
                     QStringLiteral(" %"));
    return words.join(QStringLiteral("   "));
}

void paintCalorieBar(QPainter& painter, const QRectF& area, const std::array<double, 3>& shares)
{
    painter.save();
    const double sum = shares[0] + shares[1] + shares[2];
    const QRectF bar(area.left(), area.top(), area.width() - 1, area.height() * barShare);
    qreal x = bar.left();
    for (size_t i = 0; i < parts.size(); ++i) {
        const qreal width = sum > 0 ? bar.width() * shares[i] / sum : 0;
        const QRectF piece(x, bar.top(), width, bar.height());
        painter.fillRect(piece, Qt::white);
        painter.fillRect(piece, QBrush(parts[i].colour, parts[i].pattern));
        x += width;
    }
    painter.setPen(QPen(Qt::black, 0));
    painter.drawRect(bar);
    // The legend is never cut: a font larger than the one the area was made for (the printed
    // page's) is made smaller until the legend fits.
    const QString legend = calorieBarLegend(shares);
    const qreal width = QFontMetricsF(painter.font(), painter.device()).horizontalAdvance(legend);
    if (width > area.width()) {
        QFont smaller = painter.font();
        smaller.setPointSizeF(smaller.pointSizeF() * area.width() / width * 0.98);
        painter.setFont(smaller);
    }
    painter.drawText(QRectF(area.left(), bar.bottom(), area.width(), area.height() - bar.height()),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, legend);
    painter.restore();
}

} // namespace zestora
