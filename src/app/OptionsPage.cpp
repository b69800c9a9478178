// The Options tab: loading, saving and applying the options, styles and the grid text colour.
#include "app/FileDialog.h"
#include "app/HuePicker.h"
#include "app/MessageBox.h"
#include "app/Options.h"
#include "app/Tillwick.h"

#include "binding/StringGrid.h"
#include "data/TableStore.h"
#include "data/TextHelpers.h"
#include <QtCharts/QChartView>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTreeWidget>

void TTillwick1::LoadOptions()
{
    TableStore &o = *ClientDataSet5;
    const auto field = [&o](const char *name) {
        return o.value(QLatin1String(name));
    };
    const auto setCheck = [](QAbstractButton *box, const QVariant &v) {
        if (!v.isNull())
            box->setChecked(v.toBool());
    };

    if (!field("StartAccount").isNull())
        CMBSTRTACCNT->setCurrentIndex(
                CMBSTRTACCNT->findText(field("StartAccount").toString(), Qt::MatchExactly));
    if (!field("AudioPath").isNull())
        Edit4->setText(field("AudioPath").toString());
    setCheck(RDHIST1, field("HistSaveBtn"));
    setCheck(RDHIST2, field("HistQoteBtn"));
    setCheck(CheckBox1, field("VertGrid"));
    setCheck(CheckBox2, field("HorzGrid"));
    setCheck(CHKAUDIOPLY, field("PlayAudio"));
    setCheck(CheckBox4, field("AutoQuote"));
    if (!field("Style").isNull())
        STYLE_NAME = field("Style").toString();
    USE_TIMER_FLG = CheckBox4->isChecked();
    if (USE_TIMER_FLG) {
        TIMER_INTERVAL = field("QoteDelay").toInt();
        setCheck(CheckBox5, field("DisplayAll"));
    }
    if (!field("QoteDelay").isNull())
        CMBTIME->setCurrentIndex(intervalPositionFor(field("QoteDelay").toInt()));
    const QList<QListWidgetItem *> styles = ListBox1->findItems(STYLE_NAME, Qt::MatchExactly);
    if (!styles.isEmpty()) {
        ListBox1->setCurrentItem(styles.first());
        STYLE_INDEX = ListBox1->row(styles.first());
    }
    setCheck(CHKAVCST, field("CalcCstAveQte"));
    if (!field("Left").isNull() && !field("Top").isNull() && !field("Height").isNull()
        && !field("Width").isNull()) {
        WINLEFT = field("Left").toInt();
        WINTOP = field("Top").toInt();
        WINHEIGHT = field("Height").toInt();
        WINWIDTH = field("Width").toInt();
        move(WINLEFT, WINTOP);
        resize(WINWIDTH, WINHEIGHT);
    }
    ApplyOptions();
    if (!field("GrdFontColor").isNull())
        ColorPicker1->setColor(QColor::fromRgba(QRgb(field("GrdFontColor").toLongLong())));
    // The picker's colour wins over the style's.
    FONT_COLOR = ColorPicker1->color();
    ApplyGridFontColor();
}

void TTillwick1::SaveOptions()
{
    TableStore &o = *ClientDataSet5;
    if (o.state() == TableStore::State::Browse)
        o.edit();
    if (CMBSTRTACCNT->currentIndex() >= 0)
        o.setValue(QStringLiteral("StartAccount"), CMBSTRTACCNT->currentText());
    o.setValue(QStringLiteral("AudioPath"), Edit4->text());
    o.setValue(QStringLiteral("HistSaveBtn"), RDHIST1->isChecked());
    o.setValue(QStringLiteral("HistQoteBtn"), RDHIST2->isChecked());
    o.setValue(QStringLiteral("VertGrid"), CheckBox1->isChecked());
    o.setValue(QStringLiteral("HorzGrid"), CheckBox2->isChecked());
    o.setValue(QStringLiteral("PlayAudio"), CHKAUDIOPLY->isChecked());
    o.setValue(QStringLiteral("AutoQuote"), CheckBox4->isChecked());
    o.setValue(QStringLiteral("DisplayAll"), CheckBox5->isChecked());
    if (CMBTIME->currentIndex() >= 0)
        o.setValue(QStringLiteral("QoteDelay"), intervalSavedSeconds(CMBTIME->currentIndex()));
    if (!ListBox1->currentItem())
        ListBox1->setCurrentRow(0);
    o.setValue(QStringLiteral("Style"), STYLE_NAME);
    o.setValue(QStringLiteral("LastUpdated"), QDateTime::currentDateTime());
    WINLEFT = x();
    WINTOP = y();
    WINHEIGHT = height();
    WINWIDTH = width();
    o.setValue(QStringLiteral("Left"), WINLEFT);
    o.setValue(QStringLiteral("Top"), WINTOP);
    o.setValue(QStringLiteral("Height"), WINHEIGHT);
    o.setValue(QStringLiteral("Width"), WINWIDTH);
    o.setValue(QStringLiteral("CalcCstAveQte"), CHKAVCST->isChecked());
    o.setValue(QStringLiteral("GrdFontColor"), qlonglong(ColorPicker1->color().rgba()));
    o.post();
    if (!o.write())
        MessageBox::warning(this, tr("Tillwick"), o.lastError());
    o.edit();
    ApplyOptions();
}

