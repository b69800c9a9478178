#include "app/Tillwick.h"

#include "app/HuePicker.h"
#include "app/MessageWin.h"
#include "app/Windows.h"
#include "binding/FieldBinder.h"
#include "binding/StringGrid.h"
#include "data/Layouts.h"
#include "data/TableStore.h"
#include "quotes/HttpClient.h"

#include <QAction>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDrag>
#include <QDropEvent>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTimer>
#include <QToolTip>
#include <QTreeWidget>
#include <QtCharts/QChartView>

TTillwick1::TTillwick1(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Tillwick1"));
    setWindowTitle(QStringLiteral("Tillwick 5.3"));
    resize(1325, 649);
    move(0, 0);

    createStores();
    NetHTTP1 = new HttpClient(this);
    NetHTTP1->setObjectName(QStringLiteral("NetHTTP1"));
    createMenus();
    createToolBar();
    createAccountColumn();
    createTabs();
    createStatusBar();
    setCentralWidget(Splitter1);
    makeArrowPictures();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);

    connectHandlers();
    FormCreate();
    Timer1->start();
}

TTillwick1::~TTillwick1()
{
    closeAllStores();
}

void TTillwick1::createStores()
{
    const auto store = [this](const FieldList &fields, const char *name) {
        auto *s = new TableStore(fields, this);
        s->setObjectName(QLatin1String(name));
        return s;
    };
    ClientDataSet1 = store(summaryFields(), "ClientDataSet1");
    ClientDataSet2 = store(transactionFields(), "ClientDataSet2");
    ClientDataSet3 = store(historyFields(), "ClientDataSet3");
    ClientDataSet4 = store(accountFields(), "ClientDataSet4");
    ClientDataSet5 = store(optionsFields(), "ClientDataSet5");
    ClientDataSet6 = store(summaryFields(), "ClientDataSet6");
    ClientDataSet7 = store(srchCodesFields(), "ClientDataSet7");
    ClientDataSet8 = store(historyFields(), "ClientDataSet8");
    ClientDataSet10 = new TableStore(this);
    ClientDataSet10->setObjectName(QStringLiteral("ClientDataSet10"));
    ClientDataSet4->setFiltered(false);
    ClientDataSet5->setFiltered(false);

    ClientDataSet1->setOnNewRecord([this](TableStore &) { ClientDataSet1NewRecord(); });
    ClientDataSet1->setBeforePost([this](TableStore &) { ClientDataSet1BeforePost(); });
    ClientDataSet1->setAfterPost([this](TableStore &) { ClientDataSet1AfterPost(); });
    ClientDataSet2->setOnNewRecord([this](TableStore &) { ClientDataSet2NewRecord(); });
    ClientDataSet2->setBeforePost([this](TableStore &) { ClientDataSet2BeforePost(); });
    ClientDataSet2->setAfterPost([this](TableStore &) { ClientDataSet2AfterPost(); });
    ClientDataSet3->setBeforePost([this](TableStore &) { ClientDataSet3BeforePost(); });
}

