#pragma once

#include "data/DataFiles.h"
#include "quotes/HttpRequest.h"

#include <QColor>
#include <QDateTime>
#include <QMainWindow>
#include <QPixmap>
#include <QString>

class HttpClient;
class QBarSeries;
class QChartView;
class QLineSeries;
class QPieSeries;
class QAction;
class QAudioOutput;
class QCalendarWidget;
class QCheckBox;
class QGroupBox;
class QMediaPlayer;
class QRadioButton;
class HuePicker;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QMenuBar;
class QProgressBar;
class QPushButton;
class QSplitter;
class QStatusBar;
class QTabWidget;
class QTimer;
class QToolBar;
class QTreeWidget;
class QWidget;
class StringGrid;
class TableStore;
class FieldBinder;

// The main window: tool bar, account tree, the five tabs, status bar, entry panels, and every
// table store of the program. Its handlers live in the folders of their subsystems.
class TTillwick1 : public QMainWindow
{
    Q_OBJECT

public:
    explicit TTillwick1(QWidget *parent = nullptr);
    ~TTillwick1() override;

    // Closes every store, writing what is not yet written.
    void closeAllStores();

    // Tool bar, left to right.
    QToolBar *ToolBar1 = nullptr;
    QPushButton *TNewBtn = nullptr;
    QPushButton *TSaveBtn = nullptr;
    QPushButton *TAddRowBtn = nullptr;
    QPushButton *TDelBtn = nullptr;
    QPushButton *TQuoteBtn = nullptr;
    QPushButton *TSinglQtBtn = nullptr;
    QPushButton *TAllQtBtn = nullptr;
    QPushButton *TUpBtn = nullptr;
    QPushButton *TDwnBtn = nullptr;
    QPushButton *TSortBtn = nullptr;
    QPushButton *TPrintBtn = nullptr;
    QPushButton *TMergeBtn = nullptr;
    QPushButton *TRenameBtn = nullptr;
    QPushButton *TMenuBtn = nullptr;
    QPushButton *TClcAveCst = nullptr;
    QPushButton *TArchiveBtn = nullptr;
    QPushButton *TTotalBtn = nullptr;
    QProgressBar *AniIndicator1 = nullptr;
    QPushButton *THelpBtn = nullptr;
    QPushButton *TCloseBtn = nullptr;

    // Account tree and its panel.
    QSplitter *Splitter1 = nullptr;
    QTreeWidget *TreeView1 = nullptr;
    QMenu *PopupMenu1 = nullptr;
    QAction *pmnuAddNew = nullptr;
    QAction *pmnuEdit = nullptr;
    QAction *pmnuDelete = nullptr;
    QAction *pmnuMerge = nullptr;
    QAction *pmnuPrint = nullptr;
    QAction *pmnuExpand = nullptr;
    QAction *pmnuCollapse = nullptr;
    QFrame *Panel1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QLineEdit *Edit2 = nullptr;
    QLineEdit *Edit3 = nullptr;
    QPushButton *PAddBtn = nullptr;
    QPushButton *PSaveBtn = nullptr;
    QPushButton *PCloseBtn = nullptr;

    // Tabs.
    QTabWidget *TabControl1 = nullptr;
    QWidget *TabItem1 = nullptr;
    QWidget *TabItem2 = nullptr;
    QWidget *TabItem3 = nullptr;
    QWidget *TabItem4 = nullptr;
    QWidget *TabItem5 = nullptr;

    // Quotes tab.
    StringGrid *StringGrid1 = nullptr;
    QMenu *PopupMenu2 = nullptr;
    QAction *pmnuDelete1 = nullptr;
    QAction *pmnuDeleteAll1 = nullptr;
    QAction *pmnuAddRow = nullptr;
    QAction *pmnuDashes = nullptr;
    QAction *pmnuSymbol = nullptr;
    QAction *pmnuSortName = nullptr;
    QAction *pmnuSortPrice = nullptr;
    QAction *pmnuSortCost = nullptr;
    QAction *pmnuSortAmt = nullptr;
    QAction *pmnuprchDate = nullptr;
    QFrame *Panel6 = nullptr;
    QLineEdit *Edit8 = nullptr;
    QLineEdit *Edit9 = nullptr;
    QLineEdit *Edit10 = nullptr;
    QPushButton *QuoteInputExitBtn = nullptr;

