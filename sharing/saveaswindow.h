#pragma once

#include "core/exchange/recipeexport.h"

#include <QDialog>
#include <QElapsedTimer>

#include <memory>
#include <optional>

namespace Ui {
class SaveAsWindow;
}

namespace zestora {

class HelpViewer;
class Settings;
struct Session;

// Saves the recipe shown on the stored recipes screen, or every stored recipe, to a file other
// programs read: the printed pages as PDF, a web page, MealMaster text or JSON-LD. The file is
// written whole or not at all; one that exists is replaced only when the user says so. Saving
// many recipes shows how far it got and can be cancelled, the window answering all the while. The
// format last saved in is offered first next time.
class SaveAsWindow : public QDialog {
    Q_OBJECT
public:
    // shownRecipe: the name chosen on the stored recipes screen, empty when none is.
    SaveAsWindow(Session& session, Settings& settings, HelpViewer& help, const QString& shownRecipe,
                 QWidget* parent);
    ~SaveAsWindow() override;

    // Opens the window modally over parent and returns when it closes; with no recipe stored it
    // says so instead.
    static void saveRecipes(QWidget* parent, Session& session, Settings& settings, HelpViewer& help,
                            const QString& shownRecipe);

    // While saving, closing the window cancels the saving instead.
    void reject() override;

private:
    exchange::Format chosenFormat() const;
    QString defaultName(bool all) const;
    // The file named, a name without a folder in the default folder.
    QString typedPath() const;
    void recipesChosen();
    void formatChosen();
    void fileTyped();
    void browse();
    void save();
    void setBusy(bool busy, int total = 0);
    bool showProgress(int done, int total);
    void showHelp();

    Session& m_session;
    Settings& m_settings;
    HelpViewer& m_help;
    const std::unique_ptr<Ui::SaveAsWindow> m_ui;
    QString m_shownName;
    std::optional<int> m_shown; // the stored recipe the screen shows
    QString m_folder;           // where a name without a folder goes
    bool m_busy = false;
    bool m_cancelling = false;
    QElapsedTimer m_sinceEvents;
};

} // namespace zestora
