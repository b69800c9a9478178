// Start-up, tab changes, the Menu button, resizing and shutdown of the main window.
#include "app/MessageBox.h"
#include "app/Tillwick.h"
#include "binding/StringGrid.h"
#include "data/DataFiles.h"
#include "data/Layouts.h"
#include "data/TableStore.h"
#include "data/TextHelpers.h"
#include "quotes/SearchCodes.h"

#include <QAudioOutput>
#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMediaPlayer>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>

namespace {
// Tells the user about a table file that could not be read, once per store; the program carries
// on with that table empty and never writes over the file.
bool reportUnreadable(QWidget *parent, TableStore &store, bool ok)
{
    if (!ok && store.isFileProtected() && !store.property("unreadableTold").toBool()) {
        store.setProperty("unreadableTold", true);
        MessageBox::warning(parent,
                            QObject::tr("Tillwick"),
                            QObject::tr("%1\n\nTillwick carries on without it and leaves the file as it is.")
                                    .arg(store.lastError()));
    }
    return ok;
}
} // namespace

void TTillwick1::FormCreate()
{
    FIRSTTIME_FLG = true;
    SAVETOFILE_FLG = ADD_FLG = CANCEL_FLG = USE_TIMER_FLG = SKIP_FLG = false;
    STYLE_INDEX = 0;
    FONT_COLOR = QColor(255, 255, 255);
    TIME_ACCUM = TIME1 = 0;
    STYLE_NAME = QStringLiteral("Air");
    GRPHALL_FLG = true;
    const SearchCodes markers = defaultSearchCodes();
    SRCHSTCK1 = markers.SRCHSTCK1;
    SRCHSTCK2 = markers.SRCHSTCK2;
    SRCHMUTFD1 = markers.SRCHMUTFD1;
    SRCHMUTFD2 = markers.SRCHMUTFD2;

    const DataPaths p = dataPathsForCurrentDir();
    HELPPATH = p.HELPPATH;
    ROOTPATH = p.ROOTPATH;
    FILE_DELIM = p.FILE_DELIM;
    FILE_DELIM2 = p.FILE_DELIM2;
    STYLE_PATH = p.STYLE_PATH;
    ApplyGridFontColor();
    makeDataFolder(p);

    WKTRANSACTION = QStringLiteral("Purchase");
    CMBSTRTACCNT->setFixedWidth(220);
    Edit4->setFixedWidth(220);
    FOCUSEDCONTROL = QStringLiteral("StringGrid1");
    LoadAllTables();
    OpenOptionsFile();
    LoadSearchCodes();
    MediaPlayer1 = new QMediaPlayer(this);
    MediaPlayer1->setObjectName(QStringLiteral("MediaPlayer1"));
    AudioOutput1 = new QAudioOutput(this);
    MediaPlayer1->setAudioOutput(AudioOutput1);
}

void TTillwick1::LoadAllTables()
{
    StringGrid1->detach();
    StringGrid2->detach();
    StringGrid4->detach();
    BuildAccountTree();
    OpenDataFile();
    ClientDataSet1->setFilter(QString());
    AddHoldingLines();
    if (OpenDataFile2())
        SetupGrid2();
    if (OpenDataFile3()) {
        SetupGrid3();
        SetupGrid4();
        SetupGrid5();
    }
    FIRSTTIME_FLG = false;
    StringGrid1->attach();
    StringGrid2->attach();
    StringGrid4->attach();
    SetupGrid1();
}

void TTillwick1::FormShow()
{
    SAVETOFILE_FLG = false;
    ClientDataSet1->setFilter(accountFilter(CURRENT_ACCOUNT));
    setWindowTitle(QStringLiteral("Tillwick - ") + CURRENT_ACCOUNT);
    if (!ClientDataSet1->value(QStringLiteral("PercentDiff")).isNull())
        WKFRSTTRANDATE = ClientDataSet2->value(QStringLiteral("TransactionDate")).toString();
    Panel1->move(TreeView1->mapTo(this, QPoint(4, 40)));
    CMBSTRTACCNT->setFixedWidth(211);
    Edit4->setFixedWidth(211);
    Panel3->hide();
    Panel5->hide();
    Panel6->hide();
    TabControl1->setCurrentIndex(0);
}

void TTillwick1::TabControl1Change()
{
    EnableAllButtons();
    Panel3->hide();
    Panel5->hide();
    Panel6->hide();
    const bool noHoldings = ClientDataSet1->recordCount() == 0;
    QWidget *tab = TabControl1->currentWidget();
    if (tab == TabItem1) {
        if (Panel6->property("tag").toInt() == 1)
            Panel6->show();
    } else if (tab == TabItem2) {
        placePurchasePanels();
        // The transactions shown are those of the holding chosen, wherever it was chosen.
        const auto state = ClientDataSet2->state();
        if (state != TableStore::State::Edit && state != TableStore::State::Insert
            && ClientDataSet2->filter()
                       != holdingFilter(ClientDataSet1->value(QStringLiteral("AccountNo")).toString(),
                                        ClientDataSet1->value(QStringLiteral("Symbol")).toString()))
            StringGrid4Click();
        if (noHoldings)
            DisableEditButtons();
        if (Panel3->property("tag").toInt() == 1)
            Panel3->show();
        if (Panel5->property("tag").toInt() == 1)
            Panel5->show();
    } else if (tab == TabItem3) {
        ChartSetup();
    } else if (tab == TabItem4) {
        if (noHoldings)
            DisableEditButtons();
    } else if (tab == TabItem5) {
        if (LoadStyleFile())
            LoadStyleFile(false);
    }
}

