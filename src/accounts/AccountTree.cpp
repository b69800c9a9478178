// The account tree: account lines, holding lines, choosing, adding, editing and deleting accounts.
#include "accounts/AccountLine.h"
#include "accounts/MergeAcc.h"
#include "app/Tillwick.h"
#include "app/Windows.h"
#include "binding/StringGrid.h"
#include "data/DateText.h"
#include "data/TableStore.h"
#include "data/TextHelpers.h"

#include <QComboBox>
#include <QDateTime>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

void TTillwick1::BuildAccountTree()
{
    if (FIRSTTIME_FLG)
        WKACCNTOT = 0;
    TreeView1->clear();
    OpenAccountsFile();
    ClientDataSet4->first();
    if (ClientDataSet4->recordCount() == 0) {
        StartNewAccount();
    } else {
        CURRENT_ACCOUNT = ClientDataSet4->value(QStringLiteral("AccountNo")).toString();
        FIRST_ACCOUNT = ClientDataSet4->value(QStringLiteral("FrstAccountNo")).toString();
    }
    CMBSTRTACCNT->clear();
    for (ClientDataSet4->first(); !ClientDataSet4->eof(); ClientDataSet4->next()) {
        new QTreeWidgetItem(TreeView1, {accountLineText(*ClientDataSet4)});
        CMBSTRTACCNT->addItem(ClientDataSet4->value(QStringLiteral("AccountName")).toString());
        if (FIRSTTIME_FLG)
            WKACCNTOT += ClientDataSet4->value(QStringLiteral("Total")).toDouble();
    }
    CMBSTRTACCNT->setCurrentIndex(-1); // the list starts with no entry chosen
    ClientDataSet4->first();
    ClientDataSet4->close();
}

void TTillwick1::AddHoldingLines()
{
    if (ClientDataSet1->recordCount() == 0)
        return;
    for (ClientDataSet1->first(); !ClientDataSet1->eof(); ClientDataSet1->next()) {
        FIRST_ACCOUNT = ClientDataSet1->value(QStringLiteral("FrstAccountNo")).toString();
        CURRENT_ACCOUNT = ClientDataSet1->value(QStringLiteral("AccountNo")).toString();
        AddHoldingLine();
    }
    ClientDataSet1->first();
    FIRST_ACCOUNT = ClientDataSet1->value(QStringLiteral("FrstAccountNo")).toString();
    CURRENT_ACCOUNT = ClientDataSet1->value(QStringLiteral("AccountNo")).toString();
    SetupGrid1();
}

void TTillwick1::AddHoldingLine()
{
    const int at = FindAccountLine(CURRENT_ACCOUNT);
    if (at < 0)
        return;
    auto *line = new QTreeWidgetItem(TreeView1->topLevelItem(at), {holdingLineText(*ClientDataSet1)});
    const QVariant difference = ClientDataSet1->value(QStringLiteral("Difference"));
    if (!difference.isNull())
        line->setIcon(0, QIcon(difference.toDouble() >= 0 ? Image1 : Image2));
}

int TTillwick1::FindAccountLine(const QString &number) const
{
    for (int i = 0; i < TreeView1->topLevelItemCount(); ++i) {
        if (accountLineNumber(TreeView1->topLevelItem(i)->text(0)) == number)
            return i;
    }
    return -1;
}

int TTillwick1::SelectedAccountLine() const
{
    for (int i = 0; i < TreeView1->topLevelItemCount(); ++i) {
        if (TreeView1->topLevelItem(i)->isSelected())
            return i;
    }
    return -1;
}

void TTillwick1::StartNewAccount()
{
    Panel1->show();
    Panel1->raise();
    new QTreeWidgetItem(TreeView1, {QStringLiteral("New Account")});
    Edit1->setFocus();
}

void TTillwick1::TreeView1Click()
{
    // A disabled Quote button means a run is busy with the holdings shown; an account without
    // holdings (buttons disabled since start-up) can always be left.
    if (TreeView1->topLevelItemCount() == 0 || (!TQuoteBtn->isEnabled() && ClientDataSet1->recordCount() > 0))
        return;
    if (!ClientDataSet1->isOpen())
        OpenDataFile();
    FOCUSEDCONTROL = QStringLiteral("TreeView1");
    WKTOTAL1 = WKTOTAL2 = 0;
    const int selected = SelectedAccountLine();
    if (selected < 0)
        return;
    ClientDataSet1->first();
    CalcAccountTotals(CURRENT_ACCOUNT);
    const QString text = TreeView1->topLevelItem(selected)->text(0);
    if (text.contains(QLatin1Char('=')))
        return;
    CURRENT_ACCOUNT = text.section(QStringLiteral(" - "), 0, 0).trimmed();
    GRPHACCNT = CURRENT_ACCOUNT;
    OpenAccountsFile();
    if (ClientDataSet4->locate(QStringLiteral("AccountNo"), CURRENT_ACCOUNT))
        FIRST_ACCOUNT = ClientDataSet4->value(QStringLiteral("FrstAccountNo")).toString();
    ClientDataSet4->close();
    setWindowTitle(QStringLiteral("Tillwick - ") + text);
    ClientDataSet1->setFilter(accountFilter(CURRENT_ACCOUNT));
    ClientDataSet6->setFilter(accountFilter(CURRENT_ACCOUNT));
    StringGrid4Click();
    StringGrid5Click();
    // With an account chosen, holdings can be added, and Delete removes an empty account.
    EnableRowButtons();

    ClientDataSet1->first();
    CalcAccountTotals(CURRENT_ACCOUNT);
    WKTOTAL1 = WKTOTAL2 = WKTOTAL3;
}

