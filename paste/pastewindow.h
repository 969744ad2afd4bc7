#pragma once

#include "core/analysis/recipedraft.h"
#include "core/paste/coverage.h"

#include <QDialog>

#include <memory>

namespace Ui {
class PasteWindow;
}

namespace zestora {

class HelpViewer;
class Settings;
class SortedNameModel;

namespace paste {
class FoodIndex;
}

// Paste Ingredients: a box for recipe lines as a web page, a cookbook or an e-mail writes them;
// Read matches each line to a stored food and shows the review; Add hands the lines that go in
// to the recipe, and remembers the foods the user chose.
class PasteWindow : public QDialog {
    Q_OBJECT
public:
    // The lines to add, in order, and what of the recipe they count; none when the user cancelled.
    // The box starts with the text on the clipboard, already read in the index's measures; measures
    // chosen here are kept in the settings and in the index, for imports too.
    struct Pasted {
        QList<RecipeDraft::NewLine> lines;
        paste::Coverage coverage;      // of all the lines read, the ones left out too
        std::optional<float> servings; // as the text gave them ("Serves 6")
    };
    static std::optional<Pasted> ask(QWidget* parent, paste::FoodIndex& index,
                                     const SortedNameModel& names, HelpViewer& help,
                                     Settings& settings);

private:
    PasteWindow(QWidget* parent, paste::FoodIndex& index, const SortedNameModel& names,
                HelpViewer& help, Settings& settings);
    ~PasteWindow() override;

    void read();
    void add();
    // The user chose other measures: kept for next time, and the lines read again in them.
    void measuresChosen(int item);
    // Escape asks before lines typed or choices made go.
    void reject() override;

    const std::unique_ptr<Ui::PasteWindow> m_ui;
    paste::FoodIndex& m_index;
    Settings& m_settings;
    bool m_textRead = false;         // the table shows the text as it is now
    std::optional<float> m_servings; // the text's, at the last Read
};

} // namespace zestora
