#pragma once

#include <QString>

#include <functional>
#include <initializer_list>
#include <memory>

class QLockFile;

namespace zestora {

class DataFile;

// Who takes a data folder, for the words of a refusal: the program's window, or a command as the
// user typed it ("zestora restore").
struct Claimant {
    QString command; // empty: the window
    // The window only: asked when the folder is held from another computer, with a question that
    // says what is at risk; true takes the folder over.
    std::function<bool(const QString& question)> openAnyway;
};

// Takes the data folder (the working directory) for this run, so that no second Zestora changes
// the same files, then clears what interrupted saves and take-overs of earlier runs left there.
// Returns the lock to hold until the program ends: unlocked when the folder cannot be written
// (readOnlyNotice), nullptr when another Zestora holds the folder. The refusal in error names its
// computer and the time it took the folder; it is empty when the user chose not to open anyway.
std::unique_ptr<QLockFile> claimDataDir(QString* error, const Claimant& claimant = {});

// enterDataDir, then claimDataDir.
std::unique_ptr<QLockFile> openDataDir(const QString& requested, QString* error,
                                       const Claimant& claimant = {});

// Said once at start when the data folder cannot be written, so that changes cannot be saved:
// why the lock claimDataDir gave could not be taken, a folder that is read-only or a disk that is
// full.
QString readOnlyNotice(const QLockFile& lock);

// A folder opened without its lock (readOnlyNotice) is claimed again by the first save to it that
// succeeds, once room was made on the disk or the folder made writable: the session then ends its
// read-only state, and onTaken is given a line that says so. The lock must outlive the files.
void claimAgainOnSave(QLockFile& lock, std::initializer_list<DataFile*> files,
                      const std::function<void(const QString& line)>& onTaken);

// A Zestora holds the folder's lock and still runs, or may: one on another computer cannot be
// seen from here.
bool openByZestora(const QString& folder);

} // namespace zestora