void TTillwick1::TNewBtnClick()
{
    StartNewAccount();
}

void TTillwick1::pmnuAddNewClick()
{
    StartNewAccount();
}

void TTillwick1::pmnuEditClick()
{
    const int selected = SelectedAccountLine();
    if (TreeView1->topLevelItemCount() == 0 || selected < 0)
        return;
    const QString text = TreeView1->topLevelItem(selected)->text(0);
    const AccountLineParts parts = splitAccountLine(text);
    if (parts.hasNumber) {
        Edit1->setText(parts.number);
        if (parts.hasNameAndDescription) {
            Edit2->setText(parts.name);
            Edit3->setText(parts.description);
        }
    }
    Panel1->show();
    Panel1->raise();
}

void TTillwick1::PSaveBtnClick()
{
    OpenAccountsFile();
    const QString number = Edit1->text();
    if (ClientDataSet4->locate(QStringLiteral("AccountNo"), number))
        ClientDataSet4->edit();
    else
        ClientDataSet4->append();
    const QDateTime now = QDateTime::currentDateTime();
    ClientDataSet4->setValue(QStringLiteral("FrstAccountNo"), number);
    ClientDataSet4->setValue(QStringLiteral("AccountNo"), number);
    ClientDataSet4->setValue(QStringLiteral("AccountName"), Edit2->text());
    ClientDataSet4->setValue(QStringLiteral("AccountDesc"), Edit3->text());
    ClientDataSet4->setValue(QStringLiteral("Total"), 0.0);
    ClientDataSet4->setValue(QStringLiteral("NetAmt"), 0.0);
    ClientDataSet4->setValue(QStringLiteral("DateCreated"), regionalDateText(now));
    ClientDataSet4->setValue(QStringLiteral("LastUpdated"), now);
    ClientDataSet4->post();
    const QString text = accountLineText(*ClientDataSet4);

    int line = FindAccountLine(number);
    if (line >= 0) {
        TreeView1->topLevelItem(line)->setText(0, text);
    } else {
        line = FindAccountLine(QStringLiteral("New Account"));
        if (line >= 0) {
            QTreeWidgetItem *item = TreeView1->topLevelItem(line);
            item->setText(0, text);
            TreeView1->clearSelection();
            item->setSelected(true);
            TreeView1->setCurrentItem(item);
        }
    }
    if (CURRENT_ACCOUNT.isEmpty()) {
        CURRENT_ACCOUNT = number;
        if (FIRST_ACCOUNT.isEmpty())
            FIRST_ACCOUNT = number;
    }
    ClientDataSet4->close();
    EnableRowButtons();
    TreeView1Click();
}

void TTillwick1::PCloseBtnClick()
{
    Panel1->hide();
}

void TTillwick1::pmnuDeleteClick()
{
    if (ClientDataSet1->recordCount() > 0) {
        confirm(QStringLiteral("You cannot Delete an Account with Summary Records."));
        return;
    }
    if (!confirm(QStringLiteral("Do You want to Delete: ") + CURRENT_ACCOUNT + QStringLiteral(" ? ")))
        return;
    OpenAccountsFile();
    if (ClientDataSet4->locate(QStringLiteral("AccountNo"), CURRENT_ACCOUNT))
        ClientDataSet4->remove();
    ClientDataSet4->close();
    BuildAccountTree();
    ClientDataSet1->setFilter(QString());
    for (ClientDataSet1->first(); !ClientDataSet1->eof(); ClientDataSet1->next()) {
        FIRST_ACCOUNT = ClientDataSet1->value(QStringLiteral("FrstAccountNo")).toString();
        CURRENT_ACCOUNT = ClientDataSet1->value(QStringLiteral("AccountNo")).toString();
        AddHoldingLine();
    }
    ClientDataSet1->first();
    FIRST_ACCOUNT = ClientDataSet1->value(QStringLiteral("FrstAccountNo")).toString();
    CURRENT_ACCOUNT = ClientDataSet1->value(QStringLiteral("AccountNo")).toString();
    ClientDataSet1->setFilter(accountFilter(CURRENT_ACCOUNT));
}

void TTillwick1::pmnuExpandClick()
{
    TreeView1->expandAll();
}

void TTillwick1::pmnuCollapseClick()
{
    TreeView1->collapseAll();
}

void TTillwick1::ClientDataSet1AfterPost()
{
    if (ADD_FLG)
        AddHoldingLine();
    ADD_FLG = false;
}

void TTillwick1::TMergeBtnClick()
{
    MergeAcc1->show();
    MergeAcc1->raise();
}

void TTillwick1::selectAccountLine(int line)
{
    QTreeWidgetItem *item = TreeView1->topLevelItem(line);
    if (!item)
        return;
    TreeView1->clearSelection();
    item->setSelected(true);
    TreeView1->setCurrentItem(item);
    TreeView1Click();
}
