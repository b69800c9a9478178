#include "help/HelpWin.h"

#include "app/Tillwick.h"
#include "app/Windows.h"
#include "help/HelpText.h"

#include <QDesktopServices>
#include <QEvent>
#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QUrl>
#include <QVBoxLayout>

#include <array>

namespace {

// The contents list in display order, with the section each entry shows. "Reports" stands
// above "Options" although its section comes after.
struct ContentsEntry
{
    const char *text;
    int section;
};
constexpr std::array<ContentsEntry, 7> kContents{{
        {"Quotes", 1},
        {"Purchases", 2},
        {"Graphs", 3},
        {"History", 4},
        {"Reports", 6},
        {"Options", 5},
        {"About", 9},
}};
constexpr int kAboutSection = 9;

int entryOfSection(int section)
{
    for (int row = 0; row < int(kContents.size()); ++row) {
        if (kContents[row].section == section)
            return row;
    }
    return -1;
}

std::function<void(const QUrl &)> &urlOpener()
{
    static std::function<void(const QUrl &)> opener;
    return opener;
}

void openUrl(const QUrl &url)
{
    if (urlOpener())
        urlOpener()(url);
    else
        QDesktopServices::openUrl(url); // a page that does not open is no reason to stop
}

} // namespace

THelpWin1::THelpWin1(TTillwick1 *main)
    : QDialog(main)
    , m_main(main)
{
    setObjectName(QStringLiteral("HelpWin1"));
    setWindowTitle(QStringLiteral("Help with Tillwick"));
    resize(450, 400);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    ToolBar1 = new QFrame(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setFixedHeight(40);
    const auto toolButton = [this](const char *name, const QString &text, int x, int width) {
        auto *button = new QPushButton(text, ToolBar1);
        button->setObjectName(QLatin1String(name));
        button->setAutoDefault(false); // Enter in the window must not step through the help
        button->setGeometry(x, 10, width, qMin(button->sizeHint().height(), 28));
        return button;
    };
    PreviousBtn = toolButton("PreviousBtn", QStringLiteral("Previous"), 12, 80);
    NextBtn = toolButton("NextBtn", QStringLiteral("Next"), 185, 80);
    ContentBtn = toolButton("ContentBtn", QStringLiteral("Contents"), 328, 107);
    layout->addWidget(ToolBar1);

    Memo1 = new QTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setToolTip(QStringLiteral("Double Click to Enlarge Words"));
    Memo1->setAccessibleName(tr("Help text"));
    layout->addWidget(Memo1);

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setAccessibleName(tr("Contents"));
    for (const ContentsEntry &entry : kContents) {
        auto *item = new QListWidgetItem(QLatin1String(entry.text), ListBox1);
        item->setTextAlignment(Qt::AlignCenter);
    }
    ListBox1->setGeometry(0, ToolBar1->height(), 131, 135);
    ListBox1->hide();

    // Takes the focus on showing, so the text shows no cursor.
    Edit1 = new QLineEdit(QStringLiteral("A"), this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(0, 0, 1, 1);

    Memo2 = helpTextLines();

    Memo1->ensurePolished();
    m_memoPointSize = QFontInfo(Memo1->font()).pointSizeF();

    connect(PreviousBtn, &QPushButton::clicked, this, &THelpWin1::PreviousBtnClick);
    connect(NextBtn, &QPushButton::clicked, this, &THelpWin1::NextBtnClick);
    connect(ContentBtn, &QPushButton::clicked, this, &THelpWin1::ContentBtnClick);
    connect(ListBox1, &QListWidget::itemClicked, this, &THelpWin1::ListBox1ItemClick);
    Memo1->viewport()->installEventFilter(this);

    FormCreate();
}

void THelpWin1::showHelp(TTillwick1 *main)
{
    if (!main)
        return;
    // HELPWIN_FLG and HelpWin1 go together: creating the window sets the flag.
    if (!main->HELPWIN_FLG || !HelpWin1)
        HelpWin1 = new THelpWin1(main);
    // Already visible: only brought forward, and a request flag waits for the next showing.
    HelpWin1->show();
    HelpWin1->raise();
    HelpWin1->activateWindow();
}

void THelpWin1::setUrlOpener(std::function<void(const QUrl &)> opener)
{
    urlOpener() = std::move(opener);
}

void THelpWin1::ShowSection(int section)
{
    const HelpSectionRange range = helpSectionRange(section);
    if (range.last < range.first)
        return;
    Memo1->clear();
    Memo1->setPlainText(Memo2.mid(range.first, range.last - range.first + 1).join(QLatin1Char('\n')));
    QTextCursor all(Memo1->document());
    all.select(QTextCursor::Document);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    all.mergeBlockFormat(centred);
    applyMemoLook();
    Memo1->viewport()->update();
    ListBox1->setCurrentRow(entryOfSection(section));
}

void THelpWin1::ChooseSection()
{
    int section = 1;
    if (m_main->FRMRENM_FLG) {
        section = 8;
    } else if (m_main->FRMMRGE_FLG) {
        section = 7;
    } else if (m_main->FRMPRNT_FLG) {
        section = 6;
    } else {
        const std::array<QWidget *, 5> tabs{
                m_main->TabItem1, m_main->TabItem2, m_main->TabItem3, m_main->TabItem4, m_main->TabItem5};
        const QWidget *current = m_main->TabControl1 ? m_main->TabControl1->currentWidget() : nullptr;
        for (int i = 0; i < int(tabs.size()); ++i) {
            if (tabs[i] && tabs[i] == current)
                section = i + 1;
        }
    }
    ShowSection(section);
    m_main->FRMRENM_FLG = false;
    m_main->FRMMRGE_FLG = false;
    m_main->FRMPRNT_FLG = false;
}

// The look comes from the program-wide style sheet, so there is nothing to copy from the main
// window here.
void THelpWin1::FormCreate()
{
    m_main->HELPWIN_FLG = true;
    move(m_main->pos());
    ListBox1->setCurrentRow(0);
}

void THelpWin1::FormShow()
{
    ChooseSection();
    Edit1->setFocus();
    applyMemoLook();
    Memo1->viewport()->update();
}

void THelpWin1::FormPaint()
{
    applyMemoLook();
}

void THelpWin1::FormResize()
{
    ContentBtn->move(width() - ContentBtn->width() - 30, ContentBtn->y());
    NextBtn->move(qRound(width() / 2.0) - qRound(NextBtn->width() / 2.0) - 9, NextBtn->y());
}

void THelpWin1::FormClose()
{
    hide();
}

void THelpWin1::PreviousBtnClick()
{
    const int row = ListBox1->currentRow();
    if (row > 0)
        showEntry(row - 1);
}

void THelpWin1::NextBtnClick()
{
    const int row = ListBox1->currentRow();
    if (row < 0)
        showEntry(0);
    else if (row + 1 < ListBox1->count())
        showEntry(row + 1);
}

void THelpWin1::ContentBtnClick()
{
    if (ListBox1->isVisible()) {
        ListBox1->hide();
        ContentBtn->setText(QStringLiteral("Contents"));
    } else {
        ContentBtn->setText(QStringLiteral("Contents Off"));
        ListBox1->show();
        ListBox1->raise();
    }
}

void THelpWin1::Memo1DblClick()
{
    m_memoPointSize += 1;
    applyMemoLook();
}

void THelpWin1::ListBox1ItemClick(QListWidgetItem *item)
{
    const int row = ListBox1->row(item);
    if (row < 0)
        return;
    if (kContents[row].section == kAboutSection) {
        for (const QString &page : helpAboutPages())
            openUrl(QUrl(page));
    }
    showEntry(row);
}

void THelpWin1::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // A window coming back from the task bar is not a new request for help.
    if (!event->spontaneous())
        FormShow();
}

void THelpWin1::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    FormResize();
}

void THelpWin1::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    FormPaint();
}

void THelpWin1::closeEvent(QCloseEvent *event)
{
    FormClose();
    QDialog::closeEvent(event);
}

bool THelpWin1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Memo1->viewport() && event->type() == QEvent::MouseButtonDblClick)
        Memo1DblClick();
    return QDialog::eventFilter(watched, event);
}

void THelpWin1::showEntry(int row)
{
    ShowSection(kContents[row].section);
}

// Memo1 takes Edit1's text colour, which the style decides; both it and the text size go into Memo1's own
// style sheet, which outranks whatever the program's style says about text boxes.
void THelpWin1::applyMemoLook()
{
    Edit1->ensurePolished();
    const QColor colour = Edit1->palette().color(QPalette::Text);
    const QString sheet = QStringLiteral("QTextEdit { color: %1; font-size: %2pt; }")
                                  .arg(colour.name())
                                  .arg(m_memoPointSize);
    if (sheet == m_memoSheet)
        return;
    m_memoSheet = sheet;
    Memo1->setStyleSheet(sheet);
}