    // Purchases tab.
    QSplitter *Splitter2 = nullptr;
    StringGrid *StringGrid4 = nullptr;
    StringGrid *StringGrid2 = nullptr;
    QMenu *PopupMenu3 = nullptr;
    QAction *pmnuPurchase = nullptr;
    QAction *pmnuSell = nullptr;
    QAction *pmnuSplit = nullptr;
    QAction *pmnuDate = nullptr;
    QFrame *Panel5 = nullptr;
    QLabel *Label13 = nullptr;
    QLabel *Label14 = nullptr;
    QLabel *Label15 = nullptr;
    QLabel *Label16 = nullptr;
    QLineEdit *Edit5 = nullptr;
    QLineEdit *Edit6 = nullptr;
    QLineEdit *Edit7 = nullptr;
    QComboBox *CMBTRAN = nullptr;
    QPushButton *CanPurBtn = nullptr;
    QFrame *Panel3 = nullptr;
    QCalendarWidget *Calendar1 = nullptr;
    QPushButton *CalOKBtn = nullptr;
    QPushButton *CalCloseBtn = nullptr;
    QPushButton *CanPurDteBtn = nullptr;

    // Graphs tab.
    QSplitter *Splitter4 = nullptr;
    QSplitter *Splitter5 = nullptr;
    QChartView *Chart1 = nullptr;
    QChartView *Chart2 = nullptr;
    QChartView *Chart3 = nullptr;
    QLineSeries *Series1 = nullptr;
    QPieSeries *Series2 = nullptr;
    QBarSeries *Series3 = nullptr;
    QMenu *PopupMenu4 = nullptr;
    QAction *pmnuAll = nullptr;
    QAction *pmnuCurrent = nullptr;
    QAction *pmnuHistFilter = nullptr;
    QAction *MenuItem5 = nullptr;
    QFrame *Panel4 = nullptr;

    // History tab.
    QSplitter *Splitter3 = nullptr;
    StringGrid *StringGrid5 = nullptr;
    StringGrid *StringGrid3 = nullptr;

    // Options tab.
    QListWidget *ListBox1 = nullptr;
    QFrame *Panel2 = nullptr;
    QLabel *Label6 = nullptr;
    QComboBox *CMBSTRTACCNT = nullptr;
    QLabel *Label7 = nullptr;
    QLineEdit *Edit4 = nullptr;
    QLabel *Label9 = nullptr;
    QGroupBox *RDBSave = nullptr;
    QRadioButton *RDHIST1 = nullptr;
    QRadioButton *RDHIST2 = nullptr;
    QCheckBox *CheckBox1 = nullptr;
    QCheckBox *CheckBox2 = nullptr;
    QCheckBox *CHKAUDIOPLY = nullptr;
    QCheckBox *CheckBox4 = nullptr;
    QCheckBox *CheckBox5 = nullptr;
    QCheckBox *CHKAVCST = nullptr;
    QLabel *Label8 = nullptr;
    QComboBox *CMBTIME = nullptr;
    HuePicker *ColorPicker1 = nullptr;
    QGroupBox *GroupBox1 = nullptr;
    QRadioButton *RDBACKREST1 = nullptr;
    QRadioButton *RDBACKREST2 = nullptr;
    QPushButton *BackRestBtn = nullptr;
    QString WKFOLDER;

    // Graphs tab colour panel.
    HuePicker *ColorPicker2 = nullptr;
    QAction *pmnuChangeColor = nullptr;

    QMediaPlayer *MediaPlayer1 = nullptr;
    QAudioOutput *AudioOutput1 = nullptr;

    // Status bar.
    QStatusBar *StatusBar1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label10 = nullptr;
    QLabel *Label11 = nullptr;
    QLabel *Label20 = nullptr;

    // Main menu.
    QMenuBar *MainMenu1 = nullptr;
    QAction *MenuItem7 = nullptr;

    QTimer *Timer1 = nullptr;
    QPixmap Image1; // up arrow of a holding line
    QPixmap Image2; // down arrow

    // Table stores (the files they work on are fixed when they are opened).
    TableStore *ClientDataSet1 = nullptr;  // holdings, Summary.cds
    TableStore *ClientDataSet2 = nullptr;  // transactions, Purchases.cds
    TableStore *ClientDataSet3 = nullptr;  // history, History.cds
    TableStore *ClientDataSet4 = nullptr;  // accounts, Accounts.cds
    TableStore *ClientDataSet5 = nullptr;  // options, Options.cds
    TableStore *ClientDataSet6 = nullptr;  // second summary view, Summary.cds
    TableStore *ClientDataSet7 = nullptr;  // SrchCodes.cds, never opened
    TableStore *ClientDataSet8 = nullptr;  // history archive, HistoryArcv.cds
    TableStore *ClientDataSet10 = nullptr; // scratch table of a restore

    // Hidden text buffers.
    QString Memo1;
    QString Memo12;

    // Quote pages: the markers, the one HTTP layer and its last answer.
    QString SRCHSTCK1;
    QString SRCHSTCK2;
    QString SRCHMUTFD1;
    QString SRCHMUTFD2;
    HttpClient *NetHTTP1 = nullptr;
    HttpResult LRESPONSE;
    bool RENMPRMPT_FLG = false;

