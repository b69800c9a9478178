// The main window's controls, built in code with the names the handlers and tests use.
#include "app/Tillwick.h"

#include "app/HuePicker.h"
#include "app/Options.h"
#include "app/WidgetHelpers.h"
#include "binding/FieldBinder.h"
#include "binding/StringGrid.h"
#include "ledger/ChartView.h"

#include <QAction>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QtCharts/QBarSeries>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QPieSeries>

namespace {
QFrame *panel(QWidget *parent, const char *name)
{
    auto *frame = named(new QFrame(parent), name);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setAutoFillBackground(true);
    return frame;
}

QLabel *label(const QString &text, QWidget *parent, const char *name)
{
    return named(new QLabel(text, parent), name);
}

// The small "X" that closes a floating panel; no padding, so the letter fits.
QPushButton *closeBox(QWidget *parent, const char *name)
{
    auto *button = named(new QPushButton(QStringLiteral("X"), parent), name);
    button->setStyleSheet(QStringLiteral("QPushButton { padding: 0px; min-width: 0px; }"));
    button->setFixedSize(28, 24);
    return button;
}

QLineEdit *editBox(QWidget *parent, const char *name, const QString &accessibleName)
{
    auto *edit = named(new QLineEdit(parent), name);
    edit->setAccessibleName(accessibleName);
    return edit;
}
} // namespace

void TTillwick1::createToolBar()
{
    ToolBar1 = named(new QToolBar(this), "ToolBar1");
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setFixedHeight(40);
    // Twenty captions share the width of the window: keep the buttons no wider than their text.
    ToolBar1->setStyleSheet(QStringLiteral("QPushButton { padding: 3px 7px; min-width: 0px; }"));
    addToolBar(Qt::TopToolBarArea, ToolBar1);

    struct Button
    {
        QPushButton **slot;
        const char *name;
        const char *caption;
        const char *hint;
    };
    const Button buttons[] = {
            {&TNewBtn, "TNewBtn", "New Account", "Create New Account"},
            {&TSaveBtn, "TSaveBtn", "Save", "Save Changes to File"},
            {&TAddRowBtn, "TAddRowBtn", "Add Row", "Add new Row to Add another Equity"},
            {&TDelBtn, "TDelBtn", "Delete", "Remove Current Row"},
            {&TQuoteBtn, "TQuoteBtn", "Quote", "Get Recent Stock Quotes"},
            {&TSinglQtBtn,
             "TSinglQtBtn",
             "Single Quote",
             "Get Single Recent Stock Quotes from Yahoo   Click on Stock."},
            {&TAllQtBtn, "TAllQtBtn", "All Quotes", "Get All Recent Stock Quotes for All Accounts."},
            {&TUpBtn, "TUpBtn", "Up", "Move up one Row"},
            {&TDwnBtn, "TDwnBtn", "Down", "Move down one Row"},
            {&TSortBtn, "TSortBtn", "Sort", "Sort by Name or Sort by Symbol"},
            {&TPrintBtn, "TPrintBtn", "Print", "Print Equity Summary"},
            {&TMergeBtn, "TMergeBtn", "Merge", "Merge two Accounts"},
            {&TRenameBtn, "TRenameBtn", "Rename", "Rename Equities in current Account"},
            {&TMenuBtn, "TMenuBtn", "Menu", "Display Menu with more Options"},
            {&TClcAveCst, "TClcAveCst", "Ave Cost", "Calculate Average Costs"},
            {&TArchiveBtn, "TArchiveBtn", "Archived", "Display and Remove Previously Deleted History"},
            {&TTotalBtn, "TTotalBtn", "Total", "Calculate Totals"},
    };
    for (const Button &b : buttons) {
        auto *button = named(new QPushButton(QString::fromLatin1(b.caption), ToolBar1), b.name);
        button->setToolTip(QString::fromLatin1(b.hint));
        button->setFocusPolicy(Qt::TabFocus);
        ToolBar1->addWidget(button);
        *b.slot = button;
    }
    // The busy indicator and the last two buttons keep to the right edge.
    auto *spacer = new QWidget(ToolBar1);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    ToolBar1->addWidget(spacer);
    AniIndicator1 = named(new QProgressBar(ToolBar1), "AniIndicator1");
    AniIndicator1->setRange(0, 0);
    AniIndicator1->setTextVisible(false);
    AniIndicator1->setFixedWidth(60);
    AniIndicator1->setAccessibleName(tr("Busy"));
    m_busyAction = ToolBar1->addWidget(AniIndicator1);
    m_busyAction->setVisible(false);
    THelpBtn = named(new QPushButton(QStringLiteral("Help"), ToolBar1), "THelpBtn");
    ToolBar1->addWidget(THelpBtn);
    TCloseBtn = named(new QPushButton(QStringLiteral("Quit"), ToolBar1), "TCloseBtn");
    ToolBar1->addWidget(TCloseBtn);
}

