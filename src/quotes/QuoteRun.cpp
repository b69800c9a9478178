// Quote runs: one account (the Quote button and the automatic quote), all accounts, one holding.
#include "app/Tillwick.h"
#include "app/Windows.h"
#include "binding/StringGrid.h"
#include "data/NumberFormat.h"
#include "data/TableStore.h"
#include "data/TextHelpers.h"
#include "quotes/HttpClient.h"
#include "quotes/PriceLookup.h"
#include "quotes/PriceText.h"
#include "quotes/QuotePrefetcher.h"
#include "quotes/Rename.h"
#include "quotes/ServiceUrls.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMediaPlayer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QStatusBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QUrl>

namespace {
// Grid columns of the holdings grid.
enum Column {
    SymbolColumn = 3,
    NameColumn = 4,
    QuantityColumn = 5,
    PriceColumn = 6,
    ExtensionColumn = 7,
    AveCostColumn = 8,
    DifferenceColumn = 9
};

QString cellText(const StringGrid *grid, int row, int column)
{
    return grid->model()->index(row, column).data(Qt::DisplayRole).toString();
}

// A number as a cell shows it: commas removed, "." as the point, blank as 0.
double cellNumber(const StringGrid *grid, int row, int column)
{
    const QString text = RemoveCommas(cellText(grid, row, column)).trimmed();
    return text.isEmpty() ? 0.0 : text.toDouble();
}

// The price a page gave, or the old one when the text is 0 or no number.
double priceFromText(QString text, double oldPrice)
{
    if (text == QLatin1String("0"))
        return oldPrice;
    if (!text.contains(QLatin1Char('.')))
        text += QStringLiteral(".0");
    bool ok = false;
    const double price = RemoveCommas(text).toDouble(&ok);
    return ok ? price : oldPrice;
}

void keepResponse(TTillwick1 *w, const QuoteLookupResult &result)
{
    w->LRESPONSE = result.last;
    w->Memo12 = QString::fromUtf8(result.lastBody);
}
} // namespace

void TTillwick1::setQuoteControlsEnabled(bool enabled)
{
    for (QWidget *w : {static_cast<QWidget *>(TNewBtn),
                       static_cast<QWidget *>(TSaveBtn),
                       static_cast<QWidget *>(TAddRowBtn),
                       static_cast<QWidget *>(TDelBtn),
                       static_cast<QWidget *>(TUpBtn),
                       static_cast<QWidget *>(TDwnBtn),
                       static_cast<QWidget *>(TPrintBtn),
                       static_cast<QWidget *>(TMergeBtn),
                       static_cast<QWidget *>(TRenameBtn),
                       static_cast<QWidget *>(TMenuBtn),
                       static_cast<QWidget *>(TTotalBtn),
                       static_cast<QWidget *>(TClcAveCst),
                       static_cast<QWidget *>(TSortBtn),
                       static_cast<QWidget *>(TSinglQtBtn),
                       static_cast<QWidget *>(TAllQtBtn),
                       static_cast<QWidget *>(TabControl1),
                       static_cast<QWidget *>(TreeView1)})
        w->setEnabled(enabled);
}

bool TTillwick1::refusedDuringQuoteRun()
{
    if (!m_quoteRunning)
        return false;
    StatusBar1->showMessage(tr("The holdings cannot be changed while quotes are retrieved."), 4000);
    return true;
}

void TTillwick1::TQuoteBtnClick()
{
    if (m_quoteRunning) {
        CANCEL_FLG = true;
        return;
    }
    if (m_singleQuoteRunning || m_retrievingNames)
        return;
    quoteAccount();
}

