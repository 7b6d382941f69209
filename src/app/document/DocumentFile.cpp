#include "app/document/DocumentFile.h"

#include "base/AtomicFile.h"

#include <QFile>

namespace notaro::app::documentFile {

ScoreFileResult readTextFile(const QString& path) {
    return readScoreFile(QFile::encodeName(path).toStdString(), kEditorScoreLimit);
}

int32_t writeTextFile(const QString& path, const std::string& text) {
    return base::writeFileAtomically(QFile::encodeName(path).toStdString(), text);
}

int32_t splitPath(const QString& path, QString& folder, QString& name) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return -1;
    folder = path.left(slash);
    name = path.mid(slash + 1);
    return 0;
}

QString withDefaultExtension(const QString& path, const QString& ext) {
    // Only the file name decides: a "." in a folder name says nothing about the file's type.
    const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    return name.contains(QLatin1Char('.')) ? path : path + ext;
}

} // namespace notaro::app::documentFile