void TTillwick1::createAccountColumn()
{
    Splitter1 = named(new QSplitter(Qt::Horizontal, this), "Splitter1");
    auto *column = new QWidget(Splitter1);
    auto *columnLayout = new QVBoxLayout(column);
    columnLayout->setContentsMargins(0, 0, 0, 0);
    TreeView1 = named(new QTreeWidget(column), "TreeView1");
    TreeView1->setHeaderHidden(true);
    TreeView1->setAlternatingRowColors(true);
    TreeView1->setContextMenuPolicy(Qt::CustomContextMenu);
    TreeView1->setIconSize(QSize(16, 16));
    TreeView1->setAccessibleName(tr("Accounts"));
    TreeView1->setStyleSheet(QStringLiteral("QTreeView::item { height: 32px; }"));
    columnLayout->addWidget(TreeView1);

    // The account panel stands over the tree; a child of the window, so it can be dragged anywhere.
    Panel1 = panel(this, "Panel1");
    auto *form = new QVBoxLayout(Panel1);
    Label2 = label(QStringLiteral("Enter Account  Number"), Panel1, "Label2");
    Edit1 = editBox(Panel1, "Edit1", QStringLiteral("Enter Account Number"));
    Label4 = label(QStringLiteral("Enter Account Name"), Panel1, "Label4");
    Edit2 = editBox(Panel1, "Edit2", QStringLiteral("Enter Account Name"));
    Label3 = label(QStringLiteral("Enter Account Description"), Panel1, "Label3");
    Edit3 = editBox(Panel1, "Edit3", QStringLiteral("Enter Account Description"));
    Label2->setBuddy(Edit1);
    Label4->setBuddy(Edit2);
    Label3->setBuddy(Edit3);
    for (QWidget *w : {static_cast<QWidget *>(Label2),
                       static_cast<QWidget *>(Edit1),
                       static_cast<QWidget *>(Label4),
                       static_cast<QWidget *>(Edit2),
                       static_cast<QWidget *>(Label3),
                       static_cast<QWidget *>(Edit3)})
        form->addWidget(w);
    auto *buttons = new QHBoxLayout;
    PAddBtn = named(new QPushButton(QStringLiteral("Add"), Panel1), "PAddBtn");
    PSaveBtn = named(new QPushButton(QStringLiteral("Save"), Panel1), "PSaveBtn");
    PCloseBtn = named(new QPushButton(QStringLiteral("Close"), Panel1), "PCloseBtn");
    buttons->addWidget(PAddBtn);
    buttons->addWidget(PSaveBtn);
    buttons->addWidget(PCloseBtn);
    form->addLayout(buttons);
    Panel1->setGeometry(4, 40, 232, 230);
    Panel1->hide();

    column->setMinimumWidth(160);
    Splitter1->addWidget(column);
}

