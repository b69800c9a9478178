// The Options tab: what is saved comes back after a restart, styles and the grid text colour.
#include "app/FileDialog.h"
#include "app/HuePicker.h"
#include "app/MessageBox.h"
#include "app/Tillwick.h"
#include "app/Windows.h"
#include "binding/StringGrid.h"
#include "data/Layouts.h"
#include "data/TableStore.h"
#include "support/AppSession.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

namespace {
QVariantMap account(const QString &number, const QString &name)
{
    return {{QStringLiteral("FrstAccountNo"), number},
            {QStringLiteral("AccountNo"), number},
            {QStringLiteral("AccountName"), name},
            {QStringLiteral("AccountDesc"), QStringLiteral("d")}};
}

QVariantMap holding(const QString &accountNo, const QString &symbol)
{
    return {{QStringLiteral("FrstAccountNo"), accountNo},
            {QStringLiteral("AccountNo"), accountNo},
            {QStringLiteral("Symbol"), symbol},
            {QStringLiteral("Quantity"), 1.0},
            {QStringLiteral("Price"), 1.0}};
}

void openOptionsTab()
{
    Tillwick1->TabControl1->setCurrentWidget(Tillwick1->TabItem5);
}

void save()
{
    openOptionsTab();
    QTest::mouseClick(Tillwick1->TSaveBtn, Qt::LeftButton);
}

void chooseStyle(const QString &name)
{
    QListWidget *list = Tillwick1->ListBox1;
    QListWidgetItem *item = list->findItems(name, Qt::MatchExactly).value(0);
    QVERIFY(item);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

QRgb gridTextColour()
{
    return Tillwick1->StringGrid1->textColor().rgba();
}
} // namespace

class TestOptions : public QObject
{
    Q_OBJECT

private slots:
    void init() { MessageBox::setNextAnswer(QMessageBox::NoButton); }
    void intervalComesBackAfterRestart_data();
    void intervalComesBackAfterRestart();
    void displayAllNeedsAutomaticQuotes_data();
    void displayAllNeedsAutomaticQuotes();
    void styleSetsGridTextColour();
    void pickerColourWinsAtStart();
    void startAccountIsChosenAgain();
    void longStartAccountIsNotFound();
    void geometryOverThreeRuns();
    void missingStyleIsToldOnce();
    void audioFileFromTheDialog();
    void historyChoicesExcludeEachOther();
};

void TestOptions::intervalComesBackAfterRestart_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("stored");
    QTest::newRow("10 minutes") << "10 Minutes" << 600;
    QTest::newRow("30 seconds") << "30 Seconds" << 30;
    QTest::newRow("1 minute") << "1 Minute" << 60;
}

void TestOptions::intervalComesBackAfterRestart()
{
    QFETCH(QString, entry);
    QFETCH(int, stored);
    AppSession app;
    Tillwick1->CMBTIME->setCurrentText(entry);
    Tillwick1->CheckBox4->setChecked(true);
    save();
    // Switched on in this session: the chosen interval, not a quote run every second.
    QCOMPARE(Tillwick1->TIMER_INTERVAL, stored);
    Tillwick1->CMBTIME->setCurrentIndex((Tillwick1->CMBTIME->currentIndex() + 1)
                                        % Tillwick1->CMBTIME->count());
    save();
    QCOMPARE(Tillwick1->TIMER_INTERVAL, stored); // a new interval waits for the next start
    Tillwick1->CMBTIME->setCurrentText(entry);
    save();
    app.restart();
    QCOMPARE(Tillwick1->CMBTIME->currentText(), entry);
    QCOMPARE(Tillwick1->TIMER_INTERVAL, stored);
    QVERIFY(Tillwick1->USE_TIMER_FLG);
}

void TestOptions::displayAllNeedsAutomaticQuotes_data()
{
    QTest::addColumn<bool>("automatic");
    QTest::newRow("automatic quotes off") << false;
    QTest::newRow("automatic quotes on") << true;
}

