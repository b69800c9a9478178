// The help window: which section each Help button opens, moving between sections, and the text.
#include "accounts/MergeAcc.h"
#include "app/MessageBox.h"
#include "app/Tillwick.h"
#include "app/Windows.h"
#include "help/HelpText.h"
#include "help/HelpWin.h"
#include "ledger/HistArch.h"
#include "ledger/SelectDate.h"
#include "quotes/Rename.h"
#include "reports/PrntPrmt.h"
#include "support/AppSession.h"

#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QLineEdit>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QUrl>

namespace {

// Line ranges of the nine sections, counted from 0; written out here so a wrong table in the
// program shows up.
const int kRanges[10][2] = {
        {0, 0}, {0, 27}, {28, 41}, {42, 50}, {51, 57}, {58, 85}, {86, 92}, {93, 99}, {100, 106}, {107, 120}};

QString sectionText(int section)
{
    const QStringList lines = helpTextLines();
    const int first = kRanges[section][0];
    const int last = kRanges[section][1];
    return lines.mid(first, last - first + 1).join(QLatin1Char('\n'));
}

QString shownText()
{
    return HelpWin1->Memo1->toPlainText();
}

QString markedEntry()
{
    const QListWidgetItem *item = HelpWin1->ListBox1->currentItem();
    return HelpWin1->ListBox1->currentRow() < 0 || !item ? QString() : item->text();
}

// Chooses a tab of the main window; the Options tab loads a style file, whose absence would
// otherwise ask the user.
void chooseTab(QWidget *tab)
{
    MessageBox::setNextAnswer(QMessageBox::Ok);
    Tillwick1->TabControl1->setCurrentWidget(tab);
    MessageBox::setNextAnswer(QMessageBox::NoButton);
}

QWidget *tabItem(int index)
{
    const QList<QWidget *> tabs{Tillwick1->TabItem1,
                                Tillwick1->TabItem2,
                                Tillwick1->TabItem3,
                                Tillwick1->TabItem4,
                                Tillwick1->TabItem5};
    return tabs.at(index);
}

QAbstractButton *helpButtonOf(const QString &window)
{
    if (window == QLatin1String("PrntPrmt1"))
        return PrntPrmt1->HelpBtn;
    if (window == QLatin1String("MergeAcc1"))
        return MergeAcc1->HelpBtn;
    if (window == QLatin1String("ReName1"))
        return ReName1->HelpBtn;
    if (window == QLatin1String("SelectDate1"))
        return SelectDate1->HelpBtn;
    if (window == QLatin1String("HistArch1"))
        return HistArch1->THelpBtn;
    return Tillwick1->THelpBtn;
}

void clickEntry(const QString &text)
{
    QListWidget *list = HelpWin1->ListBox1;
    const QList<QListWidgetItem *> found = list->findItems(text, Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.first()).center());
}

} // namespace

class TestHelpWin : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void text();
    void showSection_data();
    void showSection();
    void mainWindowHelp_data();
    void mainWindowHelp();
    void otherWindowHelp_data();
    void otherWindowHelp();
    void helpWhileVisibleOnlyRaises();
    void stepping_data();
    void stepping();
    void contentsEntries_data();
    void contentsEntries();
    void contentsButton();
    void doubleClickEnlargesText();
    void resizeKeepsButtonsInPlace();
    void createdOnceAndHiddenOnClose();

private:
    QList<QUrl> m_opened;
};

void TestHelpWin::initTestCase()
{
    THelpWin1::setUrlOpener([this](const QUrl &url) { m_opened << url; });
}

void TestHelpWin::init()
{
    m_opened.clear();
}

