#pragma once

#include <sys/types.h>

namespace notaro::base {

/// What a path names, as far as a reader of files cares: only a regular file has an end that
/// comes without anyone's help.
enum class FileKind { Regular, Folder, Pipe, CharacterDevice, BlockDevice, Socket, Other };

/// The kind of file an fstat or stat mode (st_mode) describes.
FileKind fileKindOfMode(mode_t mode);

/// The kind in words that follow "it is", e.g. "a folder", "a pipe (FIFO)".
const char* fileKindWords(FileKind kind);

} // namespace notaro::base