void TestOptions::displayAllNeedsAutomaticQuotes()
{
    QFETCH(bool, automatic);
    AppSession app;
    Tillwick1->CheckBox5->setChecked(true);
    Tillwick1->CheckBox4->setChecked(automatic);
    save();
    // No interval chosen: the shortest offered, never a run at every tick.
    QCOMPARE(Tillwick1->TIMER_INTERVAL, automatic ? 30 : 0);
    app.restart();
    QCOMPARE(Tillwick1->CheckBox5->isChecked(), automatic);
    QCOMPARE(Tillwick1->USE_TIMER_FLG, automatic);
}

void TestOptions::styleSetsGridTextColour()
{
    AppSession app;
    openOptionsTab();
    chooseStyle(QStringLiteral("Jet"));
    QCOMPARE(Tillwick1->STYLE_NAME, QStringLiteral("Jet"));
    QCOMPARE(Tillwick1->FONT_COLOR.rgba(), 0xFFFF0000u);
    QCOMPARE(gridTextColour(), 0xFFFF0000u);
    QVERIFY(qApp->styleSheet().size() > 0);
    chooseStyle(QStringLiteral("Gray"));
    QCOMPARE(Tillwick1->STYLE_INDEX, 28);
    QCOMPARE(Tillwick1->FONT_COLOR.rgba(), 0xFFFF0000u); // Gray keeps the colour there was
    chooseStyle(QStringLiteral("Light"));
    QCOMPARE(gridTextColour(), 0xFF000080u);
}

void TestOptions::pickerColourWinsAtStart()
{
    AppSession app;
    openOptionsTab();
    chooseStyle(QStringLiteral("Light"));
    save(); // the picker still has its first hue: red
    app.restart();
    QCOMPARE(Tillwick1->STYLE_NAME, QStringLiteral("Light"));
    QCOMPARE(Tillwick1->FONT_COLOR.rgba(), 0xFFFF0000u);
    QCOMPARE(gridTextColour(), 0xFFFF0000u);

    Tillwick1->ColorPicker1->setHue(240);
    Tillwick1->ColorPicker1Click();
    QCOMPARE(gridTextColour(), 0xFF0000FFu);
}

void TestOptions::startAccountIsChosenAgain()
{
    AppSession app;
    app.stop();
    seedTable(app.dataPath(QStringLiteral("Accounts.cds")),
              QStringLiteral("Accounts.cds"),
              {account(QStringLiteral("100"), QStringLiteral("Bank")),
               account(QStringLiteral("200"), QStringLiteral("Broker"))});
    seedTable(app.dataPath(QStringLiteral("Summary.cds")),
              QStringLiteral("Summary.cds"),
              {holding(QStringLiteral("100"), QStringLiteral("IBM")),
               holding(QStringLiteral("200"), QStringLiteral("T"))});
    app.start();
    QCOMPARE(Tillwick1->CURRENT_ACCOUNT, QStringLiteral("100"));
    QCOMPARE(Tillwick1->CMBSTRTACCNT->currentIndex(), -1); // no start account until one is chosen
    Tillwick1->CMBSTRTACCNT->setCurrentText(QStringLiteral("Broker"));
    save();
    QCOMPARE(Tillwick1->CURRENT_ACCOUNT, QStringLiteral("200"));
    app.restart();
    QCOMPARE(Tillwick1->CURRENT_ACCOUNT, QStringLiteral("200"));
    QCOMPARE(Tillwick1->windowTitle(), QStringLiteral("Tillwick - 200"));

    // Grid lines are only a look: ticking a box chooses the start account again and keeps editing.
    Tillwick1->TreeView1->clearSelection();
    Tillwick1->TreeView1->topLevelItem(0)->setSelected(true);
    Tillwick1->TreeView1Click();
    QCOMPARE(Tillwick1->CURRENT_ACCOUNT, QStringLiteral("100"));
    Tillwick1->CheckBox1->setChecked(true);
    QCOMPARE(Tillwick1->CURRENT_ACCOUNT, QStringLiteral("200"));
    QVERIFY(Tillwick1->StringGrid1->hasVerticalLines());
    QVERIFY(!Tillwick1->StringGrid1->isReadOnly());
}