void TTillwick1::createQuotesTab()
{
    TabItem1 = named(new QWidget, "TabItem1");
    auto *layout = new QVBoxLayout(TabItem1);
    layout->setContentsMargins(0, 0, 0, 0);
    StringGrid1 = named(new StringGrid(TabItem1), "StringGrid1");
    StringGrid1->setAccessibleName(tr("Holdings"));
    layout->addWidget(StringGrid1);

    Panel6 = panel(TabItem1, "Panel6");
    auto *form = new QVBoxLayout(Panel6);
    auto *symbolLabel = label(QStringLiteral("Enter Stock / Fund Symbol"), Panel6, "Label6");
    Edit8 = editBox(Panel6, "Edit8", symbolLabel->text());
    auto *nameLabel = label(QStringLiteral("Stock or Mutual Fund Name"), Panel6, "Label7");
    Edit9 = editBox(Panel6, "Edit9", nameLabel->text());
    auto *quantityLabel = label(QStringLiteral("Total Quantity"), Panel6, "Label8");
    Edit10 = editBox(Panel6, "Edit10", quantityLabel->text());
    symbolLabel->setBuddy(Edit8);
    nameLabel->setBuddy(Edit9);
    quantityLabel->setBuddy(Edit10);
    QuoteInputExitBtn = named(new QPushButton(tr("Close"), Panel6), "QuoteInputExitBtn");
    QuoteInputExitBtn->setToolTip(QStringLiteral("Save and Close Window"));
    for (QWidget *w : {static_cast<QWidget *>(symbolLabel),
                       static_cast<QWidget *>(Edit8),
                       static_cast<QWidget *>(nameLabel),
                       static_cast<QWidget *>(Edit9),
                       static_cast<QWidget *>(quantityLabel),
                       static_cast<QWidget *>(Edit10),
                       static_cast<QWidget *>(QuoteInputExitBtn)})
        form->addWidget(w);
    Panel6->resize(260, 250);
    Panel6->hide();
    TabControl1->addTab(TabItem1, QStringLiteral("Quotes"));
}

void TTillwick1::createPurchasesTab()
{
    TabItem2 = named(new QWidget, "TabItem2");
    auto *layout = new QVBoxLayout(TabItem2);
    layout->setContentsMargins(0, 0, 0, 0);
    Splitter2 = named(new QSplitter(Qt::Vertical, TabItem2), "Splitter2");
    StringGrid4 = named(new StringGrid(Splitter2), "StringGrid4");
    StringGrid4->setAccessibleName(tr("Holdings of the account"));
    StringGrid2 = named(new StringGrid(Splitter2), "StringGrid2");
    StringGrid2->setAccessibleName(tr("Purchases, sales and splits"));
    Splitter2->addWidget(StringGrid4);
    Splitter2->addWidget(StringGrid2);
    layout->addWidget(Splitter2);

    Panel5 = panel(TabItem2, "Panel5");
    auto *form = new QGridLayout(Panel5);
    Label13 = label(QStringLiteral("Transaction Quantity"), Panel5, "Label13");
    Edit5 = editBox(Panel5, "Edit5", Label13->text());
    Label14 = label(QStringLiteral("Transaction Price"), Panel5, "Label14");
    Edit6 = editBox(Panel5, "Edit6", Label14->text());
    Label15 = label(QStringLiteral("Transaction Date"), Panel5, "Label15");
    Edit7 = editBox(Panel5, "Edit7", Label15->text());
    Edit7->setToolTip(tr("Double-click to choose the date"));
    Label16 = label(QStringLiteral("Transaction Type"), Panel5, "Label16");
    CMBTRAN = named(new QComboBox(Panel5), "CMBTRAN");
    CMBTRAN->addItems({QStringLiteral("Purchase"), QStringLiteral("Sell"), QStringLiteral("Split")});
    CMBTRAN->setCurrentIndex(0);
    CMBTRAN->setAccessibleName(Label16->text());
    Label13->setBuddy(Edit5);
    Label14->setBuddy(Edit6);
    Label15->setBuddy(Edit7);
    Label16->setBuddy(CMBTRAN);
    CanPurBtn = closeBox(Panel5, "CanPurBtn");
    CanPurBtn->setToolTip(QStringLiteral("Save and Close Information"));
    CanPurBtn->setAccessibleName(CanPurBtn->toolTip());
    form->addWidget(CanPurBtn, 0, 1, Qt::AlignRight);
    int row = 1;
    for (auto [caption, box] : {std::pair<QLabel *, QWidget *>{Label13, Edit5},
                                std::pair<QLabel *, QWidget *>{Label14, Edit6},
                                std::pair<QLabel *, QWidget *>{Label15, Edit7},
                                std::pair<QLabel *, QWidget *>{Label16, CMBTRAN}}) {
        form->addWidget(caption, row++, 0, 1, 2);
        form->addWidget(box, row++, 0, 1, 2);
    }
    Panel5->resize(260, 280);
    Panel5->hide();

    Panel3 = panel(TabItem2, "Panel3");
    auto *calendarLayout = new QGridLayout(Panel3);
    CanPurDteBtn = closeBox(Panel3, "CanPurDteBtn");
    CanPurDteBtn->setToolTip(tr("Close"));
    CanPurDteBtn->setAccessibleName(tr("Close the calendar"));
    Calendar1 = named(new QCalendarWidget(Panel3), "Calendar1");
    Calendar1->setAccessibleName(QStringLiteral("Transaction Date"));
    Calendar1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    CalOKBtn = named(new QPushButton(QStringLiteral("Select"), Panel3), "CalOKBtn");
    CalCloseBtn = named(new QPushButton(QStringLiteral("Close"), Panel3), "CalCloseBtn");
    CalOKBtn->hide();
    CalCloseBtn->hide();
    calendarLayout->addWidget(CanPurDteBtn, 0, 1, Qt::AlignRight);
    calendarLayout->addWidget(Calendar1, 1, 0, 1, 2);
    Panel3->resize(300, 260);
    Panel3->hide();
    TabControl1->addTab(TabItem2, QStringLiteral("Purchases"));
}

