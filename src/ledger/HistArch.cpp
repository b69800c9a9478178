#include "ledger/HistArch.h"

#include "app/MessageBox.h"
#include "app/Tillwick.h"
#include "app/WidgetHelpers.h"
#include "app/Windows.h"
#include "binding/StringGrid.h"
#include "data/Layouts.h"
#include "data/TableStore.h"
#include "data/TextHelpers.h"
#include "help/HelpWin.h"
#include "ledger/ChartData.h"
#include "ledger/ChartView.h"

#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>
#include <QtCharts/QBarSeries>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>

namespace {
QPushButton *button(const char *caption, const char *hint, QWidget *parent, const char *name)
{
    auto *b = named(new QPushButton(QString::fromLatin1(caption), parent), name);
    if (hint)
        b->setToolTip(QString::fromLatin1(hint));
    return b;
}

QComboBox *editableList(const QStringList &items, const char *hint, QWidget *parent, const char *name)
{
    auto *list = named(new QComboBox(parent), name);
    list->setEditable(true);
    list->addItems(items);
    if (hint)
        list->setToolTip(QString::fromLatin1(hint));
    return list;
}

} // namespace

THistArch1::THistArch1(TTillwick1 *main)
    : QDialog(main)
    , m_main(main)
{
    setObjectName(QStringLiteral("HistArch1"));
    setWindowTitle(QStringLiteral("History Archive"));
    resize(1145, 633);

    ClientDataSet8 = new TableStore(historyFields(), this);
    ClientDataSet8->setObjectName(QStringLiteral("ClientDataSet8"));
    ClientDataSet8->setCaseInsensitive(true);

    auto *layout = new QVBoxLayout(this);
    auto *bar = new QWidget(this);
    createToolBar(bar);
    layout->addWidget(bar);

    auto *split = new QSplitter(Qt::Horizontal, this);
    StringGrid1 = named(new StringGrid(split), "StringGrid1");
    StringGrid1->setAccessibleName(tr("Archived history"));
    StringGrid1->setReadOnly(true);
    StringGrid1->setRowSelection(true);
    auto *right = new QWidget(split);
    auto *rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    auto *queryHead = new QHBoxLayout;
    Label3 = named(new QLabel(QStringLiteral("Query Selection "), right), "Label3");
    CleQrySelBtn = button("Clear", "Clear Query Selection", right, "CleQrySelBtn");
    queryHead->addWidget(Label3);
    queryHead->addStretch();
    queryHead->addWidget(CleQrySelBtn);
    rightLayout->addLayout(queryHead);
    Memo1 = named(new QPlainTextEdit(right), "Memo1");
    Memo1->setAccessibleName(Label3->text().trimmed());
    Memo1->setMaximumHeight(90);
    rightLayout->addWidget(Memo1);
    Chart1 = makeChartView(right, "Chart1", QStringLiteral("Stock Value vs. Date"));
    Chart1->chart()->setBackgroundBrush(QColor(0xF5, 0xF5, 0xF5));
    Chart3 = makeChartView(right, "Chart3", QStringLiteral("Stock Amounts"));
    rightLayout->addWidget(Chart1, 1);
    rightLayout->addWidget(Chart3, 1);
    split->addWidget(StringGrid1);
    split->addWidget(right);
    split->setSizes({620, 525});
    layout->addWidget(split, 1);

    StringGrid1->setStore(ClientDataSet8, QStringLiteral("ClientDataSet8"));
    connect(TQueryBtn, &QPushButton::clicked, this, &THistArch1::TQueryBtnClick);
    connect(CleQrySelBtn, &QPushButton::clicked, this, &THistArch1::CleQrySelBtnClick);
    connect(TDelBtn, &QPushButton::clicked, this, &THistArch1::TDelBtnClick);
    connect(TDelAllBtn, &QPushButton::clicked, this, &THistArch1::TDelAllBtnClick);
    connect(THelpBtn, &QPushButton::clicked, this, &THistArch1::THelpBtnClick);
    connect(TCloseBtn, &QPushButton::clicked, this, &THistArch1::TCloseBtnClick);
    FormCreate();
}

THistArch1::~THistArch1()
{
    FormClose();
}

