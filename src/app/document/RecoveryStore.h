#pragma once

#include <QDateTime>
#include <QString>

#include <string>
#include <vector>

namespace notaro::app {

/// A recovery copy left by a program that ended without closing its document.
struct RecoveryCopy {
    QString path;         ///< the copy itself
    QString documentFile; ///< the document's file; "" for a document never saved
    QDateTime written;    ///< when the copy was last written
    std::string text;     ///< the document's text (CR LF line ends, UTF-8)
};

/// The recovery copies of unsaved documents, one folder for every running copy of the program
/// ($XDG_STATE_HOME/notaro/recovery, by default ~/.local/state/notaro/recovery).
///
/// Each process writes its copy as <session>.recovery and holds an advisory lock on
/// <session>.lock for as long as it runs; the kernel drops the lock when the process dies, by
/// a crash or a kill, so a copy whose lock can be taken belongs to a program that is gone,
/// even when another process has since got its process id. Copies are written through
/// base::AtomicFile: a kill during a write leaves the old or the new copy, never a mix.
class RecoveryStore {
public:
    /// @param folder where the copies live; "" for the default folder
    explicit RecoveryStore(QString folder = {});
    /// Removes this process's copy and lock: the program ends cleanly.
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore&) = delete;
    RecoveryStore& operator=(const RecoveryStore&) = delete;

    static QString defaultFolder();
    const QString& folder() const { return folder_; }

    /// Writes this process's copy of the document. @return 0, or the error number
    int32_t write(const QString& documentFile, const std::string& text);
    /// Removes this process's copy (the document was saved, closed or discarded).
    void remove();
    /// The path of this process's copy; "" before the first write.
    const QString& copyPath() const { return copyPath_; }

    /// The copies of programs that no longer run, oldest first. Files that are not copies of
    /// the expected form are left alone and not listed.
    std::vector<RecoveryCopy> orphans() const;
    /// Removes what programs that are gone left and that holds no copy: the lock of a program
    /// whose document was saved, and the temporary file of a copy whose write was killed.
    void sweep() const;
    /// Deletes an orphan's copy and its lock (the user's Discard, or a recovery done).
    static void discard(const RecoveryCopy& copy);

private:
    bool lockSession();

    QString folder_;
    QString session_;
    QString copyPath_;
    int lockFd_ = -1;
};

} // namespace notaro::app