void TTillwick1::createHistoryTab()
{
    TabItem3 = named(new QWidget, "TabItem3");
    auto *graphs = new QVBoxLayout(TabItem3);
    graphs->setContentsMargins(0, 0, 0, 0);
    Splitter4 = named(new QSplitter(Qt::Vertical, TabItem3), "Splitter4");
    Splitter5 = named(new QSplitter(Qt::Horizontal, Splitter4), "Splitter5");
    Chart1 = makeChartView(Splitter4, "Chart1", QStringLiteral("Stock Value vs. Date"));
    Chart1->chart()->setBackgroundBrush(QColor(0xF5, 0xF5, 0xF5)); // white smoke
    Chart1->setRubberBand(QChartView::NoRubberBand);
    Chart1->setContextMenuPolicy(Qt::CustomContextMenu);
    Series1 = named(new QLineSeries, "Series1");
    Series1->setColor(QColor::fromRgba(0xFF2323AC));
    Chart1->chart()->addSeries(Series1);
    Chart2 = makeChartView(Splitter5, "Chart2", QStringLiteral("Percent of Total"));
    Series2 = named(new QPieSeries, "Series2");
    Chart2->chart()->addSeries(Series2);
    Chart3 = makeChartView(Splitter5, "Chart3", QStringLiteral("Stock Amounts"));
    Series3 = named(new QBarSeries, "Series3");
    Chart3->chart()->addSeries(Series3);
    Splitter5->addWidget(Chart2);
    Splitter5->addWidget(Chart3);
    Splitter5->setSizes({600, 260});
    Splitter4->addWidget(Chart1);
    Splitter4->addWidget(Splitter5);
    Splitter4->setSizes({260, 300});
    graphs->addWidget(Splitter4);

    Panel4 = panel(TabItem3, "Panel4");
    auto *colourLayout = new QVBoxLayout(Panel4);
    ColorPicker2 = named(new HuePicker(Panel4), "ColorPicker2");
    ColorPicker2->setAccessibleName(tr("Chart background colour"));
    colourLayout->addWidget(ColorPicker2);
    Panel4->resize(260, 60);
    Panel4->hide();
    TabControl1->addTab(TabItem3, QStringLiteral("Graphs"));

    TabItem4 = named(new QWidget, "TabItem4");
    auto *layout = new QVBoxLayout(TabItem4);
    layout->setContentsMargins(0, 0, 0, 0);
    Splitter3 = named(new QSplitter(Qt::Vertical, TabItem4), "Splitter3");
    StringGrid5 = named(new StringGrid(Splitter3), "StringGrid5");
    StringGrid5->setAccessibleName(tr("Holdings"));
    StringGrid3 = named(new StringGrid(Splitter3), "StringGrid3");
    StringGrid3->setAccessibleName(tr("History"));
    Splitter3->addWidget(StringGrid5);
    Splitter3->addWidget(StringGrid3);
    layout->addWidget(Splitter3);
    TabControl1->addTab(TabItem4, QStringLiteral("History"));
}

