#include "app/FileDialog.h"

#include <QFileDialog>

#include <optional>

namespace {
std::optional<QString> g_nextFileName;
QString g_lastFilter;
} // namespace

void FileDialog::setNextFileName(const QString &fileName)
{
    g_nextFileName = fileName;
}

QString FileDialog::lastFilter()
{
    return g_lastFilter;
}

bool FileDialog::takeAnswer(const QString &filter, QString *answer)
{
    g_lastFilter = filter;
    if (!g_nextFileName)
        return false;
    *answer = *g_nextFileName;
    g_nextFileName.reset();
    return true;
}

QString FileDialog::getOpenFileName(QWidget *parent,
                                    const QString &caption,
                                    const QString &dir,
                                    const QString &filter)
{
    QString answer;
    if (takeAnswer(filter, &answer))
        return answer;
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

QString FileDialog::getSaveFileName(QWidget *parent,
                                    const QString &caption,
                                    const QString &dir,
                                    const QString &filter)
{
    QString answer;
    if (takeAnswer(filter, &answer))
        return answer;
    return QFileDialog::getSaveFileName(parent, caption, dir, filter);
}

QString FileDialog::getExistingDirectory(QWidget *parent, const QString &caption, const QString &dir)
{
    QString answer;
    if (takeAnswer(QString(), &answer))
        return answer;
    return QFileDialog::getExistingDirectory(parent, caption, dir);
}
