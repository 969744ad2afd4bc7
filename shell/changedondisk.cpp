#include "shell/changedondisk.h"

#include "core/store/datafile.h"
#include "platform/messagebox.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QWidget>

#include <utility>

namespace zestora {

ChangedOnDisk::ChangedOnDisk(QWidget* window, std::initializer_list<DataFile*> files,
                             std::function<void(DataFile&)> reload)
    : QObject(window)
    , m_window(window)
    , m_files(files)
    , m_reload(std::move(reload))
    , m_watcher(new QFileSystemWatcher(this))
{
    connect(m_watcher, &QFileSystemWatcher::fileChanged, this, &ChangedOnDisk::check);
    watchFiles();
}

void ChangedOnDisk::watchFiles()
{
    for (const DataFile* file : std::as_const(m_files))
        if (QFileInfo::exists(file->fileName()) && !m_watcher->files().contains(file->fileName()))
            m_watcher->addPath(file->fileName());
}

void ChangedOnDisk::check()
{
    watchFiles();
    if (m_asking)
        return;
    for (DataFile* file : std::as_const(m_files)) {
        if (!file->readBytesLost() || m_told.contains(file))
            continue;
        m_told.insert(file);
        const QString name =
            QDir::toNativeSeparators(QFileInfo(file->fileName()).absoluteFilePath());
        m_asking = true;
        const MessageBox::Answer answer = MessageBox::show(
            m_window,
            QStringLiteral("The file %1 changed on disk: another program changed it while "
                           "Zestora could not answer, and what Zestora had read of it is lost. "
                           "What Zestora shows of it now may be zeros or blanks, and nothing is "
                           "saved from it.\r\n\r\nRead the file again from the disk now?")
                .arg(name),
            QStringLiteral("File Changed on Disk"), MessageBox::Icon::Exclamation,
            MessageBox::Buttons::YesNo);
        m_asking = false;
        if (answer == MessageBox::Answer::Yes) {
            m_reload(*file);
            m_told.remove(file);
        }
    }
}

} // namespace zestora
