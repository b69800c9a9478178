// Backup and restore of the four account files through a folder of the user's choice.
#include "app/FileDialog.h"
#include "app/MessageBox.h"
#include "app/Options.h"
#include "app/Tillwick.h"
#include "data/Layouts.h"
#include "data/TableStore.h"
#include "data/TextHelpers.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {
struct AccountFile
{
    QLatin1String name;
    const char *prompt;
};

const AccountFile kFiles[] = {
        {TableFileName::Summary, "Summary File Already Exists. Do you want to Replace the File ?"},
        {TableFileName::Purchases, "Purchases File Already Exists. Do you want to Replace the File ?"},
        {TableFileName::History, "History File Already Exists. Do you want to Replace the File ?"},
        {TableFileName::Accounts, "Accounts File Already Exists. Do you want to Replace the File ?"},
};

// The folder of a name chosen in a file dialog: everything before its last separator.
QString folderOf(const QString &chosen, QChar separator)
{
    const int p = LastCharPos(chosen, separator);
    return p > 0 ? chosen.left(p - 1) : chosen;
}

// A path in the chosen folder. The data folder's own paths end in a separator; a chosen folder
// does not, so one is always put between.
QString inFolder(const QString &folder, const QString &name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

bool replaceAnswered(QWidget *parent, const QString &question)
{
    return MessageBox::warning(parent, QObject::tr("Tillwick"), question, QMessageBox::Yes | QMessageBox::No)
           != QMessageBox::No;
}
} // namespace

void TTillwick1::RDBACKREST1Change()
{
    if (RDBACKREST1->isChecked())
        BackRestBtn->setText(QStringLiteral("Backup"));
}

void TTillwick1::RDBACKREST2Change()
{
    if (RDBACKREST2->isChecked())
        BackRestBtn->setText(QStringLiteral("Restore"));
}

void TTillwick1::BackRestBtnClick()
{
    if (RDBACKREST1->isChecked())
        BackupFiles();
    if (RDBACKREST2->isChecked())
        RestoreFiles();
}

void TTillwick1::BackupFiles()
{
    const QString chosen = FileDialog::getSaveFileName(this, tr("Backup Folder"), QStringLiteral("Backup.d"));
    if (chosen.isEmpty())
        return;
    WKFOLDER = folderOf(chosen, FILE_DELIM2);
    WriteBackupFiles();
}

void TTillwick1::WriteBackupFiles()
{
    TableStore *stores[] = {ClientDataSet1, ClientDataSet2, ClientDataSet3, ClientDataSet4};
    QStringList failures;
    for (int i = 0; i < 4; ++i) {
        const QString target = inFolder(WKFOLDER, kFiles[i].name);
        if (QFileInfo::exists(target)
            && !replaceAnswered(this,
                                QStringLiteral("File: ")
                                        + inFolder(WKFOLDER, QString::fromLatin1(kFiles[i].prompt))))
            continue;
        TableStore &store = *stores[i];
        if (!store.isOpen()) {
            if (i == 0)
                OpenDataFile();
            else if (i == 1)
                OpenDataFile2();
            else if (i == 2)
                OpenDataFile3();
            else
                OpenAccountsFile();
        }
        if (!store.writeTo(target))
            failures << store.lastError();
    }
    // A backup that could not be written is no backup: say what failed instead.
    if (!failures.isEmpty()) {
        MessageBox::warning(
                this, tr("Tillwick"), tr("The backup is not complete.\n\n%1").arg(failures.join(u'\n')));
        return;
    }
    Label10->setText(QStringLiteral(" Files Copied."));
    Label10->show();
}

void TTillwick1::RestoreFiles()
{
    const QString chosen = FileDialog::getOpenFileName(this,
                                                       tr("Restore Folder"),
                                                       QStringLiteral("Restore.d"),
                                                       dialogFilter(QStringLiteral("CDS Files|*.CDS")));
    if (chosen.isEmpty())
        return;
    WKFOLDER = folderOf(chosen, FILE_DELIM2);
    ReadBackupFiles();
}

void TTillwick1::ReadBackupFiles()
{
    QStringList failures;
    for (const AccountFile &file : kFiles) {
        const QString source = inFolder(WKFOLDER, file.name);
        if (!QFileInfo::exists(source))
            continue;
        const QString target = ROOTPATH + FILE_DELIM + file.name;
        if (QFileInfo::exists(target)
            && !replaceAnswered(
                    this,
                    QStringLiteral("File: ") + ROOTPATH + FILE_DELIM + file.name
                            + QStringLiteral(" AlreadyExists. Do you want to Replace the File ?")))
            continue;
        if (file.name == TableFileName::Summary) {
            ClientDataSet1->close();
            ClientDataSet6->close();
        } else if (file.name == TableFileName::Purchases) {
            ClientDataSet2->close();
        } else if (file.name == TableFileName::History) {
            ClientDataSet3->close();
        } else {
            ClientDataSet4->close();
        }
        ClientDataSet10->close();
        // A backup file that cannot be read, or is another table, must not replace good data.
        const QList<QString> expected = [&] {
            QList<QString> names;
            for (const FieldDef &field : fieldsOfFile(QString(file.name)))
                names << field.name;
            return names;
        }();
        if (ClientDataSet10->loadFrom(source)) {
            QList<QString> names;
            for (const FieldDef &field : ClientDataSet10->fields())
                names << field.name;
            if (names != expected)
                failures << tr("%1 is not a %2 table.").arg(QDir::toNativeSeparators(source), file.name);
            else if (!ClientDataSet10->writeTo(target))
                failures << ClientDataSet10->lastError();
        } else {
            failures << ClientDataSet10->lastError();
        }
        ClientDataSet10->close();
    }
    LoadAllTables();
    if (!failures.isEmpty()) {
        MessageBox::warning(
                this, tr("Tillwick"), tr("Not every file was restored.\n\n%1").arg(failures.join(u'\n')));
        return;
    }
    Label10->setText(QStringLiteral(" Files Restored."));
    Label10->show();
}
