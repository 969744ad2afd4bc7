#pragma once

#include <QObject>
#include <QSet>

#include <functional>
#include <initializer_list>

class QFileSystemWatcher;
class QWidget;

namespace zestora {

class DataFile;

// Says as soon as it happens that a data file changed on disk under what Zestora had read of it
// (another program cut it short while Zestora was stopped and could not let go of it), so that
// nobody takes the zeros and blanks then shown for the recipes or foods, and offers to read the
// file again. Once for each loss: a user who says No hears of it again when a save is refused.
class ChangedOnDisk : public QObject {
public:
    ChangedOnDisk(QWidget* window, std::initializer_list<DataFile*> files,
                  std::function<void(DataFile&)> reload);

private:
    void check();
    // The files as they are now: a save or another program puts a new file in a watched one's
    // place, which the watcher no longer follows.
    void watchFiles();

    QWidget* m_window;
    QList<DataFile*> m_files;
    std::function<void(DataFile&)> m_reload;
    QFileSystemWatcher* m_watcher;
    QSet<const DataFile*> m_told;
    bool m_asking = false; // a question is open; the watcher's word meanwhile waits for it
};

} // namespace zestora
