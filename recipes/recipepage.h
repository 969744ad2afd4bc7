#pragma once

#include <QFont>
#include <QList>
#include <QRectF>
#include <QSize>
#include <QString>

#include <array>
#include <optional>

class QAbstractItemView;
class QLabel;
class QPainter;
class QPlainTextEdit;
class QPrinter;
class QWidget;

namespace zestora {

class CalorieBar;
class NutritionPanel;

// A recipe page as the stored recipes screen shows it. Positions and sizes are in twips (1440 to
// the inch) measured from the top left of the screen's frame, so that on paper every text and
// line keeps the place and size it has on the screen; fonts keep their point sizes. The frame is
// laid out for the page at most 800 pixels wide, so that its image, centred and moved left, fits
// a sheet, however wide the screen is.
struct RecipePage {
    struct Text {
        QString text;
        QFont font;
        QPointF at; // the top left of the text
    };
    // A separator of the panel, from its start to the panel's right edge.
    struct Rule {
        QPointF from;
        qreal width;
    };
    struct Line {
        QString text;
        bool heading;
    };

    qreal pixel = 15;       // twips in a screen pixel
    QSizeF window;          // the screen's frame
    QRectF panel;           // the Nutrition Facts panel
    QList<Text> panelTexts; // relative to the panel, in the order they print
    QList<Rule> rules;      // relative to the panel
    QString name;
    QFont titleFont; // the font of the recipes caption
    qreal listLeft = 0;
    QFont listFont;
    QList<Line> lines;
    QString coverage;   // what of the recipe the panel counts, when a line counts for nothing
    QList<Text> shares; // the caption and the three calorie shares; none without calories
    // The chart of the shares, where the screen shows it; none without calories.
    std::optional<std::array<double, 3>> calorieShares;
    QRectF calorieBar;
    qreal directionsLeft = 0;
    qreal directionsWidth = 0;
    QString directions;
};

// The controls of the stored recipes screen that a page copies, each at its place on the screen.
struct PrintedControls {
    const QWidget* frame; // the screen's frame, whose top left is the page's origin
    QSize frameSize;      // the size it is laid out at for the page
    const NutritionPanel* panel;
    QString name;
    const QLabel* title;           // the recipes caption, whose font the title takes
    const QAbstractItemView* rows; // headings are the rows in a bold font
    QString coverage;              // empty while every line counts
    bool withShares;               // the recipe has calories
    const QLabel* sharesCaption;
    std::array<const QLabel*, 3> shares;
    const CalorieBar* calorieBar;
    const QPlainTextEdit* directions;
    const QLabel* servingWeight; // under the panel: "Serving 245 g"
};

// The largest frame a page copies: wider, its image would not fit a sheet.
inline constexpr QSize largestPrintedFrame{800, 640};

// The page of the recipe the stored recipes screen shows, read from its controls.
RecipePage recipePage(const PrintedControls& screen);

// Prints the page: the name as a title, the panel at its screen place in a double frame, the
// calorie shares under it, then the ingredients (headings bold) and the directions word-wrapped.
// Lines that would run off the page continue on the next one.
void paintRecipePage(QPainter& painter, QPrinter& printer, const RecipePage& page);

} // namespace zestora