void TestOptions::longStartAccountIsNotFound()
{
    AppSession app;
    app.stop();
    const QString longName = QStringLiteral("A name of more than twenty letters");
    seedTable(app.dataPath(QStringLiteral("Accounts.cds")),
              QStringLiteral("Accounts.cds"),
              {account(QStringLiteral("100"), QStringLiteral("Bank")),
               account(QStringLiteral("200"), longName)});
    seedTable(app.dataPath(QStringLiteral("Summary.cds")),
              QStringLiteral("Summary.cds"),
              {holding(QStringLiteral("100"), QStringLiteral("IBM"))});
    app.start();
    Tillwick1->CMBSTRTACCNT->setCurrentText(longName);
    save();
    app.stop();
    TableStore options(optionsFields());
    options.setFileName(app.dataPath(QStringLiteral("Options.cds")));
    QVERIFY(options.open());
    QCOMPARE(options.value(QStringLiteral("StartAccount")).toString(), longName.left(20));
    options.close();
    app.start();
    QCOMPARE(Tillwick1->CURRENT_ACCOUNT, QStringLiteral("100"));
}

void TestOptions::geometryOverThreeRuns()
{
    AppSession app; // first run: no options row, nothing kept
    Tillwick1->setGeometry(30, 40, 1000, 600);
    app.restart(); // second run: the new row gets only the geometry at its end
    const QRect second(50, 70, 1100, 620);
    Tillwick1->setGeometry(second);
    const QRect placed = Tillwick1->geometry();
    app.restart(); // third run: the place comes back, and the first style is loaded
    QCOMPARE(Tillwick1->size(), placed.size());
    QCOMPARE(Tillwick1->STYLE_NAME, QStringLiteral("Air"));
    QCOMPARE(Tillwick1->ListBox1->currentRow(), 0);
}

void TestOptions::missingStyleIsToldOnce()
{
    AppSession app;
    const QString sheet = qApp->styleSheet();
    Tillwick1->STYLE_PATH = app.dir().filePath(QStringLiteral("nowhere/"));
    MessageBox::setNextAnswer(QMessageBox::Ok);
    openOptionsTab();
    QVERIFY(MessageBox::lastText().contains(QStringLiteral("Air.Style")));
    QCOMPARE(qApp->styleSheet(), sheet); // the look stays
    // Only one box was asked for: a second one would have found no answer waiting and shown.
    MessageBox::setNextAnswer(QMessageBox::Ok);
    chooseStyle(QStringLiteral("Jet"));
    QVERIFY(MessageBox::lastText().contains(QStringLiteral("Jet.Style")));
    QCOMPARE(Tillwick1->FONT_COLOR.rgba(), 0xFFFF0000u);
}

void TestOptions::audioFileFromTheDialog()
{
    AppSession app;
    openOptionsTab();
    FileDialog::setNextFileName(QStringLiteral("/music/done.wav"));
    QTest::mouseDClick(Tillwick1->Edit4, Qt::LeftButton);
    QCOMPARE(Tillwick1->Edit4->text(), QStringLiteral("/music/done.wav"));
    QVERIFY(FileDialog::lastFilter().contains(QStringLiteral("*.wav")));
    FileDialog::setNextFileName(QString()); // cancelled
    QTest::mouseDClick(Tillwick1->Edit4, Qt::LeftButton);
    QCOMPARE(Tillwick1->Edit4->text(), QStringLiteral("/music/done.wav"));
}

void TestOptions::historyChoicesExcludeEachOther()
{
    AppSession app;
    QVERIFY(Tillwick1->RDHIST2->isChecked());
    QTest::mouseClick(Tillwick1->RDHIST1, Qt::LeftButton);
    QVERIFY(Tillwick1->RDHIST1->isChecked());
    QVERIFY(!Tillwick1->RDHIST2->isChecked());
    save();
    app.restart();
    QVERIFY(Tillwick1->RDHIST1->isChecked());
    QVERIFY(!Tillwick1->RDHIST2->isChecked());
}

QTEST_MAIN(TestOptions)
#include "tst_options.moc"