void TTillwick1::createOptionsTab()
{
    TabItem5 = named(new QWidget, "TabItem5");
    auto *layout = new QHBoxLayout(TabItem5);
    ListBox1 = named(new QListWidget(TabItem5), "ListBox1");
    ListBox1->setAccessibleName(tr("Styles"));
    ListBox1->setFixedWidth(200);
    for (const QString &name : styleNames())
        ListBox1->addItem(name);
    layout->addWidget(ListBox1);

    Panel2 = panel(TabItem5, "Panel2");
    auto *form = new QVBoxLayout(Panel2);
    Label6 = label(QStringLiteral("Select Account to Start:"), Panel2, "Label6");
    CMBSTRTACCNT = named(new QComboBox(Panel2), "CMBSTRTACCNT");
    CMBSTRTACCNT->setToolTip(QStringLiteral("Select Startup Account"));
    CMBSTRTACCNT->setAccessibleName(Label6->text());
    Label6->setBuddy(CMBSTRTACCNT);
    Label7 = label(QStringLiteral("Select Audio File to Play:"), Panel2, "Label7");
    Edit4 = editBox(Panel2, "Edit4", Label7->text());
    Edit4->setToolTip(QStringLiteral("Select Audio File to Play when Quotes Finished."));
    Label7->setBuddy(Edit4);
    Label9 = label(QStringLiteral("Double Click Field Above to Locate File."), Panel2, "Label9");
    for (QWidget *w : {static_cast<QWidget *>(Label6),
                       static_cast<QWidget *>(CMBSTRTACCNT),
                       static_cast<QWidget *>(Label7),
                       static_cast<QWidget *>(Edit4),
                       static_cast<QWidget *>(Label9)})
        form->addWidget(w);

    RDBSave = named(new QGroupBox(QStringLiteral(" Create History Record  on Save or Quote "), Panel2),
                    "RDBSave");
    auto *history = new QVBoxLayout(RDBSave);
    RDHIST1 = named(new QRadioButton(QStringLiteral("Create History Record on Save Button Pressed"), RDBSave),
                    "RDHIST1");
    RDHIST2 = named(
            new QRadioButton(QStringLiteral("Create History Record on Quote Button Pressed"), RDBSave),
            "RDHIST2");
    RDHIST2->setChecked(true);
    history->addWidget(RDHIST1);
    history->addWidget(RDHIST2);
    form->addWidget(RDBSave);

    const auto check = [&](QCheckBox **slot, const char *name, const char *text) {
        *slot = named(new QCheckBox(QString::fromLatin1(text), Panel2), name);
        form->addWidget(*slot);
    };
    check(&CheckBox1, "CheckBox1", "Show Vetical Lines on Grid");
    check(&CheckBox2, "CheckBox2", "Show Horizontal Lines on Grid");
    check(&CHKAUDIOPLY, "CHKAUDIOPLY", "Play Audio File when Stock Quotes Retrieval Complete");
    check(&CheckBox4, "CheckBox4", "Automatically Retrieve Stock Quotes");
    check(&CheckBox5, "CheckBox5", "Display All Accounts on Purchase && History Tabs");
    check(&CHKAVCST, "CHKAVCST", "Calculate Average Cost when Retrieving  Stock Quotes");

    Label8 = label(QStringLiteral("Select Time Interval to Retrieve Stock Quotes:"), Panel2, "Label8");
    CMBTIME = named(new QComboBox(Panel2), "CMBTIME");
    CMBTIME->addItems(quoteIntervalEntries());
    CMBTIME->setCurrentIndex(-1);
    CMBTIME->setAccessibleName(Label8->text());
    Label8->setBuddy(CMBTIME);
    form->addWidget(Label8);
    form->addWidget(CMBTIME);
    ColorPicker1 = named(new HuePicker(Panel2), "ColorPicker1");
    ColorPicker1->setAccessibleName(tr("Grid text colour"));
    ColorPicker1->setToolTip(tr("Grid text colour"));
    form->addWidget(ColorPicker1);

    // Transfer to another copy, and backup and restore, come with their own work.
    auto *transfer = named(new QGroupBox(Panel2), "GRPTRANSFER");
    auto *transferLayout = new QGridLayout(transfer);
    transferLayout->addWidget(
            label(QStringLiteral("Select other Device to Transfer Files:"), transfer, "Label12"), 0, 0, 1, 3);
    auto *users = named(new QComboBox(transfer), "CMBUSERS");
    users->setEditable(true);
    transferLayout->addWidget(users, 1, 0);
    transferLayout->addWidget(named(new QPushButton(QStringLiteral("Find"), transfer), "FindDevBtn"), 1, 1);
    transferLayout->addWidget(named(new QPushButton(QStringLiteral("Send"), transfer), "SendFileBtn"), 1, 2);
    GroupBox1 = named(new QGroupBox(QStringLiteral(" Backup or Restore All Files "), Panel2), "GroupBox1");
    auto *backupLayout = new QHBoxLayout(GroupBox1);
    RDBACKREST1
            = named(new QRadioButton(QStringLiteral("Backup All Tillwick Files"), GroupBox1), "RDBACKREST1");
    RDBACKREST1->setChecked(true);
    RDBACKREST2
            = named(new QRadioButton(QStringLiteral("Restore All Tillwick Files"), GroupBox1), "RDBACKREST2");
    BackRestBtn = named(new QPushButton(QStringLiteral("BackUp"), GroupBox1), "BackRestBtn");
    backupLayout->addWidget(RDBACKREST1);
    backupLayout->addWidget(RDBACKREST2);
    backupLayout->addWidget(BackRestBtn);
    transfer->setEnabled(false);
    form->addWidget(transfer);
    form->addWidget(GroupBox1);
    form->addStretch(1);

    auto *scroll = new QScrollArea(TabItem5);
    scroll->setWidget(Panel2);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    layout->addWidget(scroll, 1);
    TabControl1->addTab(TabItem5, QStringLiteral("Options"));
}