void TTillwick1::TMenuBtnClick()
{
    const QPoint at(150, 150);
    QWidget *tab = TabControl1->currentWidget();
    if (tab == TabItem1) {
        if (FOCUSEDCONTROL == QLatin1String("TreeView1"))
            PopupMenu1->popup(at);
        else if (FOCUSEDCONTROL == QLatin1String("StringGrid1"))
            PopupMenu2->popup(at);
        if (!MAC2_FLG) {
            Panel6->show();
            Panel6->raise();
            Panel6->setProperty("tag", 1);
        }
    } else if (tab == TabItem2) {
        PopupMenu3->popup(at);
        Panel5->show();
        Panel5->setProperty("tag", 1);
    } else if (tab == TabItem3) {
        PopupMenu4->popup(at);
    }
}

void TTillwick1::FormResize()
{
    if (!Label11)
        return;
    // The entry panel keeps to the top right of its tab.
    if (Panel6 && TabItem1)
        Panel6->move(std::max(0, TabItem1->width() - Panel6->width() - 8), 8);
    placePurchasePanels();
    if (Panel2 && CMBSTRTACCNT && Panel2->width() > 420) {
        CMBSTRTACCNT->setFixedWidth(Panel2->width() - 210);
        Edit4->setFixedWidth(Panel2->width() - 210);
    }
}

void TTillwick1::placePurchasePanels()
{
    // On the Purchases tab the entry panel keeps to the top right too, the calendar to its left.
    if (!Panel5 || !Panel3 || !TabItem2)
        return;
    Panel5->move(std::max(0, TabItem2->width() - Panel5->width() - 8), 8);
    Panel3->move(std::max(0, Panel5->x() - Panel3->width() - 8), 8);
}

void TTillwick1::TCloseBtnClick()
{
    CANCEL_FLG = true;
    close();
}

void TTillwick1::MenuItem7Click()
{
    close();
}

bool TTillwick1::FormCloseQuery()
{
    if (SAVETOFILE_FLG && !ClientDataSet1->write())
        MessageBox::warning(this, tr("Tillwick"), ClientDataSet1->lastError());
    return true;
}

void TTillwick1::FormClose()
{
    WINLEFT = x();
    WINTOP = y();
    WINHEIGHT = height();
    WINWIDTH = width();
    if (!QFile::exists(paths().tablePath(TableFileName::Options)) || !ClientDataSet5->isOpen())
        return;
    if (ClientDataSet5->state() == TableStore::State::Browse && !ClientDataSet5->edit())
        return;
    ClientDataSet5->setValue(QStringLiteral("Left"), WINLEFT);
    ClientDataSet5->setValue(QStringLiteral("Top"), WINTOP);
    ClientDataSet5->setValue(QStringLiteral("Height"), WINHEIGHT);
    ClientDataSet5->setValue(QStringLiteral("Width"), WINWIDTH);
    ClientDataSet5->post();
}

void TTillwick1::EnableRowButtons()
{
    setRowButtonsEnabled(true);
}

void TTillwick1::DisableRowButtons()
{
    setRowButtonsEnabled(false);
}

void TTillwick1::setRowButtonsEnabled(bool enabled)
{
    for (QPushButton *b : {TAddRowBtn,
                           TQuoteBtn,
                           TDelBtn,
                           TUpBtn,
                           TDwnBtn,
                           TPrintBtn,
                           TMergeBtn,
                           TSortBtn,
                           TSinglQtBtn,
                           TAllQtBtn})
        b->setEnabled(enabled);
}

void TTillwick1::EnableAllButtons()
{
    for (QPushButton *b : {TNewBtn,
                           TQuoteBtn,
                           TSaveBtn,
                           TAddRowBtn,
                           TDelBtn,
                           TUpBtn,
                           TDwnBtn,
                           TPrintBtn,
                           TMergeBtn,
                           THelpBtn,
                           TSortBtn,
                           TSinglQtBtn,
                           TAllQtBtn})
        b->setEnabled(true);
}

void TTillwick1::DisableEditButtons()
{
    for (QPushButton *b : {TNewBtn, TQuoteBtn, TUpBtn, TDwnBtn, TPrintBtn, TMergeBtn, THelpBtn})
        b->setEnabled(true);
    for (QPushButton *b : {TSaveBtn, TAddRowBtn, TDelBtn, TSortBtn, TSinglQtBtn, TAllQtBtn})
        b->setEnabled(false);
}

bool TTillwick1::OpenDataFile()
{
    const bool ok = reportUnreadable(
            this, *ClientDataSet1, ::OpenDataFile(paths(), *ClientDataSet1, *ClientDataSet6));
    if (ClientDataSet1->recordCount() == 0)
        DisableRowButtons();
    else
        SetupGrid1();
    return ok;
}

bool TTillwick1::OpenDataFile2()
{
    return reportUnreadable(this, *ClientDataSet2, ::OpenDataFile2(paths(), *ClientDataSet2));
}

bool TTillwick1::OpenDataFile3()
{
    return reportUnreadable(this, *ClientDataSet3, ::OpenDataFile3(paths(), *ClientDataSet3));
}

bool TTillwick1::OpenDataFile8()
{
    return reportUnreadable(this, *ClientDataSet8, ::OpenDataFile8(paths(), *ClientDataSet8));
}

bool TTillwick1::OpenAccountsFile()
{
    return reportUnreadable(this, *ClientDataSet4, ::OpenAccountsFile(paths(), *ClientDataSet4));
}

bool TTillwick1::OpenOptionsFile()
{
    bool loaded = false;
    const bool ok = ::OpenOptionsFile(paths(), *ClientDataSet5, [this, &loaded] {
        loaded = true;
        LoadOptions();
    });
    reportUnreadable(this, *ClientDataSet5, ok);
    // Without saved options the default style still gives the default white text a background
    // it can be read on.
    if (!loaded)
        LoadStyleFile();
    return ok;
}
