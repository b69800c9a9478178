// The style sheets shipped beside the program: every listed style has its file, each file parses,
// and the colours it gives leave the grid text, selections and disabled buttons readable.
#include "app/Options.h"

#include <cmath>

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QStringList g_warnings;
QtMessageHandler g_previousHandler = nullptr;

void recordWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg)
        g_warnings << message;
    g_previousHandler(type, context, message);
}

QString stylePath(const QString &name)
{
    return QStringLiteral(TILLWICK_STYLES_DIR "/") + name + QStringLiteral(".Style");
}

// Relative luminance and contrast ratio as used for judging text on a background.
double luminance(const QColor &c)
{
    const auto channel = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A window with a sample of the program's kinds of controls.
struct Sampler
{
    QStandardItemModel model{3, 3};
    QMainWindow window;
    QTableView *grid = nullptr;
    QTreeWidget *tree = nullptr;
    QPushButton *enabled = nullptr;
    QPushButton *disabled = nullptr;
    QLabel *status = nullptr;
    QLineEdit *edit = nullptr;
    QCalendarWidget *calendar = nullptr;

    Sampler()
    {
        window.resize(900, 600);
        window.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("Quit"));
        auto *bar = window.addToolBar(QStringLiteral("Tools"));
        bar->setStyleSheet(QStringLiteral("QPushButton { padding: 3px 7px; min-width: 0px; }"));
        enabled = new QPushButton(QStringLiteral("Quote"), bar);
        disabled = new QPushButton(QStringLiteral("Merge"), bar);
        disabled->setEnabled(false);
        bar->addWidget(enabled);
        bar->addWidget(disabled);
        auto *busy = new QProgressBar(bar);
        busy->setRange(0, 0);
        bar->addWidget(busy);

        auto *tabs = new QTabWidget(&window);
        tabs->setTabPosition(QTabWidget::South);
        grid = new QTableView;
        grid->setModel(&model);
        grid->setAlternatingRowColors(true);
        grid->setSelectionMode(QAbstractItemView::SingleSelection);
        model.setItem(0, 0, new QStandardItem(QStringLiteral("AAPL")));
        model.setItem(1, 0, new QStandardItem(QStringLiteral("MSFT")));
        tabs->addTab(grid, QStringLiteral("Quotes"));

        auto *page = new QWidget;
        auto *layout = new QVBoxLayout(page);
        tree = new QTreeWidget(page);
        tree->setHeaderHidden(true);
        tree->setAlternatingRowColors(true);
        tree->setStyleSheet(QStringLiteral("QTreeView::item { height: 32px; }"));
        new QTreeWidgetItem(tree, {QStringLiteral("100 - Checking -")});
        new QTreeWidgetItem(tree, {QStringLiteral("200 - Brokerage -")});
        layout->addWidget(tree);
        edit = new QLineEdit(QStringLiteral("text"), page);
        layout->addWidget(edit);
        auto *combo = new QComboBox(page);
        combo->addItems({QStringLiteral("1 Minute"), QStringLiteral("5 Minutes")});
        layout->addWidget(combo);
        auto *group = new QGroupBox(QStringLiteral("History"), page);
        auto *groupLayout = new QVBoxLayout(group);
        groupLayout->addWidget(new QRadioButton(QStringLiteral("On save"), group));
        groupLayout->addWidget(new QCheckBox(QStringLiteral("Lines"), group));
        layout->addWidget(group);
        calendar = new QCalendarWidget(page);
        layout->addWidget(calendar);
        tabs->addTab(page, QStringLiteral("Options"));
        window.setCentralWidget(tabs);

        status = new QLabel(QStringLiteral("Total"), window.statusBar());
        QFont big = status->font();
        big.setPointSize(14);
        status->setFont(big);
        window.statusBar()->addWidget(status);
    }

    QImage shot(QWidget *page)
    {
        static_cast<QTabWidget *>(window.centralWidget())->setCurrentWidget(page);
        return window.grab().toImage();
    }

    QColor pixel(const QImage &image, QWidget *from, QPoint at) const
    {
        return image.pixelColor(from->mapTo(&window, at));
    }

    // Background of a grid cell, away from its text, borders and grid lines.
    QColor cellBackground(const QImage &image, int row)
    {
        const QRect cell = grid->visualRect(model.index(row, 2));
        return pixel(image, grid->viewport(), cell.topLeft() + QPoint(5, 5));
    }

    QColor treeBackground(const QImage &image, int row)
    {
        const QRect line = tree->visualItemRect(tree->topLevelItem(row));
        return pixel(image, tree->viewport(), QPoint(line.right() - 5, line.top() + 5));
    }
};

} // namespace