void TTillwick1::quoteAccount()
{
    const QScopedValueRollback running(m_quoteRunning, true);
    const QString account = CURRENT_ACCOUNT;
    WKTRANSACTION = QStringLiteral("Chart");
    SRCHMUTFD1 = lastPriceMarker();
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    m_busyAction->setVisible(true);
    StringGrid1->setReadOnly(true);
    StringGrid2->setReadOnly(true);
    CANCEL_FLG = false;
    TQuoteBtn->setText(QStringLiteral("STOP"));
    setQuoteControlsEnabled(false);

    WKTOTAL1 = WKTOTAL2 = 0;
    double accountDifference = 0;
    if (StringGrid1->model()->rowCount() > 25)
        showMaximized();
    QGuiApplication::processEvents();

    TableStore &s = *ClientDataSet1;
    s.setFilter(accountFilter(account));
    s.first();
    if (CHKAVCST->isChecked())
        CalcAccountAveCosts();
    SKIP_FLG = false;
    SetupAllGrids();
    s.first();
    for (QLabel *label : {Label5, Label10, Label11, Label20})
        label->show();

    // The holdings are taken first: posting a new price may reorder them (sorted by price).
    QList<QVariant> ids;
    QStringList symbols;
    for (int row = 0; row < s.rowsShown(); ++row) {
        ids << s.valueAt(row, s.fieldIndex(u"ID"));
        symbols << cellText(StringGrid1, row, SymbolColumn).toLower();
    }
    QuotePrefetcher prefetcher(NetHTTP1, quoteBaseUrl());
    if (m_quoteConcurrency > 1) {
        prefetcher.setMaxLookups(m_quoteConcurrency);
        prefetcher.start(symbols);
    }

    for (int i = 0; i < ids.size(); ++i) {
        if (!s.locate(QStringLiteral("ID"), ids[i]))
            continue;
        int row = s.recNo();
        StringGrid1->scrollTo(StringGrid1->model()->index(row, SymbolColumn),
                              QAbstractItemView::PositionAtTop);
        const double oldPrice = cellNumber(StringGrid1, row, PriceColumn);
        const double oldExtension = cellNumber(StringGrid1, row, ExtensionColumn);
        WKTOTAL1 += oldExtension;

        // One at a time the walk starts only now; otherwise the next pages are already coming.
        const QuoteLookupResult result = m_quoteConcurrency > 1
                                                 ? prefetcher.take(i)
                                                 : lookupPrice(*NetHTTP1, quoteBaseUrl(), symbols[i]);
        keepResponse(this, result);
        // Events ran while waiting: find the holding again.
        if (!s.locate(QStringLiteral("ID"), ids[i]))
            continue;
        row = s.recNo();
        if (result.found && !result.priceText.isEmpty()) {
            const double price = priceFromText(result.priceText, oldPrice);
            const double quantity = cellNumber(StringGrid1, row, QuantityColumn);
            s.edit();
            s.setValue(QStringLiteral("Quantity"), quantity);
            s.setValue(QStringLiteral("Price"), price);
            if (quantity * s.value(QStringLiteral("AveCost")).toDouble() == 0)
                s.setValue(QStringLiteral("PercentDiff"), 0.0);
            s.post();
            row = s.recNo();
            const double newExtension = price * quantity;
            accountDifference += newExtension - oldExtension;
            if (RDHIST2->isChecked())
                AddHistoryRecord();

            const auto text = [this, row](int column) {
                return cellText(StringGrid1, row, column);
            };
            Label5->setText(QStringLiteral(" ") + symbols[i] + QStringLiteral(" - ") + text(NameColumn));
            Label10->setText(QStringLiteral("Quote Total: ") + text(QuantityColumn) + QStringLiteral(" x ")
                             + text(PriceColumn) + QStringLiteral(" = ") + text(ExtensionColumn));
            Label11->setText(QStringLiteral(" Quote Total Difference: ") + text(ExtensionColumn)
                             + QStringLiteral(" - ") + text(QuantityColumn) + QStringLiteral(" x ")
                             + text(AveCostColumn).left(8) + QStringLiteral(" = ")
                             + text(DifferenceColumn).left(8)
                             + QStringLiteral("              Difference Since Last Quote:  ")
                             + formatAmount4n(newExtension - oldExtension));
            Label20->setText(QStringLiteral(" Account Total Difference: ")
                             + formatAmount4n(accountDifference));
        }
        WKTOTAL2 += cellNumber(StringGrid1, row, ExtensionColumn);
        QGuiApplication::processEvents();
        if (CANCEL_FLG) {
            CANCEL_FLG = false;
            break;
        }
    }
    prefetcher.cancel();

    CalcAccountTotals(account);
    WKTOTAL4 += WKTOTAL3;
    Label11->setText(Label11->text() + QStringLiteral("              Running Total:   ")
                     + formatAmount4n(WKTOTAL4));
    Label11->repaint();

    QGuiApplication::restoreOverrideCursor();
    TQuoteBtn->setText(QStringLiteral("Quote"));
    TQuoteBtn->setEnabled(true);
    setQuoteControlsEnabled(true);
    m_busyAction->setVisible(false);
    Label20->hide();

    if (!s.write())
        StatusBar1->showMessage(s.lastError(), 8000);
    QGuiApplication::processEvents();

    BuildAccountTree();
    s.setFilter(QString());
    AddHoldingLines();
    CURRENT_ACCOUNT = account;
    s.setFilter(accountFilter(account));
    StringGrid1Click();

    if (CHKAUDIOPLY->isChecked() && !Edit4->text().isEmpty()) {
        MediaPlayer1->setSource(QUrl::fromLocalFile(Edit4->text()));
        MediaPlayer1->play();
    }

    StringGrid1->setReadOnly(false);
    StringGrid2->setReadOnly(false);
    if (isMaximized())
        showNormal();
}