void TTillwick1::createTabs()
{
    TabControl1 = named(new QTabWidget(Splitter1), "TabControl1");
    TabControl1->setTabPosition(QTabWidget::South);
    createQuotesTab();
    createPurchasesTab();
    createHistoryTab();
    createOptionsTab();
    Splitter1->addWidget(TabControl1);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({240, 1085});
}

void TTillwick1::createStatusBar()
{
    StatusBar1 = named(new QStatusBar(this), "StatusBar1");
    StatusBar1->setFixedHeight(30);
    StatusBar1->setSizeGripEnabled(false);
    setStatusBar(StatusBar1);
    QFont big = font();
    big.setPointSize(14);
    for (auto [slot, name] : {std::pair{&Label5, "Label5"},
                              std::pair{&Label10, "Label10"},
                              std::pair{&Label11, "Label11"},
                              std::pair{&Label20, "Label20"}}) {
        *slot = label(QString(), StatusBar1, name);
        (*slot)->setFont(big);
        (*slot)->hide();
        // A long text is cut at the window's edge instead of widening the window.
        (*slot)->setMinimumWidth(1);
        (*slot)->installEventFilter(this); // its whole text as a tip
        StatusBar1->addWidget(*slot, *slot == Label11 ? 1 : 0);
    }
    Label1 = label(QString(), StatusBar1, "Label1");
    Label1->setFont(big);
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    StatusBar1->addPermanentWidget(Label1);
}