class TestStyles : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        g_warnings.clear();
        g_previousHandler = qInstallMessageHandler(recordWarnings);
    }

    void cleanup()
    {
        qInstallMessageHandler(g_previousHandler);
        qApp->setStyleSheet(QString());
    }

    // A file named otherwise than the list would never be found.
    void folderHoldsExactlyTheListedStyles()
    {
        QStringList files = QDir(QStringLiteral(TILLWICK_STYLES_DIR))
                                    .entryList({QStringLiteral("*.Style")}, QDir::Files, QDir::Name);
        for (QString &file : files)
            file.chop(int(qstrlen(".Style")));
        QStringList names = styleNames();
        names.sort();
        QCOMPARE(files, names);
    }

    void appliesReadably_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("position");
        const QStringList names = styleNames();
        for (int i = 0; i < names.size(); ++i)
            QTest::newRow(qPrintable(names.at(i))) << names.at(i) << i;
    }

    void appliesReadably()
    {
        QFETCH(QString, name);
        QFETCH(int, position);

        QFile file(stylePath(name));
        QVERIFY2(file.open(QIODevice::ReadOnly | QIODevice::Text), qPrintable(file.fileName()));
        const QString sheet = QString::fromUtf8(file.readAll());
        QVERIFY(!sheet.trimmed().isEmpty());

        Sampler s;
        const double defaultPointSize = s.edit->font().pointSizeF();
        qApp->setStyleSheet(sheet);
        s.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&s.window));
        s.grid->setFocus();
        s.grid->setCurrentIndex(s.model.index(1, 2));
        const QImage gridShot = s.shot(s.grid);
        const QImage treeShot = s.shot(s.tree->parentWidget());
        for (const QString &warning : std::as_const(g_warnings)) {
            QVERIFY2(!warning.contains(QLatin1String("Could not parse"))
                             && !warning.contains(QLatin1String("Unknown property")),
                     qPrintable(warning));
        }

        // The program sets the grid text colour of the style; a kept colour may be light or dark.
        const std::optional<QColor> text = styleTextColor(position);
        const QList<QColor> texts = text ? QList<QColor>{*text} : QList<QColor>{Qt::white, Qt::black};
        const double needed = text ? 4.5 : 4.0;
        const QList<QColor> backgrounds{
                s.cellBackground(gridShot, 0), s.treeBackground(treeShot, 0), s.treeBackground(treeShot, 1)};
        for (const QColor &background : backgrounds) {
            for (const QColor &colour : texts) {
                QVERIFY2(contrast(colour, background) >= needed,
                         qPrintable(QStringLiteral("%1 text on %2: %3")
                                            .arg(colour.name(), background.name())
                                            .arg(contrast(colour, background), 0, 'f', 2)));
            }
        }

        // The current cell stands out from the rows around it, and its text reads on it.
        const QColor current = s.cellBackground(gridShot, 1);
        const QColor selectedText = s.grid->palette().color(QPalette::Active, QPalette::HighlightedText);
        QVERIFY2(contrast(selectedText, current) >= 4.5, qPrintable(current.name()));
        QVERIFY2(contrast(current, backgrounds.first()) >= 1.5, qPrintable(current.name()));

        // The calendar draws its day names and week numbers on the alternate colour.
        const QPalette days = s.calendar->findChild<QTableView *>()->palette();
        for (QPalette::ColorRole role : {QPalette::Base, QPalette::AlternateBase}) {
            const double c = contrast(days.color(QPalette::Text), days.color(role));
            QVERIFY2(c >= 4.5, qPrintable(QString::number(c)));
        }

        // A disabled button looks different from an enabled one and can still be read.
        const QImage barShot = s.window.grab().toImage();
        const auto face = [&](QPushButton *b) {
            return s.pixel(barShot, b, QPoint(4, b->height() / 2));
        };
        const QColor enabledText = s.enabled->palette().color(QPalette::Active, QPalette::ButtonText);
        const QColor disabledText = s.disabled->palette().color(QPalette::Disabled, QPalette::ButtonText);
        const double enabledContrast = contrast(enabledText, face(s.enabled));
        const double disabledContrast = contrast(disabledText, face(s.disabled));
        QVERIFY2(disabledContrast >= 2.3, qPrintable(QString::number(disabledContrast)));
        QVERIFY2(disabledContrast < enabledContrast - 1.0,
                 qPrintable(QStringLiteral("%1 vs %2").arg(disabledContrast).arg(enabledContrast)));

        // Large styles enlarge the text; the others leave sizes to the program.
        const double pointSize = s.edit->font().pointSizeF();
        if (name.endsWith(QLatin1String("Large")))
            QVERIFY2(pointSize >= 13, qPrintable(QString::number(pointSize)));
        else
            QCOMPARE(pointSize, defaultPointSize);
        QVERIFY(s.status->font().pointSizeF() >= 14);
    }

    // The build copies the sheets beside the program and beside the tests, and copies a changed
    // sheet again.
    void buildCopiesMatchTheSources_data()
    {
        QTest::addColumn<QString>("folder");
        const QString here = QCoreApplication::applicationDirPath();
        QTest::newRow("tests") << here + QStringLiteral("/Styles");
        QTest::newRow("program") << here + QStringLiteral("/../Styles");
    }

    void buildCopiesMatchTheSources()
    {
        QFETCH(QString, folder);
        const QDir copies(folder);
        if (!copies.exists())
            QSKIP("nothing built there in this tree");
        for (const QString &name : styleNames()) {
            QFile source(stylePath(name));
            QFile copy(copies.filePath(name + QStringLiteral(".Style")));
            QVERIFY(source.open(QIODevice::ReadOnly));
            QVERIFY2(copy.open(QIODevice::ReadOnly), qPrintable(copy.fileName()));
            QVERIFY2(source.readAll() == copy.readAll(), qPrintable(name));
        }
    }
};

QTEST_MAIN(TestStyles)
#include "tst_styles.moc"