void TTillwick1::connectHandlers()
{
    connect(Timer1, &QTimer::timeout, this, &TTillwick1::Timer1Timer);
    connect(TCloseBtn, &QPushButton::clicked, this, &TTillwick1::TCloseBtnClick);
    connect(MenuItem7, &QAction::triggered, this, &TTillwick1::MenuItem7Click);
    connect(TMenuBtn, &QPushButton::clicked, this, &TTillwick1::TMenuBtnClick);
    connect(TabControl1, &QTabWidget::currentChanged, this, &TTillwick1::TabControl1Change);

    connect(TreeView1, &QTreeWidget::itemClicked, this, &TTillwick1::TreeView1Click);
    connect(TreeView1, &QTreeWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        PopupMenu1->popup(TreeView1->viewport()->mapToGlobal(at));
    });
    connect(TNewBtn, &QPushButton::clicked, this, &TTillwick1::TNewBtnClick);
    connect(pmnuAddNew, &QAction::triggered, this, &TTillwick1::pmnuAddNewClick);
    connect(PAddBtn, &QPushButton::clicked, this, &TTillwick1::TNewBtnClick);
    connect(PSaveBtn, &QPushButton::clicked, this, &TTillwick1::PSaveBtnClick);
    connect(PCloseBtn, &QPushButton::clicked, this, &TTillwick1::PCloseBtnClick);
    connect(pmnuEdit, &QAction::triggered, this, &TTillwick1::pmnuEditClick);
    connect(pmnuDelete, &QAction::triggered, this, &TTillwick1::pmnuDeleteClick);
    connect(pmnuExpand, &QAction::triggered, this, &TTillwick1::pmnuExpandClick);
    connect(pmnuCollapse, &QAction::triggered, this, &TTillwick1::pmnuCollapseClick);
    connect(TMergeBtn, &QPushButton::clicked, this, &TTillwick1::TMergeBtnClick);
    connect(TArchiveBtn, &QPushButton::clicked, this, &TTillwick1::TArchiveBtnClick);
    connect(pmnuMerge, &QAction::triggered, this, &TTillwick1::TMergeBtnClick);

    StringGrid1->setPopupMenu(PopupMenu2);
    connect(StringGrid1, &StringGrid::selectionChanged, this, &TTillwick1::StringGrid1Click);
    connect(StringGrid1, &StringGrid::cellClicked, this, &TTillwick1::StringGrid1CellClick);
    connect(StringGrid1, &StringGrid::editingDone, this, &TTillwick1::StringGrid1EditingDone);
    connect(TAddRowBtn, &QPushButton::clicked, this, &TTillwick1::TAddRowBtnClick);
    connect(pmnuAddRow, &QAction::triggered, this, &TTillwick1::TAddRowBtnClick);
    connect(QuoteInputExitBtn, &QPushButton::clicked, this, &TTillwick1::QuoteInputExitBtnClick);
    connect(TUpBtn, &QPushButton::clicked, this, &TTillwick1::TUpBtnClick);
    connect(TDwnBtn, &QPushButton::clicked, this, &TTillwick1::TDwnBtnClick);
    connect(TSortBtn, &QPushButton::clicked, this, &TTillwick1::TSortBtnClick);
    connect(pmnuSymbol, &QAction::triggered, this, &TTillwick1::pmnuSymbolClick);
    connect(pmnuSortName, &QAction::triggered, this, &TTillwick1::pmnuSortNameClick);
    connect(pmnuSortPrice, &QAction::triggered, this, &TTillwick1::pmnuSortPriceClick);
    connect(pmnuSortCost, &QAction::triggered, this, &TTillwick1::pmnuSortCostClick);
    connect(pmnuSortAmt, &QAction::triggered, this, &TTillwick1::pmnuSortAmtClick);
    connect(pmnuprchDate, &QAction::triggered, this, &TTillwick1::pmnuprchDateClick);
    connect(TDelBtn, &QPushButton::clicked, this, &TTillwick1::TDelBtnClick);
    connect(pmnuDelete1, &QAction::triggered, this, &TTillwick1::TDelBtnClick);
    connect(pmnuDeleteAll1, &QAction::triggered, this, &TTillwick1::pmnuDeleteAll1Click);
    connect(TSaveBtn, &QPushButton::clicked, this, &TTillwick1::TSaveBtnClick);
    connect(TTotalBtn, &QPushButton::clicked, this, &TTillwick1::TTotalBtnClick);
    connect(TQuoteBtn, &QPushButton::clicked, this, &TTillwick1::TQuoteBtnClick);
    connect(TSinglQtBtn, &QPushButton::clicked, this, &TTillwick1::TSinglQtBtnClick);
    connect(TAllQtBtn, &QPushButton::clicked, this, &TTillwick1::TAllQtBtnClick);
    connect(TRenameBtn, &QPushButton::clicked, this, &TTillwick1::TRenameBtnClick);

    StringGrid4->setReadOnly(true);
    StringGrid4->setRowSelection(true);
    connect(StringGrid4, &StringGrid::selectionChanged, this, &TTillwick1::StringGrid4Click);
    StringGrid5->setReadOnly(true);
    StringGrid5->setRowSelection(true);
    connect(StringGrid5, &StringGrid::selectionChanged, this, &TTillwick1::StringGrid5Click);
    StringGrid2->setPopupMenu(PopupMenu3);
    connect(StringGrid2, &StringGrid::selectionChanged, this, &TTillwick1::StringGrid2Click);
    connect(pmnuPurchase, &QAction::triggered, this, &TTillwick1::pmnuPurchaseClick);
    connect(pmnuSell, &QAction::triggered, this, &TTillwick1::pmnuSellClick);
    connect(pmnuSplit, &QAction::triggered, this, &TTillwick1::pmnuSplitClick);
    connect(pmnuDate, &QAction::triggered, this, &TTillwick1::pmnuDateClick);
    connect(Calendar1, &QCalendarWidget::clicked, this, &TTillwick1::Calendar1DateSelected);
    connect(CalOKBtn, &QPushButton::clicked, this, &TTillwick1::CalOKBtnClick);
    connect(CanPurDteBtn, &QPushButton::clicked, this, &TTillwick1::CanPurDteBtnClick);
    connect(CalCloseBtn, &QPushButton::clicked, this, &TTillwick1::CalCloseBtnClick);
    connect(CMBTRAN, &QComboBox::currentIndexChanged, this, &TTillwick1::CMBTRANChange);
    connect(CanPurBtn, &QPushButton::clicked, this, &TTillwick1::CanPurBtnClick);
    connect(TClcAveCst, &QPushButton::clicked, this, &TTillwick1::TClcAveCstClick);
    Edit7->installEventFilter(this);
    StringGrid3->setReadOnly(true);
    StringGrid3->setRowSelection(true);
    connect(StringGrid3, &StringGrid::selectionChanged, this, &TTillwick1::StringGrid3Click);

    StringGrid1->setStore(ClientDataSet1, QStringLiteral("ClientDataSet1"));
    StringGrid4->setStore(ClientDataSet1, QStringLiteral("ClientDataSet1"));
    StringGrid2->setStore(ClientDataSet2, QStringLiteral("ClientDataSet2"));
    StringGrid3->setStore(ClientDataSet3, QStringLiteral("ClientDataSet3"));
    StringGrid5->setStore(ClientDataSet6, QStringLiteral("ClientDataSet6"));
    m_edit8Binder = new FieldBinder(Edit8, ClientDataSet1, QStringLiteral("Symbol"), this);
    m_edit9Binder = new FieldBinder(Edit9, ClientDataSet1, QStringLiteral("Name"), this);
    m_edit10Binder = new FieldBinder(Edit10, ClientDataSet1, QStringLiteral("Quantity"), this);
    m_transactionBinders = {new FieldBinder(Edit5, ClientDataSet2, QStringLiteral("Quantity"), this),
                            new FieldBinder(Edit6, ClientDataSet2, QStringLiteral("Price"), this),
                            new FieldBinder(Edit7, ClientDataSet2, QStringLiteral("TransDateDsp"), this),
                            new FieldBinder(CMBTRAN, ClientDataSet2, QStringLiteral("Transaction"), this)};
    m_entryBinders
            = QList<FieldBinder *>{m_edit8Binder, m_edit9Binder, m_edit10Binder} + m_transactionBinders;

    connect(ListBox1, &QListWidget::itemClicked, this, &TTillwick1::ListBox1ItemClick);
    connect(CheckBox1, &QCheckBox::toggled, this, &TTillwick1::CheckBox1Change);
    connect(CheckBox2, &QCheckBox::toggled, this, &TTillwick1::CheckBox2Change);
    connect(RDHIST1, &QRadioButton::clicked, this, &TTillwick1::RDHIST1Click);
    connect(RDHIST2, &QRadioButton::clicked, this, &TTillwick1::RDHIST2Click);
    connect(ColorPicker1, &HuePicker::clicked, this, &TTillwick1::ColorPicker1Click);
    connect(pmnuChangeColor, &QAction::triggered, this, &TTillwick1::pmnuChangeColorClick);
    connect(ColorPicker2, &HuePicker::doubleClicked, this, &TTillwick1::ColorPicker2DblClick);
    Edit4->installEventFilter(this);
    Panel4->installEventFilter(this);
    connect(Chart1, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        PopupMenu4->popup(Chart1->viewport()->mapToGlobal(at));
    });
    connect(pmnuAll, &QAction::triggered, this, &TTillwick1::pmnuAllClick);
    connect(pmnuCurrent, &QAction::triggered, this, &TTillwick1::pmnuCurrentClick);
    connect(pmnuHistFilter, &QAction::triggered, this, &TTillwick1::pmnuHistFilterClick);

    // Panels dropped on the holdings grid move there.
    StringGrid1->setAcceptDrops(true);
    StringGrid1->viewport()->installEventFilter(this);
    Panel1->installEventFilter(this);
    Panel6->installEventFilter(this);
    connect(THelpBtn, &QPushButton::clicked, this, &TTillwick1::THelpBtnClick);
    connect(RDBACKREST1, &QRadioButton::toggled, this, &TTillwick1::RDBACKREST1Change);
    connect(RDBACKREST2, &QRadioButton::toggled, this, &TTillwick1::RDBACKREST2Change);
    connect(BackRestBtn, &QPushButton::clicked, this, &TTillwick1::BackRestBtnClick);
}

