#include "quotes/Rename.h"

#include "app/Tillwick.h"
#include "app/WidgetHelpers.h"
#include "app/Windows.h"
#include "binding/StringGrid.h"
#include "data/TableStore.h"
#include "help/HelpWin.h"
#include "quotes/HttpClient.h"
#include "quotes/NameLookup.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

TReName1::TReName1(TTillwick1 *main)
    : QDialog(main)
    , m_main(main)
{
    setObjectName(QStringLiteral("ReName1"));
    setWindowTitle(QStringLiteral(" Retrieve Names for Stocks and Funds"));
    resize(420, 200);

    auto *layout = new QVBoxLayout(this);
    GroupBox1 = named(new QGroupBox(QStringLiteral(" Replace Stock or Fund Names "), this), "GroupBox1");
    auto *choices = new QVBoxLayout(GroupBox1);
    RDName1 = named(new QRadioButton(QStringLiteral(" Replace only Blank Stock Names"), GroupBox1),
                    "RDName1");
    RDName2 = named(
            new QRadioButton(QStringLiteral(" Replace All Stock and Fund Names for Account"), GroupBox1),
            "RDName2");
    RDName1->setChecked(true);
    choices->addWidget(RDName1);
    choices->addWidget(RDName2);
    layout->addWidget(GroupBox1);

    OKBtn = named(new QPushButton(QStringLiteral("OK"), this), "OKBtn");
    CloseBtn = named(new QPushButton(QStringLiteral("Close"), this), "CloseBtn");
    HelpBtn = named(new QPushButton(QStringLiteral("Help"), this), "HelpBtn");
    layout->addLayout(rightAlignedRow({OKBtn, CloseBtn, HelpBtn}));

    connect(OKBtn, &QPushButton::clicked, this, &TReName1::OKBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &TReName1::CloseBtnClick);
    connect(HelpBtn, &QPushButton::clicked, this, &TReName1::HelpBtnClick);
    FormCreate();
}

void TReName1::FormCreate()
{
    // The program's style sheet is set on the application, so this window has it already.
    m_main->RENMPRMPT_FLG = true;
}

void TReName1::FormShow() {}

void TReName1::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TReName1::OKBtnClick()
{
    RetrieveNames();
}

void TReName1::CloseBtnClick()
{
    close();
}

void TReName1::HelpBtnClick()
{
    Tillwick1->FRMRENM_FLG = true;
    THelpWin1::showHelp(Tillwick1);
}

void TReName1::RetrieveNames()
{
    TTillwick1 *w = m_main;
    if (w->isQuoteRunning() || w->isRetrievingNames())
        return;
    w->setRetrievingNames(true);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    w->TQuoteBtn->setEnabled(false);
    QGuiApplication::processEvents();

    w->ClientDataSet6->setIndexFieldNames(QStringLiteral("AccountNo;Symbol"));
    TableStore &s = *w->ClientDataSet1;
    const NameSource source = NameSource::fromEnvironment();
    // The holdings are taken first, so a name always goes to the holding whose symbol was sent.
    QList<QVariant> ids;
    for (int row = 0; row < s.rowsShown(); ++row)
        ids << s.valueAt(row, s.fieldIndex(u"ID"));
    for (const QVariant &id : std::as_const(ids)) {
        if (!s.locate(QStringLiteral("ID"), id))
            continue;
        const int row = s.recNo();
        const auto text = [w, row](int column) {
            return w->StringGrid1->model()->index(row, column).data(Qt::DisplayRole).toString();
        };
        if (RDName1->isChecked() && !text(4).trimmed().isEmpty())
            continue;
        const QString symbol = text(3);
        NameLookupResult result = lookupName(*w->NetHTTP1, symbol, source);
        if (result.failed)
            result = lookupName(*w->NetHTTP1, symbol, source);
        w->LRESPONSE = result.last;
        w->Memo1 = QString::fromUtf8(result.last.body);
        if (result.failed || !result.name)
            continue;
        // Events ran while waiting: find the holding again.
        if (!s.locate(QStringLiteral("ID"), id) || !s.edit())
            continue;
        s.setValue(QStringLiteral("Name"), *result.name);
        s.post();
        QGuiApplication::processEvents();
    }

    QGuiApplication::restoreOverrideCursor();
    w->TQuoteBtn->setEnabled(true);
    s.setIndexFieldNames(QStringLiteral("ID"));
    w->setRetrievingNames(false);
    QGuiApplication::processEvents();
}
