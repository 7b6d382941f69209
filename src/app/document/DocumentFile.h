#pragma once

#include "score/ScoreFile.h"

#include <QString>

#include <cstdint>
#include <string>

namespace notaro::app {

/// Reading and writing score documents.
///
/// A document is read as the command-line tool reads it (readScoreFile: UTF-8, else
/// Windows-1252; LF, CR or CR LF line ends turned into CR LF), up to the editor's limit, and
/// written as UTF-8 with CR LF, through a temporary file beside the target renamed over it: a
/// failed write never harms the old file and leaves no temporary file behind.
namespace documentFile {

/// Result of a read or write that worked.
inline constexpr int32_t kOk = 0;

/// Reads the score file at path with the editor's limit (kEditorScoreLimit: 64000 characters).
ScoreFileResult readTextFile(const QString& path);
/// Replaces the file's whole content with text (UTF-8, CR LF line ends kept as they are).
/// @return 0, or the failure's error number
int32_t writeTextFile(const QString& path, const std::string& text);
/// folder := everything before the last "/", name := everything after it.
/// @return 0 when split, -1 when the path holds no "/"
int32_t splitPath(const QString& path, QString& folder, QString& name);
/// The path with ext (".NTR", ".mid") appended when the file-name part holds no ".".
QString withDefaultExtension(const QString& path, const QString& ext);

} // namespace documentFile

} // namespace notaro::app
