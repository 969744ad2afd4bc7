#pragma once

#include "core/paste/linereview.h"

#include <QDialog>

#include <memory>

namespace Ui {
class ImportWindow;
}

namespace zestora {

class HelpViewer;
class SortedNameModel;

namespace exchange {
struct ImportedRecipe;
}
namespace paste {
class FoodIndex;
}

// One imported recipe whose lines did not all match, reviewed before it is stored: Store takes
// the lines as the user left them, Skip leaves the recipe out, Skip the Rest (or closing the
// window) leaves out this one and those still to come.
class ImportWindow : public QDialog {
    Q_OBJECT
public:
    enum class Decision { Store, Skip, SkipRest };
    struct Result {
        Decision decision;
        QList<paste::ReviewedLine> lines;
    };
    // The recipe is the position-th of count to review.
    static Result review(QWidget* parent, const exchange::ImportedRecipe& recipe, int position,
                         int count, paste::FoodIndex& index, const SortedNameModel& names,
                         HelpViewer& help);

private:
    ImportWindow(QWidget* parent, paste::FoodIndex& index, const SortedNameModel& names,
                 HelpViewer& help);
    ~ImportWindow() override;

    // Escape asks before choices made go.
    void reject() override;

    const std::unique_ptr<Ui::ImportWindow> m_ui;
    Decision m_decision = Decision::SkipRest;
};

} // namespace zestora
