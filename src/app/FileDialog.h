#pragma once

#include <QString>

#include <optional>

class QWidget;

// Every file dialog of the program goes through here, so a test can give the next answer
// (setNextFileName; an empty text answers as Cancel) instead of a person.
class FileDialog
{
public:
    static QString getOpenFileName(QWidget *parent,
                                   const QString &caption,
                                   const QString &dir = QString(),
                                   const QString &filter = QString());
    static QString getSaveFileName(QWidget *parent,
                                   const QString &caption,
                                   const QString &dir = QString(),
                                   const QString &filter = QString());
    static QString
    getExistingDirectory(QWidget *parent, const QString &caption, const QString &dir = QString());

    static void setNextFileName(const QString &fileName);
    // The filter text of the last dialog asked for.
    static QString lastFilter();

private:
    static std::optional<QString> takeAnswer(const QString &filter);
};