void TestHelpWin::text()
{
    const QStringList lines = helpTextLines();
    QCOMPARE(lines.size(), 121);
    for (int section = 1; section <= 9; ++section) {
        const int last = kRanges[section][1];
        // Every section but the last ends with the line that parts it from the next.
        QCOMPARE(lines.at(last).isEmpty(), section != 9);
        QVERIFY2(!lines.at(kRanges[section][0]).isEmpty(), qPrintable(QString::number(section)));
        // Lines are shown centred and unwrapped in a 450 wide window.
        for (int i = kRanges[section][0]; i <= last; ++i)
            QVERIFY2(lines.at(i).size() <= 60, qPrintable(lines.at(i)));
    }
    QVERIFY(lines.join(QLatin1Char(' ')).contains(QLatin1String("Tillwick")));
    QCOMPARE(lines.at(90), QStringLiteral("The reports print on 8-1/2 x 11"));
    QCOMPARE(lines.at(91), QStringLiteral("inch paper."));
}

void TestHelpWin::showSection_data()
{
    QTest::addColumn<int>("section");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("mentions");

    QTest::newRow("1 welcome") << 1 << "Quotes"
                               << "ticker symbol";
    QTest::newRow("2 purchases") << 2 << "Purchases"
                                 << "Add Row";
    QTest::newRow("3 graphs") << 3 << "Graphs"
                              << "pie";
    QTest::newRow("4 history") << 4 << "History"
                               << "archived";
    QTest::newRow("5 options") << 5 << "Options"
                               << "Send";
    QTest::newRow("6 reports") << 6 << "Reports"
                               << "OK";
    QTest::newRow("7 merge, no entry") << 7 << ""
                                       << "Merge";
    QTest::newRow("8 names, no entry") << 8 << ""
                                       << "blank";
    QTest::newRow("9 about") << 9 << "About"
                             << "Archived";
}

void TestHelpWin::showSection()
{
    QFETCH(int, section);
    QFETCH(QString, entry);
    QFETCH(QString, mentions);
    AppSession app;

    HelpWin1->ShowSection(section);

    QCOMPARE(shownText(), sectionText(section));
    QVERIFY(shownText().contains(mentions));
    QCOMPARE(markedEntry(), entry);
    QCOMPARE(HelpWin1->Memo1->document()->firstBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
             Qt::AlignHCenter);
}

void TestHelpWin::mainWindowHelp_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<int>("section");
    QTest::addColumn<QString>("entry");

    QTest::newRow("Quotes") << 0 << 1 << "Quotes";
    QTest::newRow("Purchases") << 1 << 2 << "Purchases";
    QTest::newRow("Graphs") << 2 << 3 << "Graphs";
    QTest::newRow("History") << 3 << 4 << "History";
    QTest::newRow("Options") << 4 << 5 << "Options";
}

void TestHelpWin::mainWindowHelp()
{
    QFETCH(int, tab);
    QFETCH(int, section);
    QFETCH(QString, entry);
    AppSession app;
    chooseTab(tabItem(tab));

    QTest::mouseClick(Tillwick1->THelpBtn, Qt::LeftButton);

    QVERIFY(HelpWin1->isVisible());
    QVERIFY(!HelpWin1->isModal());
    QCOMPARE(shownText(), sectionText(section));
    QCOMPARE(markedEntry(), entry);
    if (section == 5)
        QVERIFY(shownText().startsWith(QLatin1String("The Options tab")));
}

void TestHelpWin::otherWindowHelp_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("section");
    QTest::addColumn<QString>("entry");

    // The main window stays on the Options tab: only the report, merge and name windows ask for
    // a section of their own.
    QTest::newRow("report") << "PrntPrmt1" << 6 << "Reports";
    QTest::newRow("merge") << "MergeAcc1" << 7 << "";
    QTest::newRow("names") << "ReName1" << 8 << "";
    QTest::newRow("date range") << "SelectDate1" << 5 << "Options";
    QTest::newRow("archive") << "HistArch1" << 5 << "Options";
}

