#include "support/AppSession.h"

#include "app/MessageWin.h"
#include "app/Tillwick.h"
#include "app/Windows.h"
#include "data/Layouts.h"
#include "data/TableStore.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QTest>
#include <QTimer>

AppSession::AppSession()
{
    start();
}

AppSession::~AppSession()
{
    stop();
}

void AppSession::start()
{
    if (m_running)
        return;
    CreateWindows();
    Tillwick1->show();
    QCoreApplication::processEvents();
    m_running = true;
}

void AppSession::stop()
{
    if (!m_running)
        return;
    Tillwick1->close();
    DestroyWindows();
    m_running = false;
}

void AppSession::restart()
{
    stop();
    start();
}

QString AppSession::dataPath(const QString &fileName) const
{
    return m_dir.path() + QStringLiteral("/DataFiles/") + fileName;
}

void seedTable(const QString &path, const QString &layoutFileName, const QList<QVariantMap> &rows)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    TableStore store(fieldsOfFile(layoutFileName));
    store.setFileName(path);
    QVERIFY2(store.open(), qPrintable(store.lastError()));
    for (const QVariantMap &row : rows) {
        QVERIFY(store.append());
        for (auto it = row.cbegin(); it != row.cend(); ++it)
            QVERIFY2(store.setValue(it.key(), it.value()), qPrintable(store.lastError()));
        QVERIFY(store.post());
    }
    QVERIFY2(store.close(), qPrintable(store.lastError()));
}

QTimer *answerConfirmation(bool ok)
{
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, ok] {
        if (!MessageWin1 || !MessageWin1->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        QTest::mouseClick(ok ? MessageWin1->OKBtn : MessageWin1->CancelBtn, Qt::LeftButton);
    });
    timer->start();
    return timer;
}
