#pragma once

#include "support/ScopedWorkDir.h"

#include <QString>
#include <QVariantMap>

class QTimer;
class TableStore;

// Runs the program's windows in a fresh data folder: CreateWindows() and the main window shown,
// DestroyWindows() at the end. restart() stops and starts the program on the same folder.
class AppSession
{
public:
    AppSession();
    ~AppSession();
    AppSession(const AppSession &) = delete;
    AppSession &operator=(const AppSession &) = delete;

    void start();
    void stop();
    void restart();

    QString dataPath(const QString &fileName) const;
    ScopedWorkDir &dir() { return m_dir; }

private:
    ScopedWorkDir m_dir;
    bool m_running = false;
};

// Writes rows into a table file of the data folder before the program starts; each row maps
// field names to values.
void seedTable(const QString &path, const QString &layoutFileName, const QList<QVariantMap> &rows);

// Answers the confirmation window the next time it shows, by clicking "OK" or "Cancel". Deleting
// the returned timer withdraws the answer.
QTimer *answerConfirmation(bool ok);