    // Shared state.
    bool FIRSTTIME_FLG = true;
    QString CURRENT_ACCOUNT;
    QString FIRST_ACCOUNT;
    QString ROOTPATH;
    QString FILE_DELIM;
    QChar FILE_DELIM2;
    QString HELPPATH;
    QString STYLE_PATH;
    QString STYLE_NAME = QStringLiteral("Air");
    int STYLE_INDEX = 0;
    QColor FONT_COLOR = QColor(255, 255, 255);
    QString FOCUSEDCONTROL = QStringLiteral("StringGrid1");
    bool SAVETOFILE_FLG = false;
    bool ADD_FLG = false;
    QString MESSAGEWIN_MSG;
    bool CANCEL_FLG = false;
    bool USE_TIMER_FLG = false;
    int TIMER_INTERVAL = 0;
    int WINLEFT = 0;
    int WINTOP = 0;
    int WINHEIGHT = 0;
    int WINWIDTH = 0;
    double WKACCNTOT = 0;
    double WKTOTAL1 = 0;
    double WKTOTAL2 = 0;
    double WKTOTAL3 = 0;
    double WKTOTAL4 = 0;
    QString WKTRANSACTION = QStringLiteral("Purchase");
    QString WKFRSTTRANDATE;
    bool GRPHALL_FLG = true;
    QString GRPHACCNT;
    QString GRPHSYMBL;
    bool SKIP_FLG = false;
    bool ALLQUOTES_FLG = false;
    bool MAC2_FLG = false;
    int TIME_ACCUM = 0;
    qint64 TIME1 = 0; // seconds since the epoch, by clock()
    bool HELPWIN_FLG = false;
    bool FRMPRNT_FLG = false;
    bool FRMMRGE_FLG = false;
    bool FRMRENM_FLG = false;

    // Button groups.
    void EnableRowButtons();
    void DisableRowButtons();
    void EnableAllButtons();
    void DisableEditButtons();

    // Opening the tables with this window's stores and paths.
    DataPaths paths() const;
    bool OpenDataFile();
    bool OpenDataFile2();
    bool OpenDataFile3();
    bool OpenDataFile8();
    bool OpenAccountsFile();
    bool OpenOptionsFile();

    // Account tree.
    void BuildAccountTree();
    void AddHoldingLines();
    void AddHoldingLine();
    int FindAccountLine(const QString &number) const;
    int SelectedAccountLine() const;
    // Chooses the line-th account line as a click would.
    void selectAccountLine(int line);
    void StartNewAccount();

    // Holdings grid layouts.
    void SetupGrid1();
    void SetupGrid2();
    void SetupGrid3();
    void SetupGrid4();
    void SetupGrid5();
    void SetupAllGrids();

    // Totals.
    void CalcAccountTotals(const QString &account);

    // Transactions, average cost and history.
    // Recomputes the quantity and average cost of the holding whose transactions the transactions
    // table shows; false when a store refused the change.
    bool CalcAveCost();
    // Average costs of every holding the holdings table shows, without writing Summary.cds.
    bool CalcAccountAveCosts();
    void AddHistoryRecord();
    // Copies every history record into HistoryArcv.cds; false (with a message) when it could not.
    bool ArchiveHistory();

    // Options and appearance.
    void LoadOptions();
    void SaveOptions();
    bool ApplyOptions();
    void ApplyDisplayAll();
    void ApplyGridFontColor();
    void StyleFontColor();
    // Loads the chosen style; when report is set a failure is told to the user.
    bool LoadStyleFile(bool report = true);

    // Backup and restore of the four account files.
    void BackupFiles();
    void RestoreFiles();
    void WriteBackupFiles();
    void ReadBackupFiles();

    // Quote page markers.
    bool FetchSearchCodes();
    void LoadSearchCodes();

    // Quote runs.
    bool isQuoteRunning() const { return m_quoteRunning; }
    bool isRetrievingNames() const { return m_retrievingNames; }
    void setRetrievingNames(bool on) { m_retrievingNames = on; }
    // How many holdings' pages a run fetches ahead at once (1: one at a time).
    void setQuoteConcurrency(int lookups) { m_quoteConcurrency = lookups; }
    // The clock the automatic quote counts with; tests replace it.
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }
    QDateTime clock() const { return m_clock ? m_clock() : QDateTime::currentDateTime(); }

    // Asks through the confirmation window; true when the user answered "OK".
    bool confirm(const QString &text);

