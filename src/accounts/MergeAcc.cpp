#include "accounts/MergeAcc.h"

#include "app/MessageBox.h"
#include "app/Tillwick.h"
#include "app/WidgetHelpers.h"
#include "app/Windows.h"
#include "data/Layouts.h"
#include "data/TableStore.h"
#include "data/TextHelpers.h"
#include "help/HelpWin.h"

#include <QComboBox>
#include <QDateTime>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
// Fields from this position on are the row's own; those before are its ID and its account.
constexpr int kFirstCopiedField = 3;
} // namespace

TMergeAcc1::TMergeAcc1(TTillwick1 *main)
    : QDialog(main)
    , m_main(main)
{
    setObjectName(QStringLiteral("MergeAcc1"));
    setWindowTitle(QStringLiteral("Merge Accounts"));
    resize(453, 236);
    setWindowFlag(Qt::Tool);

    Label4 = named(
            new QLabel(QStringLiteral("Select Account on left to copy into Account selected on the right."),
                       this),
            "Label4");
    Label4->setWordWrap(true);
    Label1 = named(new QLabel(QStringLiteral("Copy Account From"), this), "Label1");
    Label2 = named(new QLabel(QStringLiteral("Copy Account To"), this), "Label2");
    CMBFRACC = named(new QComboBox(this), "CMBFRACC");
    CMBTOACC = named(new QComboBox(this), "CMBTOACC");
    for (QComboBox *list : {CMBFRACC, CMBTOACC})
        list->setMinimumWidth(150);
    CMBFRACC->setAccessibleName(Label1->text());
    CMBTOACC->setAccessibleName(Label2->text());
    Label1->setBuddy(CMBFRACC);
    Label2->setBuddy(CMBTOACC);
    Label3 = named(new QLabel(this), "Label3");
    Label3->setWordWrap(true);
    Label3->hide();
    OKBtn = named(new QPushButton(QStringLiteral("OK"), this), "OKBtn");
    CloseBtn = named(new QPushButton(QStringLiteral("Close"), this), "CloseBtn");
    HelpBtn = named(new QPushButton(QStringLiteral("Help"), this), "HelpBtn");

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label4);
    auto *lists = new QGridLayout;
    lists->addWidget(Label1, 0, 0);
    lists->addWidget(Label2, 0, 1);
    lists->addWidget(CMBFRACC, 1, 0);
    lists->addWidget(CMBTOACC, 1, 1);
    layout->addLayout(lists);
    layout->addWidget(Label3);
    layout->addStretch();
    layout->addLayout(rightAlignedRow({OKBtn, CloseBtn, HelpBtn}));

    ClientDataSet1 = new TableStore(transactionFields(), this);
    ClientDataSet1->setObjectName(QStringLiteral("ClientDataSet1"));
    ClientDataSet1->setFiltered(false);
    ClientDataSet2 = new TableStore(historyFields(), this);
    ClientDataSet2->setObjectName(QStringLiteral("ClientDataSet2"));
    ClientDataSet2->setFiltered(false);

    connect(CMBFRACC, &QComboBox::activated, this, &TMergeAcc1::CMBFRACCClick);
    connect(CMBTOACC, &QComboBox::currentIndexChanged, this, &TMergeAcc1::CMBTOACCChange);
    connect(OKBtn, &QPushButton::clicked, this, &TMergeAcc1::OKBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &TMergeAcc1::CloseBtnClick);
    connect(HelpBtn, &QPushButton::clicked, this, &TMergeAcc1::HelpBtnClick);
}

void TMergeAcc1::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TMergeAcc1::FormShow()
{
    FillAccountLists();
}

void TMergeAcc1::FillAccountLists()
{
    const QSignalBlocker blockFrom(CMBFRACC);
    const QSignalBlocker blockTo(CMBTOACC);
    CMBFRACC->clear();
    CMBTOACC->clear();
    TableStore &accounts = *m_main->ClientDataSet4;
    m_main->OpenAccountsFile();
    for (accounts.first(); !accounts.eof(); accounts.next()) {
        const QString number = accounts.value(QStringLiteral("AccountNo")).toString();
        const QString entry
                = number + QStringLiteral(" - ") + accounts.value(QStringLiteral("AccountName")).toString();
        // The number rides along with its entry: it may hold a "-" itself.
        CMBFRACC->addItem(entry, number);
        CMBTOACC->addItem(entry, number);
    }
    accounts.close();
    CMBFRACC->setCurrentIndex(-1);
    CMBTOACC->setCurrentIndex(-1);
    Label3->hide();
}

void TMergeAcc1::CMBFRACCClick()
{
    Label3->hide();
}

void TMergeAcc1::CMBTOACCChange()
{
    if (CMBTOACC->count() == 0 || CMBFRACC->currentIndex() < 0 || CMBTOACC->currentIndex() < 0)
        return;
    Label3->setText(QStringLiteral("You are Copying Account: ") + CMBFRACC->currentText()
                    + QStringLiteral(" into Account: ") + CMBTOACC->currentText());
    Label3->show();
}

