#pragma once

#include "core/analysis/ingredientsearch.h"

#include <QDialog>

#include <functional>
#include <memory>

namespace Ui {
class SearchDialog;
}

namespace zestora {

class HelpViewer;
class SortedNameModel;

// Finds ingredients by words in their names, any or all of them; a result clicked, or reached by
// the arrow keys and taken with Enter, is chosen and closes the window.
class SearchDialog : public QDialog {
    Q_OBJECT
public:
    // Searches the names of the ingredient list, modally; choose receives the result clicked.
    // The list keeps its lower-case names ready, so opening lowers nothing.
    static void search(QWidget* parent, HelpViewer& help, const SortedNameModel& names,
                       std::function<void(const QString&)> choose);

private:
    SearchDialog(QWidget* parent, HelpViewer& help, search::SearchableNames names,
                 std::function<void(const QString&)> choose);
    ~SearchDialog() override;

    void resetSearch();
    void runSearch();
    void showResults();
    void chooseResult(const QString& result);

    const std::unique_ptr<Ui::SearchDialog> m_ui;
    const search::SearchableNames m_names;
    std::function<void(const QString&)> m_choose;
};

} // namespace zestora
