#include "app/MessageBox.h"

#include <QList>

namespace {
QList<QMessageBox::StandardButton> g_nextAnswers;
QString g_lastText;
} // namespace

void MessageBox::setNextAnswer(QMessageBox::StandardButton answer)
{
    if (answer == QMessageBox::NoButton)
        g_nextAnswers.clear();
    else
        g_nextAnswers.append(answer);
}

QString MessageBox::lastText()
{
    return g_lastText;
}

QMessageBox::StandardButton MessageBox::ask(QWidget *parent,
                                            QMessageBox::Icon icon,
                                            const QString &title,
                                            const QString &text,
                                            QMessageBox::StandardButtons buttons,
                                            QMessageBox::StandardButton defaultButton)
{
    g_lastText = text;
    if (!g_nextAnswers.isEmpty())
        return g_nextAnswers.takeFirst();
    QMessageBox box(icon, title, text, buttons, parent);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return QMessageBox::StandardButton(box.exec());
}

QMessageBox::StandardButton MessageBox::warning(QWidget *parent,
                                                const QString &title,
                                                const QString &text,
                                                QMessageBox::StandardButtons buttons,
                                                QMessageBox::StandardButton defaultButton)
{
    return ask(parent, QMessageBox::Warning, title, text, buttons, defaultButton);
}

QMessageBox::StandardButton
MessageBox::information(QWidget *parent, const QString &title, const QString &text)
{
    return ask(parent, QMessageBox::Information, title, text, QMessageBox::Ok, QMessageBox::Ok);
}

QMessageBox::StandardButton MessageBox::question(QWidget *parent,
                                                 const QString &title,
                                                 const QString &text,
                                                 QMessageBox::StandardButtons buttons)
{
    return ask(parent, QMessageBox::Question, title, text, buttons, QMessageBox::NoButton);
}