void THistArch1::createToolBar(QWidget *bar)
{
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    BindNavigator1 = named(new QWidget(bar), "BindNavigator1");
    auto *navigator = new QHBoxLayout(BindNavigator1);
    navigator->setContentsMargins(0, 0, 0, 0);
    navigator->setSpacing(2);
    struct Step
    {
        const char *caption;
        const char *hint;
        void (TableStore::*move)();
    };
    for (const Step &step : {Step{"\u00ab", "First record", &TableStore::first},
                             Step{"\u2039", "Prior record", &TableStore::prior},
                             Step{"\u203a", "Next record", &TableStore::next},
                             Step{"\u00bb", "Last record", &TableStore::last},
                             Step{"\u21bb", "Refresh", nullptr}}) {
        auto *b = new QPushButton(QString::fromUtf8(step.caption), BindNavigator1);
        b->setToolTip(tr(step.hint));
        b->setAccessibleName(tr(step.hint));
        b->setFixedWidth(34);
        const auto move = step.move;
        connect(b, &QPushButton::clicked, this, [this, move] {
            if (!ClientDataSet8->isOpen())
                return;
            if (move)
                (ClientDataSet8->*move)();
            else
                ClientDataSet8->setFilter(ClientDataSet8->filter());
        });
        navigator->addWidget(b);
    }
    row->addWidget(BindNavigator1);
    CMBFIELDFLT = editableList({}, "Select Field to Select Values", bar, "CMBFIELDFLT");
    CMBFIELDFLT->setMinimumWidth(130);
    CMBOPR = editableList({QStringLiteral("="),
                           QStringLiteral("<="),
                           QStringLiteral(">="),
                           QStringLiteral("<"),
                           QStringLiteral(">"),
                           QStringLiteral("<>")},
                          "Select Operator to Select Values in Field       ",
                          bar,
                          "CMBOPR");
    CMBOPR->setCurrentIndex(0);
    Edit1 = named(new QLineEdit(bar), "Edit1");
    Edit1->setToolTip(QStringLiteral("Value to use to select records in Field on Left"));
    Edit1->setAccessibleName(tr("Value"));
    CMBLGOP = editableList({QStringLiteral("AND"), QStringLiteral("OR")}, nullptr, bar, "CMBLGOP");
    CMBLGOP->setCurrentIndex(1);
    TQueryBtn = button("Go", "Filter Table by Criteria on the left", bar, "TQueryBtn");
    TDelBtn = button("Delete", "Remove Current Row", bar, "TDelBtn");
    TDelAllBtn = button("Delete All", "Delete all Archived History", bar, "TDelAllBtn");
    THelpBtn = button("Help", nullptr, bar, "THelpBtn");
    TCloseBtn = button("Close", nullptr, bar, "TCloseBtn");
    for (QWidget *w : QWidgetList{CMBFIELDFLT, CMBOPR, Edit1, CMBLGOP, TQueryBtn, TDelBtn, TDelAllBtn})
        row->addWidget(w);
    row->addStretch();
    row->addWidget(THelpBtn);
    row->addWidget(TCloseBtn);
}

void THistArch1::FormCreate()
{
    // The program's style sheet is set on the application, so this window has it already.
}

void THistArch1::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
}

void THistArch1::closeEvent(QCloseEvent *event)
{
    FormClose();
    QDialog::closeEvent(event);
}

bool THistArch1::OpenArchive()
{
    TableStore &a = *ClientDataSet8;
    if (!a.isOpen()) {
        a.setFileName(m_main->ROOTPATH + m_main->FILE_DELIM + TableFileName::HistoryArcv);
        const bool ok = QFileInfo::exists(a.fileName()) ? a.open() : a.createDataSet();
        if (!ok) {
            MessageBox::warning(this, windowTitle(), a.lastError());
            return false;
        }
    }
    a.last();
    a.setIndexFieldNames(QStringLiteral("AccountNo;Symbol"));
    a.setFilter(QString());
    return true;
}

void THistArch1::FormShow()
{
    if (!OpenArchive())
        return;
    TableStore &a = *ClientDataSet8;
    StringGrid1->hideColumn(0);
    for (int column = 1; column < StringGrid1->columnCount(); ++column)
        StringGrid1->setColumnWidth(column, 160);
    const QSignalBlocker block(CMBFIELDFLT);
    CMBFIELDFLT->clear();
    for (const FieldDef &field : a.fields())
        CMBFIELDFLT->addItem(field.name);
    CMBFIELDFLT->setCurrentIndex(2);
    Edit1->setText(a.recNo() >= 0 ? a.value(QStringLiteral("AccountNo")).toString() : QString());
    // Each showing starts a fresh query: lines kept from an earlier showing would join this one
    // without an operator between them, a filter nobody could apply.
    Memo1->clear();
    addQueryLine(false, QStringLiteral(" = "));
    TQueryBtnClick();
}

void THistArch1::addQueryLine(bool withOperator, const QString &op)
{
    const QString line = (withOperator ? CMBLGOP->currentText() + QLatin1Char(' ') : QString())
                         + QLatin1Char('[') + CMBFIELDFLT->currentText().trimmed() + QStringLiteral("] ") + op
                         + QLatin1Char(' ') + quotedFilterValue(Edit1->text().trimmed());
    Memo1->appendPlainText(line);
}

