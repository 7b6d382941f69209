#include "app/shell/AppValues.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

#include <memory>

namespace notaro::app {

namespace {

AppValues gValues;
std::unique_ptr<QLockFile> gInstanceLock;

} // namespace

const AppValues& appValues() {
    return gValues;
}

void initAppValues(const QString& programFolder) {
    gValues.appTitle = QStringLiteral("Notaro 1.4");
    QString folder =
        programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : programFolder;
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    gValues.appFolder = folder;
    gValues.helpFilePath = folder + QStringLiteral("/notaro.hlp");
    gValues.instanceMutexName = QStringLiteral("notaroMutex");
    gValues.appVersion = QStringLiteral("1.4");
    gValues.appDate = QStringLiteral("15/09/2006");

    // The lock only marks that a copy runs; a second copy finds it taken and goes on.
    if (!gInstanceLock) {
        QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        if (runtime.isEmpty())
            runtime = QDir::tempPath();
        gInstanceLock = std::make_unique<QLockFile>(
            runtime + QLatin1Char('/') + gValues.instanceMutexName + QStringLiteral(".lock"));
        gInstanceLock->setStaleLockTime(0);
        gInstanceLock->tryLock(0);
    }
}

void setSamplesFolder(const QString& folder) {
    gValues.samplesFolder = folder;
}

QString dataFolder(const QString& name) {
    const QString beside = gValues.appFolder + QLatin1Char('/') + name;
    if (QFileInfo(beside).isDir())
        return beside;
    const QString installed =
        QDir::cleanPath(gValues.appFolder + QStringLiteral("/../share/notaro/") + name);
    if (QFileInfo(installed).isDir())
        return installed;
    return beside;
}

bool holdsInstanceLock() {
    return gInstanceLock && gInstanceLock->isLocked();
}

} // namespace notaro::app