void TestHelpWin::otherWindowHelp()
{
    QFETCH(QString, window);
    QFETCH(int, section);
    QFETCH(QString, entry);
    AppSession app;
    chooseTab(Tillwick1->TabItem5);
    QAbstractButton *help = helpButtonOf(window);
    QCOMPARE(help->objectName(),
             QString::fromLatin1(window == QLatin1String("HistArch1") ? "THelpBtn" : "HelpBtn"));
    help->window()->show();

    QTest::mouseClick(help, Qt::LeftButton);

    QVERIFY(HelpWin1->isVisible());
    QCOMPARE(shownText(), sectionText(section));
    QCOMPARE(markedEntry(), entry);
    QVERIFY(!Tillwick1->FRMPRNT_FLG);
    QVERIFY(!Tillwick1->FRMMRGE_FLG);
    QVERIFY(!Tillwick1->FRMRENM_FLG);
}

void TestHelpWin::helpWhileVisibleOnlyRaises()
{
    AppSession app;
    QTest::mouseClick(Tillwick1->THelpBtn, Qt::LeftButton);
    QCOMPARE(shownText(), sectionText(1));

    MergeAcc1->show();
    QTest::mouseClick(MergeAcc1->HelpBtn, Qt::LeftButton);
    QCOMPARE(shownText(), sectionText(1));
    QVERIFY(Tillwick1->FRMMRGE_FLG);

    // The waiting request decides the next showing, whoever asks.
    HelpWin1->close();
    QTest::mouseClick(Tillwick1->THelpBtn, Qt::LeftButton);
    QCOMPARE(shownText(), sectionText(7));
    QVERIFY(!Tillwick1->FRMMRGE_FLG);
}

void TestHelpWin::stepping_data()
{
    QTest::addColumn<int>("startSection");
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<QList<int>>("sections");
    QTest::addColumn<QStringList>("entries");

    QTest::newRow("next from History to About")
            << 4 << QStringList{"Next", "Next", "Next"} << QList<int>{6, 5, 9}
            << QStringList{"Reports", "Options", "About"};
    QTest::newRow("next at About stays") << 9 << QStringList{"Next"} << QList<int>{9} << QStringList{"About"};
    QTest::newRow("previous from Quotes stays")
            << 1 << QStringList{"Previous"} << QList<int>{1} << QStringList{"Quotes"};
    QTest::newRow("previous from About to History")
            << 9 << QStringList{"Previous", "Previous", "Previous"} << QList<int>{5, 6, 4}
            << QStringList{"Options", "Reports", "History"};
    QTest::newRow("next with no entry marked starts at Quotes")
            << 7 << QStringList{"Next"} << QList<int>{1} << QStringList{"Quotes"};
    QTest::newRow("previous with no entry marked stays")
            << 8 << QStringList{"Previous"} << QList<int>{8} << QStringList{""};
}

void TestHelpWin::stepping()
{
    QFETCH(int, startSection);
    QFETCH(QStringList, buttons);
    QFETCH(QList<int>, sections);
    QFETCH(QStringList, entries);
    AppSession app;
    HelpWin1->show();
    HelpWin1->ShowSection(startSection);

    for (int i = 0; i < buttons.size(); ++i) {
        QTest::mouseClick(buttons[i] == QLatin1String("Next") ? HelpWin1->NextBtn : HelpWin1->PreviousBtn,
                          Qt::LeftButton);
        QCOMPARE(shownText(), sectionText(sections[i]));
        QCOMPARE(markedEntry(), entries[i]);
    }
    // Stepping onto "About" opens no web page.
    QVERIFY(m_opened.isEmpty());
}

void TestHelpWin::contentsEntries_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("section");

    QTest::newRow("Quotes") << "Quotes" << 1;
    QTest::newRow("Purchases") << "Purchases" << 2;
    QTest::newRow("Graphs") << "Graphs" << 3;
    QTest::newRow("History") << "History" << 4;
    QTest::newRow("Reports above Options") << "Reports" << 6;
    QTest::newRow("Options below Reports") << "Options" << 5;
    QTest::newRow("About") << "About" << 9;
}