void TTillwick1::createMenus()
{
    MainMenu1 = named(new QMenuBar(this), "MainMenu1");
    setMenuBar(MainMenu1);
    QMenu *file = MainMenu1->addMenu(QStringLiteral("&File"));
    MenuItem7 = named(file->addAction(QStringLiteral("Quit")), "MenuItem7");
    MenuItem7->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    PopupMenu1 = named(new QMenu(this), "PopupMenu1");
    pmnuAddNew = named(PopupMenu1->addAction(QStringLiteral("Add New Account")), "pmnuAddNew");
    pmnuEdit = named(PopupMenu1->addAction(QStringLiteral("Edit Account Information")), "pmnuEdit");
    pmnuDelete = named(PopupMenu1->addAction(QStringLiteral("Delete Account")), "pmnuDelete");
    PopupMenu1->addSeparator();
    pmnuMerge = named(PopupMenu1->addAction(QStringLiteral("Merge Accounts")), "pmnuMerge");
    pmnuPrint = named(PopupMenu1->addAction(QStringLiteral("Print Accounts")), "pmnuPrint");
    PopupMenu1->addSeparator();
    pmnuExpand = named(PopupMenu1->addAction(QStringLiteral("Expand Account View")), "pmnuExpand");
    pmnuCollapse = named(PopupMenu1->addAction(QStringLiteral("Collapse Account View")), "pmnuCollapse");

    PopupMenu2 = named(new QMenu(this), "PopupMenu2");
    pmnuDelete1 = named(PopupMenu2->addAction(QStringLiteral("Delete Stock")), "pmnuDelete1");
    pmnuDeleteAll1
            = named(PopupMenu2->addAction(QStringLiteral("Delete All Stocks from List")), "pmnuDeleteAll1");
    pmnuAddRow = named(PopupMenu2->addAction(QStringLiteral("Add New Row")), "pmnuAddRow");
    pmnuDashes = named(PopupMenu2->addAction(QString(37, QLatin1Char('-'))), "pmnuDashes");
    pmnuSymbol = named(PopupMenu2->addAction(QStringLiteral("Sort by Symbol")), "pmnuSymbol");
    pmnuSortName = named(PopupMenu2->addAction(QStringLiteral("Sort by Name")), "pmnuSortName");
    pmnuSortPrice = named(PopupMenu2->addAction(QStringLiteral("Sort by Price")), "pmnuSortPrice");
    pmnuSortCost = named(PopupMenu2->addAction(QStringLiteral("Sort by Ave. Cost")), "pmnuSortCost");
    pmnuSortAmt = named(PopupMenu2->addAction(QStringLiteral("Sort by Amount")), "pmnuSortAmt");
    pmnuprchDate = named(PopupMenu2->addAction(QStringLiteral("Sort by Purchase Date")), "pmnuprchDate");

    PopupMenu3 = named(new QMenu(this), "PopupMenu3");
    pmnuPurchase = named(PopupMenu3->addAction(QStringLiteral("Purchase")), "pmnuPurchase");
    pmnuSell = named(PopupMenu3->addAction(QStringLiteral("Sell")), "pmnuSell");
    pmnuSplit = named(PopupMenu3->addAction(QStringLiteral("Split")), "pmnuSplit");
    PopupMenu3->addSeparator();
    pmnuDate = named(PopupMenu3->addAction(QStringLiteral("Select Transaction Date")), "pmnuDate");
    PopupMenu4 = named(new QMenu(this), "PopupMenu4");
    pmnuAll = named(PopupMenu4->addAction(QStringLiteral("Show All in Account")), "pmnuAll");
    pmnuCurrent = named(PopupMenu4->addAction(QStringLiteral("Show Current Stock")), "pmnuCurrent");
    pmnuHistFilter = named(PopupMenu4->addAction(QStringLiteral("Filter by Date Range")), "pmnuHistFilter");
    // The chart colour item is built but kept out of sight.
    MenuItem5 = named(PopupMenu4->addSeparator(), "MenuItem5");
    MenuItem5->setVisible(false);
    pmnuChangeColor = named(PopupMenu4->addAction(QStringLiteral("Change Color")), "pmnuChangeColor");
    pmnuChangeColor->setVisible(false);
}

void TTillwick1::makeArrowPictures()
{
    const auto arrow = [](bool up, const QColor &colour) {
        QPixmap picture(16, 16);
        picture.fill(Qt::transparent);
        QPainter p(&picture);
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath path;
        if (up) {
            path.moveTo(8, 2);
            path.lineTo(14, 10);
            path.lineTo(10, 10);
            path.lineTo(10, 14);
            path.lineTo(6, 14);
            path.lineTo(6, 10);
            path.lineTo(2, 10);
        } else {
            path.moveTo(8, 14);
            path.lineTo(14, 6);
            path.lineTo(10, 6);
            path.lineTo(10, 2);
            path.lineTo(6, 2);
            path.lineTo(6, 6);
            path.lineTo(2, 6);
        }
        path.closeSubpath();
        p.fillPath(path, colour);
        return picture;
    };
    Image1 = arrow(true, QColor(0x1e, 0x9e, 0x3a));
    Image2 = arrow(false, QColor(0xd0, 0x30, 0x30));
}