public slots:
    // Start-up and shutdown.
    void FormCreate();
    void LoadAllTables();
    void FormShow();
    void TabControl1Change();
    void TMenuBtnClick();
    void FormResize();
    void TCloseBtnClick();
    void MenuItem7Click();
    bool FormCloseQuery();
    void FormClose();
    void Timer1Timer();

    // Account tree.
    void TreeView1Click();
    void TNewBtnClick();
    void pmnuAddNewClick();
    void PSaveBtnClick();
    void PCloseBtnClick();
    void pmnuEditClick();
    void pmnuDeleteClick();
    void pmnuExpandClick();
    void pmnuCollapseClick();
    void ClientDataSet1AfterPost();
    void TMergeBtnClick();
    void TArchiveBtnClick();

    // Holdings grid.
    void ClientDataSet1NewRecord();
    void ClientDataSet1BeforePost();
    void StringGrid1Click();
    void StringGrid1CellClick(int Column);
    void StringGrid1EditingDone(int ACol, int ARow);
    void StringGrid1DragDrop(QWidget *panel, const QPoint &at);
    void TAddRowBtnClick();
    void QuoteInputExitBtnClick();
    void TUpBtnClick();
    void TDwnBtnClick();
    void TSortBtnClick();
    void pmnuSymbolClick();
    void pmnuSortNameClick();
    void pmnuSortPriceClick();
    void pmnuSortCostClick();
    void pmnuSortAmtClick();
    void pmnuprchDateClick();
    void TDelBtnClick();
    void pmnuDeleteAll1Click();
    void TSaveBtnClick();

    // Quotes.
    void TQuoteBtnClick();
    void TSinglQtBtnClick();
    void TAllQtBtnClick();
    void TRenameBtnClick();

    // Totals.
    void TTotalBtnClick();
    void TClcTotBtnClick();

    // Options and appearance.
    void ListBox1ItemClick();
    void CheckBox1Change();
    void CheckBox2Change();
    void RDHIST1Click();
    void RDHIST2Click();
    void Edit4DblClick();
    void ColorPicker1Click();
    void pmnuChangeColorClick();
    void ColorPicker2DblClick();
    void Panel4DblClick();

    // Backup and restore.
    void RDBACKREST1Change();
    void RDBACKREST2Change();
    void BackRestBtnClick();

    // Help.
    void THelpBtnClick();

    // Purchases and History tabs: the holding chosen in their upper grids.
    void StringGrid4Click();
    void StringGrid5Click();

    // Purchases tab.
    void ClientDataSet2NewRecord();
    void ClientDataSet2BeforePost();
    void ClientDataSet2AfterPost();
    void StringGrid2Click();
    void pmnuPurchaseClick();
    void pmnuSellClick();
    void pmnuSplitClick();
    void pmnuDateClick();
    void Edit7DblClick();
    void Calendar1DateSelected();
    void CalOKBtnClick();
    void CanPurDteBtnClick();
    void CalCloseBtnClick();
    void CMBTRANChange();
    void CanPurBtnClick();
    void TClcAveCstClick();

    // Graphs tab.
    void ChartSetup();
    void pmnuAllClick();
    void pmnuCurrentClick();
    void pmnuHistFilterClick();

    // History tab.
    void ClientDataSet3BeforePost();
    void StringGrid3Click();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createStores();
    void createToolBar();
    void createAccountColumn();
    void createTabs();
    void createQuotesTab();
    void createPurchasesTab();
    void createHistoryTab();
    void createOptionsTab();
    void createStatusBar();
    void createMenus();
    void connectHandlers();
    void sortHoldings(const QString &order);
    void filterTransactionsToHolding();
    void startTransaction();
    void setTransactionType(const QString &type);
    void takeCalendarDate();
    void deleteTransaction();
    void deleteHistory();
    int findHolding(const TableStore *store, const QString &account, const QString &symbol) const;
    // The store and row of the holding the current transaction belongs to; no store when it is
    // not shown. And one field of it, invalid then.
    std::pair<const TableStore *, int> transactionHolding() const;
    QVariant transactionHoldingValue(const QString &field) const;
    void setRowButtonsEnabled(bool enabled);
    void makeArrowPictures();
    void placePurchasePanels();
    void setQuoteControlsEnabled(bool enabled);
    bool refusedDuringQuoteRun();
    void quoteAccount();

    FieldBinder *m_edit8Binder = nullptr;
    FieldBinder *m_edit9Binder = nullptr;
    FieldBinder *m_edit10Binder = nullptr;
    QList<FieldBinder *> m_transactionBinders;
    QList<FieldBinder *> m_entryBinders; // every entry-panel box, of both panels
    QAction *m_busyAction = nullptr;     // shows the busy indicator in the tool bar
    bool m_quoteRunning = false;
    bool m_singleQuoteRunning = false;
    bool m_retrievingNames = false;
    int m_quoteConcurrency = 6;
    std::function<QDateTime()> m_clock;
    bool m_shown = false;
    bool m_closed = false;
};