void TestHelpWin::contentsEntries()
{
    QFETCH(QString, entry);
    QFETCH(int, section);
    AppSession app;
    HelpWin1->show();
    QTest::mouseClick(HelpWin1->ContentBtn, Qt::LeftButton);

    clickEntry(entry);

    QCOMPARE(shownText(), sectionText(section));
    QCOMPARE(markedEntry(), entry);
    if (section == 9) {
        QCOMPARE(m_opened.size(), 2);
        QVERIFY(m_opened[0] != m_opened[1]);
        for (const QUrl &url : std::as_const(m_opened))
            QVERIFY2(url.isValid() && url.scheme() == QLatin1String("https"), qPrintable(url.toString()));
    } else {
        QVERIFY(m_opened.isEmpty());
    }
}

void TestHelpWin::contentsButton()
{
    AppSession app;
    HelpWin1->show();
    QVERIFY(!HelpWin1->ListBox1->isVisible());
    QCOMPARE(HelpWin1->ContentBtn->text(), QStringLiteral("Contents"));

    QTest::mouseClick(HelpWin1->ContentBtn, Qt::LeftButton);
    QVERIFY(HelpWin1->ListBox1->isVisible());
    QCOMPARE(HelpWin1->ContentBtn->text(), QStringLiteral("Contents Off"));

    QTest::mouseClick(HelpWin1->ContentBtn, Qt::LeftButton);
    QVERIFY(!HelpWin1->ListBox1->isVisible());
    QCOMPARE(HelpWin1->ContentBtn->text(), QStringLiteral("Contents"));

    // The list stays as it was from one showing to the next.
    QTest::mouseClick(HelpWin1->ContentBtn, Qt::LeftButton);
    HelpWin1->close();
    HelpWin1->show();
    QVERIFY(HelpWin1->ListBox1->isVisible());
    QCOMPARE(HelpWin1->ContentBtn->text(), QStringLiteral("Contents Off"));
}

void TestHelpWin::doubleClickEnlargesText()
{
    AppSession app;
    HelpWin1->show();
    QWidget *text = HelpWin1->Memo1->viewport();
    const qreal before = HelpWin1->Memo1->font().pointSizeF();

    QTest::mouseDClick(text, Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseDClick(text, Qt::LeftButton, {}, QPoint(20, 20));
    QCOMPARE(HelpWin1->Memo1->font().pointSizeF(), before + 2);

    // The size holds for other sections and later showings.
    QTest::mouseClick(HelpWin1->NextBtn, Qt::LeftButton);
    HelpWin1->close();
    HelpWin1->show();
    QCOMPARE(HelpWin1->Memo1->font().pointSizeF(), before + 2);
}

void TestHelpWin::resizeKeepsButtonsInPlace()
{
    AppSession app;
    HelpWin1->show();
    HelpWin1->resize(600, 400);

    QCOMPARE(HelpWin1->ContentBtn->x(), 600 - HelpWin1->ContentBtn->width() - 30);
    QCOMPARE(HelpWin1->NextBtn->x(), 300 - qRound(HelpWin1->NextBtn->width() / 2.0) - 9);
    QCOMPARE(HelpWin1->PreviousBtn->x(), 12);
    QCOMPARE(HelpWin1->Memo1->width(), 600);
}

void TestHelpWin::createdOnceAndHiddenOnClose()
{
    AppSession app;
    QVERIFY(Tillwick1->HELPWIN_FLG);
    QPointer<THelpWin1> window = HelpWin1;
    QVERIFY(!window->isVisible());
    QCOMPARE(window->size(), QSize(450, 400));

    QTest::mouseClick(Tillwick1->THelpBtn, Qt::LeftButton);
    QVERIFY(window->isVisible());
    // The text takes the colour the style gives edit boxes.
    QCOMPARE(window->Memo1->palette().color(QPalette::Text), window->Edit1->palette().color(QPalette::Text));
    window->close();
    QCoreApplication::processEvents();
    QVERIFY(window);
    QVERIFY(!window->isVisible());

    QTest::mouseClick(Tillwick1->THelpBtn, Qt::LeftButton);
    QCOMPARE(HelpWin1, window.data());
    QVERIFY(window->isVisible());
}

QTEST_MAIN(TestHelpWin)
#include "tst_helpwin.moc"