void TTillwick1::closeAllStores()
{
    if (m_closed)
        return;
    m_closed = true;
    // A cell edited in a grid and left with Enter is a finished edit: keep it.
    for (TableStore *store : {ClientDataSet1, ClientDataSet2}) {
        if (store && store->state() == TableStore::State::Edit)
            store->post();
    }
    for (TableStore *store : {ClientDataSet1,
                              ClientDataSet6,
                              ClientDataSet2,
                              ClientDataSet3,
                              ClientDataSet4,
                              ClientDataSet5,
                              ClientDataSet8,
                              ClientDataSet10}) {
        if (store)
            store->close();
    }
}

void TTillwick1::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TTillwick1::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TTillwick1::closeEvent(QCloseEvent *event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

bool TTillwick1::eventFilter(QObject *watched, QEvent *event)
{
    // A status text cut at the window's edge shows whole as a tip.
    if (event->type() == QEvent::ToolTip
        && (watched == Label5 || watched == Label10 || watched == Label11 || watched == Label20)) {
        auto *help = static_cast<QHelpEvent *>(event);
        QToolTip::showText(help->globalPos(), static_cast<QLabel *>(watched)->text().simplified());
        return true;
    }
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == Edit4) {
            Edit4DblClick();
            return true;
        }
        if (watched == Panel4) {
            Panel4DblClick();
            return true;
        }
        if (watched == Edit7) {
            Edit7DblClick();
            return true;
        }
    }
    // A panel is dragged by its background onto the holdings grid.
    if ((watched == Panel1 || watched == Panel6) && event->type() == QEvent::MouseMove) {
        auto *move = static_cast<QMouseEvent *>(event);
        if (move->buttons() & Qt::LeftButton) {
            auto *mime = new QMimeData;
            mime->setData(QStringLiteral("application/x-tillwick-panel"), watched->objectName().toLatin1());
            auto *drag = new QDrag(watched);
            drag->setMimeData(mime);
            drag->setPixmap(static_cast<QWidget *>(watched)->grab().scaledToWidth(120));
            drag->exec(Qt::MoveAction);
            return true;
        }
    }
    if (watched == StringGrid1->viewport()) {
        if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
            auto *drag = static_cast<QDropEvent *>(event);
            if (drag->mimeData()->hasFormat(QStringLiteral("application/x-tillwick-panel"))) {
                drag->acceptProposedAction();
                return true;
            }
        } else if (event->type() == QEvent::Drop) {
            auto *drop = static_cast<QDropEvent *>(event);
            const QString name = QString::fromLatin1(
                    drop->mimeData()->data(QStringLiteral("application/x-tillwick-panel")));
            QWidget *panelWidget = name == QLatin1String("Panel1")   ? static_cast<QWidget *>(Panel1)
                                   : name == QLatin1String("Panel6") ? static_cast<QWidget *>(Panel6)
                                                                     : nullptr;
            if (panelWidget) {
                StringGrid1DragDrop(panelWidget, drop->position().toPoint());
                drop->acceptProposedAction();
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TTillwick1::confirm(const QString &text)
{
    MESSAGEWIN_MSG = text;
    MessageWin1->exec();
    return !CANCEL_FLG;
}

DataPaths TTillwick1::paths() const
{
    return {HELPPATH, ROOTPATH, FILE_DELIM, FILE_DELIM2, STYLE_PATH};
}