void TTillwick1::TSinglQtBtnClick()
{
    const int row = StringGrid1->currentIndex().row();
    if (row < 0 || m_quoteRunning || m_singleQuoteRunning || m_retrievingNames)
        return;
    const QScopedValueRollback running(m_singleQuoteRunning, true);
    TableStore &s = *ClientDataSet1;
    if (!s.setRecNo(row))
        return;
    const QVariant id = s.value(QStringLiteral("ID"));
    const QString symbol = cellText(StringGrid1, row, SymbolColumn).toLower();
    const double oldPrice = cellNumber(StringGrid1, row, PriceColumn);
    WKTOTAL1 = cellNumber(StringGrid1, row, ExtensionColumn);
    SRCHMUTFD1 = lastPriceMarker();

    const QuoteLookupResult result = lookupPrice(*NetHTTP1, quoteBaseUrl(), symbol);
    keepResponse(this, result);
    // Events ran while waiting: find the holding again.
    if (!s.locate(QStringLiteral("ID"), id))
        return;
    if (result.found) {
        const QString &text = result.priceText;
        double price = oldPrice;
        if (!text.isEmpty() && text != QLatin1String("0")) {
            bool ok = false;
            const double read = RemoveCommas(text).toDouble(&ok);
            if (ok)
                price = read;
        }
        const double quantity = cellNumber(StringGrid1, s.recNo(), QuantityColumn);
        s.edit();
        if (price > 0)
            s.setValue(QStringLiteral("Price"), price);
        if (quantity * s.value(QStringLiteral("AveCost")).toDouble() == 0)
            s.setValue(QStringLiteral("PercentDiff"), 0.0);
        s.post();
        if (RDHIST2->isChecked())
            AddHistoryRecord();
    }
    const int at = s.recNo();
    const auto text = [this, at](int column) {
        return cellText(StringGrid1, at, column);
    };
    WKTOTAL2 = cellNumber(StringGrid1, at, ExtensionColumn);
    Label5->setText(text(SymbolColumn) + QStringLiteral(" - ") + text(NameColumn));
    Label10->setText(text(QuantityColumn) + QStringLiteral(" x ") + text(PriceColumn) + QStringLiteral(" = ")
                     + text(ExtensionColumn));
    Label11->setText(text(ExtensionColumn) + QStringLiteral(" - ") + text(QuantityColumn)
                     + QStringLiteral(" x ") + text(AveCostColumn).left(8) + QStringLiteral(" = ")
                     + text(DifferenceColumn).left(8));
    QGuiApplication::processEvents();
    CalcAccountTotals(CURRENT_ACCOUNT);
    StringGrid1->setReadOnly(false);
    StringGrid2->setReadOnly(false);
}

void TTillwick1::TAllQtBtnClick()
{
    if (m_quoteRunning || m_singleQuoteRunning || m_retrievingNames)
        return;
    WKTOTAL4 = 0;
    TreeView1->collapseAll();
    const QScopedValueRollback allQuotes(ALLQUOTES_FLG, true);
    const int accounts = TreeView1->topLevelItemCount();
    for (int k = 0; k < accounts && k < TreeView1->topLevelItemCount(); ++k) {
        // Quit during a run ends the whole round, not only that account's run.
        if (!isVisible())
            break;
        selectAccountLine(k);
        quoteAccount();
    }
    ALLQUOTES_FLG = false;
    if (accounts > 0 && ClientDataSet3->isOpen() && !ClientDataSet3->write())
        StatusBar1->showMessage(ClientDataSet3->lastError(), 8000);
}

void TTillwick1::Timer1Timer()
{
    const QDateTime now = clock();
    Label1->setText(QLocale::system().toString(now.date(), QLocale::ShortFormat) + QLatin1Char(' ')
                    + now.time().toString(QStringLiteral("HH:mm:ss")));
    if (!USE_TIMER_FLG || m_quoteRunning || m_singleQuoteRunning || m_retrievingNames)
        return;
    const qint64 seconds = now.toSecsSinceEpoch();
    if (TIME_ACCUM == 0) {
        TIME1 = seconds;
        TIME_ACCUM = 1000;
        return;
    }
    TIME_ACCUM = int(seconds - TIME1);
    if (TIME_ACCUM > TIMER_INTERVAL) {
        TIME1 = seconds;
        TIME_ACCUM = 0;
        quoteAccount();
    }
}

void TTillwick1::TRenameBtnClick()
{
    if (!RENMPRMPT_FLG)
        ReName1 = new TReName1(this);
    ReName1->show();
    ReName1->raise();
}