void TMergeAcc1::OKBtnClick()
{
    if (CMBFRACC->count() == 0 || CMBFRACC->currentIndex() < 0 || CMBTOACC->currentIndex() < 0)
        return;
    if (!CopyAccount(CMBFRACC->currentData().toString(), CMBTOACC->currentData().toString()))
        return;
    TTillwick1 *w = m_main;
    const QString current = w->CURRENT_ACCOUNT;
    for (TableStore *store : {w->ClientDataSet1, w->ClientDataSet6, w->ClientDataSet2, w->ClientDataSet3})
        store->close();
    w->OpenDataFile();
    w->OpenDataFile2();
    w->OpenDataFile3();
    // Show the current account again, its copied holdings hanging in the tree.
    w->BuildAccountTree();
    w->ClientDataSet1->setFilter(QString());
    w->AddHoldingLines();
    w->CURRENT_ACCOUNT = current;
    const int line = w->FindAccountLine(current);
    if (line >= 0)
        w->selectAccountLine(line);
}

bool TMergeAcc1::copyRows(TableStore &source, TableStore &target)
{
    const int fields = source.fieldCount();
    for (int row = 0; row < source.rowsShown(); ++row) {
        if (!target.append())
            return false;
        target.setValue(QStringLiteral("FrstAccountNo"), WKFRST_ACCOUNT);
        target.setValue(QStringLiteral("AccountNo"), WKACCOUNTNO);
        for (int field = kFirstCopiedField; field < fields; ++field)
            target.setValue(field, source.valueAt(row, field));
        target.setValue(QStringLiteral("LastUpdated"), QDateTime::currentDateTime());
        if (!target.post())
            return false;
    }
    return true;
}

bool TMergeAcc1::copyAccountRows(TableStore &mainStore,
                                 const QString &from,
                                 TableStore &mine,
                                 bool (TMergeAcc1::*openMine)())
{
    // The main window's store writes what it holds before this window opens the same file.
    mainStore.close();
    mainStore.setIndexFieldNames(QStringLiteral("AccountNo"));
    mainStore.setFilter(accountFilter(from));
    if (QFileInfo::exists(mainStore.fileName()))
        mainStore.open();
    mainStore.first();
    if (!(this->*openMine)() || !copyRows(mainStore, mine) || !mine.close()) {
        MessageBox::warning(this, tr("Merge Accounts"), mine.lastError());
        mine.close();
        return false;
    }
    return true;
}

bool TMergeAcc1::CopyAccount(const QString &from, const QString &to)
{
    TTillwick1 *w = m_main;
    TableStore &holdings = *w->ClientDataSet1;
    TableStore &view = *w->ClientDataSet6;
    // A transaction cell edited in its grid counts; posting it recalculates the holding, so it
    // comes before the summary stores are brought together.
    if (w->ClientDataSet2->state() == TableStore::State::Edit)
        w->ClientDataSet2->post();
    // Both summary stores start from the same file, so no holding edit is lost when the view
    // writes the copies: the view first, then the holdings table over it, then the view reads it.
    view.write();
    if (!holdings.write()) {
        MessageBox::warning(this, tr("Merge Accounts"), holdings.lastError());
        return false;
    }
    view.close();
    w->OpenDataFile();

    holdings.setFilter(accountFilter(from));
    if (holdings.recordCount() == 0)
        return false;
    holdings.first();
    w->OpenAccountsFile();
    const bool found = w->ClientDataSet4->locate(QStringLiteral("AccountNo"), to);
    if (found) {
        WKFRST_ACCOUNT = w->ClientDataSet4->value(QStringLiteral("FrstAccountNo")).toString();
        WKACCOUNTNO = w->ClientDataSet4->value(QStringLiteral("AccountNo")).toString();
    }
    w->ClientDataSet4->close();
    if (!found) {
        // Copies under another account, or none, would be rows nobody can find again.
        MessageBox::warning(
                this, tr("Merge Accounts"), tr("Account %1 was not found; nothing was copied.").arg(to));
        return false;
    }
    if (!copyRows(holdings, view))
        return false;

    if (!copyAccountRows(*w->ClientDataSet2, from, *ClientDataSet1, &TMergeAcc1::OpenMergePurchases))
        return false;
    w->ClientDataSet2->setIndexFieldNames(QStringLiteral("AccountNo;TransactionDate"));
    if (!copyAccountRows(*w->ClientDataSet3, from, *ClientDataSet2, &TMergeAcc1::OpenMergeHistory))
        return false;
    return true;
}

namespace {
bool openOrCreate(TableStore &store, const QString &path)
{
    store.setFileName(path);
    return QFileInfo::exists(path) ? store.open() : store.createDataSet();
}
} // namespace

bool TMergeAcc1::OpenMergePurchases()
{
    return openOrCreate(*ClientDataSet1, m_main->ROOTPATH + m_main->FILE_DELIM + TableFileName::Purchases);
}

bool TMergeAcc1::OpenMergeHistory()
{
    return openOrCreate(*ClientDataSet2, m_main->ROOTPATH + m_main->FILE_DELIM + TableFileName::History);
}

void TMergeAcc1::CloseBtnClick()
{
    close();
}

void TMergeAcc1::HelpBtnClick()
{
    Tillwick1->FRMMRGE_FLG = true;
    THelpWin1::showHelp(Tillwick1);
}
