#include "app/FileDialog.h"

#include <QFileDialog>

#include <optional>
#include <utility>

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

std::optional<QString> FileDialog::takeAnswer(const QString &filter)
{
    g_lastFilter = filter;
    return std::exchange(g_nextFileName, std::nullopt);
}

QString FileDialog::getOpenFileName(QWidget *parent,
                                    const QString &caption,
                                    const QString &dir,
                                    const QString &filter)
{
    if (const auto answer = takeAnswer(filter))
        return *answer;
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

QString FileDialog::getSaveFileName(QWidget *parent,
                                    const QString &caption,
                                    const QString &dir,
                                    const QString &filter)
{
    if (const auto answer = takeAnswer(filter))
        return *answer;
    return QFileDialog::getSaveFileName(parent, caption, dir, filter);
}

QString FileDialog::getExistingDirectory(QWidget *parent, const QString &caption, const QString &dir)
{
    if (const auto answer = takeAnswer(QString()))
        return *answer;
    return QFileDialog::getExistingDirectory(parent, caption, dir);
}
