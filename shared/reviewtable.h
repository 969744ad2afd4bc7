#pragma once

#include "core/paste/linereview.h"

#include <QTableWidget>

class QComboBox;
class QDialog;
class QLabel;
class QPushButton;

namespace zestora {

class HelpViewer;
class SortedNameModel;

namespace paste {
class FoodIndex;
}

// Pasted or imported lines as the user reviews them before they join a recipe: one row a line
// with the line as written, its food (a drop-down of the best five foods and a search of all),
// the quantity and unit it goes in with (typed over, and chosen from the food's measures), its
// grams, a note on every line that is not matched or is in doubt, and how much of it counts (the
// user may count only what frying leaves, what clings, or nothing). The box before a line says
// whether it goes in; a line that cannot go in (no food, no amount, no measure) has none until it
// is given a food that takes it.
class ReviewTable : public QTableWidget {
    Q_OBJECT
public:
    // The table's columns, left to right.
    enum Column {
        LineColumn,
        FoodColumn,
        QuantityColumn,
        UnitColumn,
        GramsColumn,
        NoteColumn,
        CountedColumn
    };

    explicit ReviewTable(QWidget* parent = nullptr);

    // What the table needs before it shows lines: the foods, their names to search, help for the
    // search window.
    void setUp(paste::FoodIndex& index, const SortedNameModel& names, HelpViewer& help);
    void showLines(QList<paste::ReviewedLine> lines);
    const QList<paste::ReviewedLine>& lines() const { return m_lines; }
    // Whether the user has chosen, typed or ticked anything since the lines were shown.
    bool isChangedByUser() const { return m_changedByUser; }
    // The last of the table's controls in the order Tab visits them.
    QWidget* lastInTabOrder();
    // How many lines go in and how many are marked, in a sentence.
    QString summary() const;
    // Whether any line goes in.
    bool anyLineGoesIn() const;

Q_SIGNALS:
    void linesChanged();

protected:
    bool focusNextPrevChild(bool next) override;

private:
    QComboBox* foodList(int row);
    void foodChosen(int row, QComboBox* foods, int item);
    void amountEdited(int row);
    void eatenChosen(int row, paste::Eaten eaten);
    void recount();
    void changedByUser();
    void showRow(int row);
    void showText(int row, int column, const QString& text, bool editable);

    paste::FoodIndex* m_index = nullptr;
    const SortedNameModel* m_names = nullptr;
    HelpViewer* m_help = nullptr;

    QList<paste::ReviewedLine> m_lines;
    bool m_changedByUser = false;
    QList<QComboBox*> m_foodLists;
};

// A window around a review table: sized for a screen of 1024 x 768 and centred, its summary kept
// up to date, its Help button and F1 opening the topic of pasting and importing.
void setUpReviewWindow(QDialog* window, ReviewTable* table, QLabel* summary, QPushButton* help,
                       HelpViewer& helpViewer);

} // namespace zestora