bool TTillwick1::ApplyOptions()
{
    if (CheckBox1->isChecked() || CheckBox2->isChecked()) {
        // Grid lines are only a look: the grids stay as editable as they were.
        for (StringGrid *grid : {StringGrid1, StringGrid2, StringGrid3, StringGrid4, StringGrid5}) {
            grid->setGridLines(CheckBox1->isChecked(), CheckBox2->isChecked());
            grid->setAlternatingRowColors(true);
        }
    }
    if (!ListBox1->currentItem())
        ListBox1->setCurrentRow(0);
    STYLE_INDEX = ListBox1->currentRow();
    STYLE_NAME = ListBox1->currentItem()->text();
    if (!LoadStyleFile())
        return false;

    const QVariant start = ClientDataSet5->value(QStringLiteral("StartAccount"));
    if (!start.isNull()) {
        const QString wanted = start.toString().trimmed();
        for (int i = 0; i < TreeView1->topLevelItemCount(); ++i) {
            if (accountLineName(TreeView1->topLevelItem(i)->text(0)) != wanted)
                continue;
            selectAccountLine(i);
            TreeView1->setFocus();
            break;
        }
    }
    ApplyDisplayAll();
    USE_TIMER_FLG = CheckBox4->isChecked();
    // Switched on after a start without it (or never given an interval), there is no interval yet:
    // take the chosen one, else the shortest offered, rather than quoting every second. A changed
    // interval still waits for the next start.
    if (USE_TIMER_FLG && TIMER_INTERVAL <= 0)
        TIMER_INTERVAL = intervalSavedSeconds(std::max(0, CMBTIME->currentIndex()));
    StyleFontColor();
    return true;
}

void TTillwick1::ApplyDisplayAll()
{
    ClientDataSet6->setFilter(CheckBox5->isChecked() ? QString() : accountFilter(CURRENT_ACCOUNT));
}

void TTillwick1::ApplyGridFontColor()
{
    for (StringGrid *grid : {StringGrid1, StringGrid2, StringGrid3, StringGrid4, StringGrid5})
        grid->setTextColor(FONT_COLOR);
    for (int i = 0; i < TreeView1->topLevelItemCount(); ++i)
        TreeView1->topLevelItem(i)->setForeground(0, FONT_COLOR);
}

void TTillwick1::StyleFontColor()
{
    if (const auto color = styleTextColor(ListBox1->currentItem() ? ListBox1->currentRow() : -1))
        FONT_COLOR = *color;
    ApplyGridFontColor();
}

bool TTillwick1::LoadStyleFile(bool report)
{
    const QString path = STYLE_PATH + STYLE_NAME + QStringLiteral(".Style");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        if (report) {
            MessageBox::warning(
                    this,
                    tr("Tillwick"),
                    tr("The style \"%1\" could not be loaded from %2: %3. The look stays as it is.")
                            .arg(STYLE_NAME, QDir::toNativeSeparators(path), file.errorString()));
        }
        return false;
    }
    qApp->setStyleSheet(QString::fromUtf8(file.readAll()));
    return true;
}

void TTillwick1::ListBox1ItemClick()
{
    if (!ListBox1->currentItem())
        return;
    STYLE_NAME = ListBox1->currentItem()->text();
    STYLE_INDEX = ListBox1->currentRow();
    LoadStyleFile();
    StyleFontColor();
}

void TTillwick1::CheckBox1Change()
{
    ApplyOptions();
}

void TTillwick1::CheckBox2Change()
{
    ApplyOptions();
}

void TTillwick1::RDHIST1Click()
{
    if (RDHIST1->isChecked())
        RDHIST2->setChecked(false);
}

void TTillwick1::RDHIST2Click()
{
    if (RDHIST2->isChecked())
        RDHIST1->setChecked(false);
}

void TTillwick1::Edit4DblClick()
{
    const QString file = FileDialog::getOpenFileName(
            this, tr("Select Audio File to Play"), QString(), dialogFilter(audioFileFilter()));
    if (!file.isEmpty())
        Edit4->setText(file);
}

void TTillwick1::ColorPicker1Click()
{
    FONT_COLOR = ColorPicker1->color();
    ApplyGridFontColor();
}

void TTillwick1::pmnuChangeColorClick()
{
    Panel4->show();
    Panel4->raise();
}

void TTillwick1::ColorPicker2DblClick()
{
    Chart1->chart()->setBackgroundBrush(ColorPicker2->color());
}

void TTillwick1::Panel4DblClick()
{
    Panel4->hide();
}
