#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <string>
#include <vector>

class QWidget;

namespace notaro::app {

class UserPrompts;

/// The dialog flags the program uses (their classic values, so the request reads as designed).
namespace dialogFlags {
inline constexpr quint32 kOverwritePrompt = 0x2;
inline constexpr quint32 kHideReadOnly = 0x4;
inline constexpr quint32 kPathMustExist = 0x800;
inline constexpr quint32 kFileMustExist = 0x1000;
inline constexpr quint32 kExplorer = 0x80000;
inline constexpr quint32 kLongNames = 0x200000;
/// Open a score text: the file and its folder must exist.
inline constexpr quint32 kOpenScore = 0x81004;
/// Save a score text or a MIDI file: ask before overwriting.
inline constexpr quint32 kSaveFile = 0x280806;
} // namespace dialogFlags

/// What the caller asks of a file dialog, and what the dialog answers.
struct fileDialogRequest {
    /// The system filter text of buildFilterString; "" means the single filter "All Files".
    std::string filter;
    int filterIndex = 0;
    QString initialFolder;
    QString fileName; ///< proposed name, at most 512 characters
    QString title;
    QString defaultExtension;
    quint32 flags = 0;
    // Answers, set only when the user chose a file.
    QString chosenPath;
    QString chosenTitle;
    quint16 nameOffset = 0;
    quint16 extensionOffset = 0;
};

/// The system filter text: every item followed by a NUL, "*.*" and a NUL appended when the
/// count is odd, one closing NUL; "" for no items.
std::string buildFilterString(const std::vector<std::string>& items);

/// The filter text as Qt name filters: "Description (pattern)" per pair; a description that
/// already shows its pattern in brackets is kept as it is.
QStringList toQtFilters(const std::string& filter);

/// Shows the open dialog through prompts. @return true when a file was chosen
bool showOpenDialog(fileDialogRequest& request, UserPrompts& prompts, QWidget* parent);
/// Shows the save dialog through prompts. @return true when a file was chosen
bool showSaveDialog(fileDialogRequest& request, UserPrompts& prompts, QWidget* parent);

/// Fills the answer fields from a chosen path (chosenTitle, offsets), as the system does.
void completeRequest(fileDialogRequest& request, const QString& path);

} // namespace notaro::app
