#include "ledger/SelectDate.h"

#include "app/Tillwick.h"
#include "app/WidgetHelpers.h"
#include "app/Windows.h"
#include "data/DateText.h"
#include "data/TableStore.h"
#include "data/TextHelpers.h"
#include "help/HelpWin.h"

#include <QCalendarWidget>
#include <QDate>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

TSelectDate1::TSelectDate1(TTillwick1 *main)
    : QDialog(main)
    , m_main(main)
{
    setObjectName(QStringLiteral("SelectDate1"));
    setWindowTitle(QStringLiteral("Select To and From Date"));
    resize(422, 246);

    Label1 = named(new QLabel(QStringLiteral("From Date"), this), "Label1");
    Calendar1 = named(new QCalendarWidget(this), "Calendar1");
    Label2 = named(new QLabel(QStringLiteral("To Date"), this), "Label2");
    Calendar2 = named(new QCalendarWidget(this), "Calendar2");
    for (QCalendarWidget *calendar : {Calendar1, Calendar2})
        calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    Calendar1->setAccessibleName(Label1->text());
    Calendar2->setAccessibleName(Label2->text());
    OKBtn = named(new QPushButton(QStringLiteral("OK"), this), "OKBtn");
    CloseBtn = named(new QPushButton(QStringLiteral("Close"), this), "CloseBtn");
    HelpBtn = named(new QPushButton(QStringLiteral("Help"), this), "HelpBtn");

    auto *layout = new QGridLayout(this);
    layout->addWidget(Label1, 0, 0);
    layout->addWidget(Label2, 0, 1);
    layout->addWidget(Calendar1, 1, 0);
    layout->addWidget(Calendar2, 1, 1);
    layout->addLayout(rightAlignedRow({OKBtn, CloseBtn, HelpBtn}), 2, 0, 1, 2);

    connect(OKBtn, &QPushButton::clicked, this, &TSelectDate1::OKBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &TSelectDate1::CloseBtnClick);
    connect(HelpBtn, &QPushButton::clicked, this, &TSelectDate1::HelpBtnClick);
    FormCreate();
}

void TSelectDate1::FormCreate()
{
    Calendar1->setSelectedDate(QDate::currentDate());
    Calendar2->setSelectedDate(QDate::currentDate());
}

void TSelectDate1::FormShow() {}

void TSelectDate1::OKBtnClick()
{
    const auto dayText = [](QCalendarWidget *calendar) {
        return FlopDate(QDateTime(calendar->selectedDate(), QTime(0, 0))).trimmed().left(8);
    };
    const QString from = dayText(Calendar1);
    // Records are stamped with the time of day after the date: the whole To day belongs in the
    // range, so the bound sorts after every stamp of that day.
    const QString to = dayText(Calendar2) + QLatin1Char('~');
    TableStore &h = *m_main->ClientDataSet3;
    h.setIndexFieldNames(QStringLiteral("AccountNo;Symbol;DateCreated"));
    h.setFilter(holdingRangeFilter(m_main->ClientDataSet6->value(QStringLiteral("AccountNo")).toString(),
                                   m_main->ClientDataSet6->value(QStringLiteral("Symbol")).toString(),
                                   from,
                                   to));
    h.first();
    if (h.rowsShown() > 0)
        m_main->ChartSetup();
}

void TSelectDate1::CloseBtnClick()
{
    close();
}

void TSelectDate1::HelpBtnClick()
{
    THelpWin1::showHelp(Tillwick1);
}
