#pragma once

#include <QChar>
#include <QString>

#include <functional>

class TableStore;

// Where the program keeps its files, fixed once when the main window is made.
struct DataPaths
{
    QString HELPPATH;   // the current directory at start
    QString ROOTPATH;   // the data folder
    QString FILE_DELIM; // between ROOTPATH and a file name
    QChar FILE_DELIM2;
    QString STYLE_PATH; // folder of the style files

    // ROOTPATH + FILE_DELIM + name
    QString tablePath(const QString &fileName) const { return ROOTPATH + FILE_DELIM + fileName; }
};

// The paths for the current directory; the style folder is the one beside the program.
DataPaths dataPathsForCurrentDir();

// Makes the data folder when it does not exist; a failure shows later, in the opens and writes.
void makeDataFolder(const DataPaths &paths);

// The opens of the main window's tables. A missing file gives an empty table. Each returns false,
// with the store's lastError() saying why, when a file exists but cannot be read; the store is
// then open and empty, and the file is left as it is.
bool OpenDataFile(const DataPaths &paths, TableStore &ClientDataSet1, TableStore &ClientDataSet6);
bool OpenDataFile2(const DataPaths &paths, TableStore &ClientDataSet2);
bool OpenDataFile3(const DataPaths &paths, TableStore &ClientDataSet3);
bool OpenDataFile8(const DataPaths &paths, TableStore &ClientDataSet8);
bool OpenAccountsFile(const DataPaths &paths, TableStore &ClientDataSet4);
// An options file of an earlier layout is deleted and the options start anew. loadOptions runs
// when the file has a row; the row is then left in edit state, or a new one in insert state.
bool OpenOptionsFile(const DataPaths &paths,
                     TableStore &ClientDataSet5,
                     const std::function<void()> &loadOptions);
