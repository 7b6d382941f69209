#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include <string>

class QWidget;

namespace notaro::app {

class ScoreEditor;
class UserPrompts;

/// The open document: its file, and the commands that replace or write the editor's text (New,
/// Open, a dropped file, the program's argument, Save, Save As), with the save prompt before
/// anything is replaced. The text and its modified flag live in the editor; this object keeps
/// the file name and the window caption that shows it.
///
/// Everything that must follow the document (a recovery copy, a watch on its file) hooks in at
/// documentReplaced and documentSaved, which name the file each time.
class DocumentController : public QObject {
    Q_OBJECT
public:
    /// @param dialogParent the window the prompts and file dialogs belong to
    DocumentController(ScoreEditor& editor, UserPrompts& prompts, QWidget* dialogParent,
                       QObject* parent = nullptr);

    /// The document's file; "" for a document never saved.
    const QString& fileName() const { return fileName_; }
    /// "Notaro 1.4 -- NAME.NTR", or "Notaro 1.4 -- New Document" without a file.
    QString caption() const;

    /// New: the save prompt, then an empty document without a file.
    void newDocument();
    /// Open: the save prompt, the Open dialog in the samples folder, then the chosen file.
    void open();
    /// A file dropped on the window: the save prompt, then the file.
    void openDropped(const QString& path);
    /// Reads the file into the editor without asking first (the program's argument). A file
    /// over 64000 characters, or one that cannot be read, is refused with a message and the
    /// editor keeps its document.
    void openFile(const QString& path);
    /// Import MIDI: the save prompt, the Open dialog for a MIDI file, the choice of its line,
    /// then the imported melody as a new document without a file (modified, so that closing
    /// asks to save it). A melody over the editor's 64000 characters is refused.
    void importMidi();
    /// Save: writes to the document's file, asking for one when there is none.
    void save();
    /// Save As: asks for the file (in the document's folder), then writes to it.
    void saveAs();
    /// Puts a recovered text in the editor as a modified document of fileName ("" for a new
    /// one), without asking first.
    void recoverDocument(const QString& fileName, const std::string& text);
    /// Looks at the document's file after a change on disk was noticed: offers to reload it
    /// (a question that says what is lost when the text is modified); nothing when the file is
    /// as this window last read or wrote it.
    void reviewDiskChange();

    /// "Do you want to save changes?" when the text is modified: Yes saves as Save does, No
    /// goes on, Cancel stops.
    /// @return true when the caller may go on: replace the text, or close
    bool querySaveChanges();

Q_SIGNALS:
    /// The caption changed with the file name.
    void captionChanged(const QString& caption);
    /// The editor holds another document (New, Open): fileName is its file, "" for a new one.
    void documentReplaced(const QString& fileName);
    /// The text was written to fileName, which is now the document's file.
    void documentSaved(const QString& fileName);
    /// The document's file changed on disk; reviewDiskChange() looks at it (the owner calls
    /// it when no play is running).
    void diskChangeNoticed();
    /// A MIDI file was imported; report says what was taken and approximated.
    void imported(const QString& report);

private:
    /// What tells one version of a file from another: identity, size and modification time.
    struct FileStamp {
        bool exists = false;
        quint64 device = 0, inode = 0;
        qint64 size = 0, modifiedNs = 0;
        bool operator==(const FileStamp& o) const {
            return exists == o.exists && device == o.device && inode == o.inode && size == o.size &&
                   modifiedNs == o.modifiedNs;
        }
        bool operator!=(const FileStamp& o) const { return !(*this == o); }
    };
    static FileStamp stampOf(const QString& path);

    QString askSaveFileName();
    bool writeDocument(const QString& path);
    void setFileName(const QString& path);
    /// Remembers the file as it is now and watches it for changes.
    void watchFile();

    ScoreEditor& editor_;
    UserPrompts& prompts_;
    QWidget* dialogParent_;
    QString fileName_;
    FileStamp stamp_;         ///< the file as this window last read or wrote it
    FileStamp declinedStamp_; ///< a changed file the user chose not to reload
    QFileSystemWatcher watcher_;
    QTimer settle_; ///< lets a writer finish before the change is looked at
    bool reviewing_ = false;
};

} // namespace notaro::app
