#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

// Every message box of the program goes through here, so a test can answer the next one
// instead of a person (setNextAnswer), and no test ever waits on a modal box.
class MessageBox
{
public:
    static QMessageBox::StandardButton warning(QWidget *parent,
                                               const QString &title,
                                               const QString &text,
                                               QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                               QMessageBox::StandardButton defaultButton
                                               = QMessageBox::NoButton);
    static QMessageBox::StandardButton
    information(QWidget *parent, const QString &title, const QString &text);
    static QMessageBox::StandardButton question(QWidget *parent,
                                                const QString &title,
                                                const QString &text,
                                                QMessageBox::StandardButtons buttons
                                                = QMessageBox::Yes | QMessageBox::No);

    // The answer given to the next box instead of showing it; answers set one after another
    // answer the boxes in that order. NoButton drops them all, so boxes show again.
    static void setNextAnswer(QMessageBox::StandardButton answer);
    // The text of the last box asked for, shown or answered.
    static QString lastText();

private:
    static QMessageBox::StandardButton ask(QWidget *parent,
                                           QMessageBox::Icon icon,
                                           const QString &title,
                                           const QString &text,
                                           QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton defaultButton);
};
