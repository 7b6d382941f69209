#pragma once

#include <QString>

namespace notaro::app {

/// The process-wide values every window and message box of the program uses. Set once at
/// start-up by initAppValues (samplesFolder by the main window at the end of its load).
struct AppValues {
    QString appTitle;          ///< "Notaro 1.4": window caption prefix, title of every message box
    QString appVersion;        ///< "1.4"
    QString appDate;           ///< "15/09/2006"
    QString appFolder;         ///< the folder of the program file, without a final "/"
    QString helpFilePath;      ///< appFolder + "/notaro.hlp"
    QString instanceMutexName; ///< "notaroMutex"
    QString samplesFolder;     ///< the first folder of the Open dialog
};

/// The values; empty texts before initAppValues.
const AppValues& appValues();

/// Sets every value but samplesFolder and takes the instance lock "notaroMutex". The lock is
/// held for the life of the process and never waited on: a second copy runs normally.
/// @param programFolder the program's folder; "" means the folder of the running executable
void initAppValues(const QString& programFolder = {});

/// Sets samplesFolder (the main window does so at the end of its load).
void setSamplesFolder(const QString& folder);

/// Where a data folder of the program ("samples", "help") is: beside the program (the build
/// tree), else ../share/notaro/<name> (an installed copy). The first candidate when neither
/// exists.
QString dataFolder(const QString& name);

/// True while this process holds the instance lock.
bool holdsInstanceLock();

} // namespace notaro::app