void THistArch1::TQueryBtnClick()
{
    if (CMBFIELDFLT->currentIndex() < 0 && CMBFIELDFLT->currentText().trimmed().isEmpty())
        return;
    TableStore &a = *ClientDataSet8;
    if (!a.isOpen() && !OpenArchive())
        return;
    if (Edit1->text().isEmpty()) {
        a.setFilter(QString());
        return;
    }
    const bool first = Memo1->toPlainText().isEmpty();
    addQueryLine(!first, CMBOPR->currentText().trimmed());
    const QString filter = Memo1->toPlainText().split(QLatin1Char('\n')).join(QString());
    if (!a.setFilter(filter)) {
        MessageBox::warning(this, windowTitle(), a.lastError());
        return;
    }
    a.first();
    Chart1->chart()->removeAllSeries();
    Chart3->chart()->removeAllSeries();
    Chart1->chart()->addSeries(new QLineSeries);
    Chart3->chart()->addSeries(new QBarSeries);
    ArchChartSetup();
}

void THistArch1::ArchChartSetup()
{
    TableStore &a = *ClientDataSet8;
    QChart *values = Chart1->chart();
    for (QAbstractSeries *series : values->series())
        static_cast<QLineSeries *>(series)->clear();
    if (a.rowsShown() == 0)
        return;
    a.first();
    values->setTitle(QStringLiteral("Stock Value vs. Date - ")
                     + a.value(QStringLiteral("AccountNo")).toString());
    auto *zero = static_cast<QLineSeries *>(values->series().value(0));
    if (!zero) {
        zero = new QLineSeries;
        values->addSeries(zero);
    }
    zero->setName(a.value(QStringLiteral("Symbol")).toString());
    zero->setColor(QColor::fromRgba(0xFF2323AC));

    QList<ValuePoint> records;
    const int symbolField = a.fieldIndex(u"Symbol");
    const int extensionField = a.fieldIndex(u"Extension");
    for (int row = 0; row < a.rowsShown(); ++row)
        records.append({a.valueAt(row, symbolField).toString(), a.valueAt(row, extensionField).toDouble()});
    const QList<ValueLine> groups = valueLines(records);
    const QRgb colours[] = {0xFF00FFFF, 0xFFFF0000, 0xFFADFF2F};
    for (int g = 0; g < groups.size(); ++g) {
        auto *series = new QLineSeries;
        values->addSeries(series);
        if (g < 3)
            series->setColor(QColor::fromRgba(colours[g]));
        series->setName(groups[g].symbol);
        series->replace(groups[g].points);
    }
    zero->setName(QStringLiteral("Stock Value vs. Date for - ") + groups.last().symbol);
    fitLineAxes(values, groups);

    // A bar a record, in the order shown.
    if (auto *bars = static_cast<QBarSeries *>(Chart3->chart()->series().value(0)))
        showBars(Chart3->chart(), bars, records);
}

void THistArch1::CleQrySelBtnClick()
{
    Memo1->clear();
}

void THistArch1::writeArchive()
{
    if (!ClientDataSet8->write())
        MessageBox::warning(this, windowTitle(), ClientDataSet8->lastError());
}

void THistArch1::TDelBtnClick()
{
    TableStore &a = *ClientDataSet8;
    // Any shown record can go: the one the user selected.
    if (!a.isOpen() || a.rowsShown() == 0 || a.recNo() < 0)
        return;
    if (MessageBox::warning(this,
                            windowTitle(),
                            QStringLiteral("Do You want to Delete Record ?"),
                            QMessageBox::Yes | QMessageBox::No)
        != QMessageBox::Yes)
        return;
    a.remove();
    writeArchive(); // a deletion is kept even if the program ends with the window open
}

void THistArch1::TDelAllBtnClick()
{
    TableStore &a = *ClientDataSet8;
    if (!a.isOpen() || a.rowsShown() == 0)
        return;
    if (MessageBox::warning(this,
                            windowTitle(),
                            QStringLiteral("Do You want to Delete All History Records  Showing ?"),
                            QMessageBox::Yes | QMessageBox::No)
        != QMessageBox::Yes)
        return;
    a.removeShown();
    writeArchive();
    MessageBox::warning(this, windowTitle(), QStringLiteral("History File Cleared."), QMessageBox::Ok);
}

void THistArch1::THelpBtnClick()
{
    THelpWin1::showHelp(Tillwick1);
}

void THistArch1::TCloseBtnClick()
{
    close();
}

void THistArch1::FormClose()
{
    if (ClientDataSet8 && ClientDataSet8->isOpen())
        ClientDataSet8->close();
}
