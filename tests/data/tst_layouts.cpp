#include "data/Layouts.h"

#include <QTest>

namespace {
FieldList layoutNamed(const QString &name)
{
    if (name == u"summary")
        return summaryFields();
    if (name == u"transaction")
        return transactionFields();
    if (name == u"history")
        return historyFields();
    if (name == u"account")
        return accountFields();
    if (name == u"options")
        return optionsFields();
    if (name == u"srchCodes")
        return srchCodesFields();
    return {};
}
} // namespace

class TestLayouts : public QObject
{
    Q_OBJECT

private slots:
    void sizes_data();
    void sizes();
    void keyPositions_data();
    void keyPositions();
    void historyBeginsWithSummary();
    void formats_data();
    void formats();
};

void TestLayouts::sizes_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("layout");
    QTest::addColumn<int>("count");

    QTest::newRow("Summary") << QString(TableFileName::Summary) << "summary" << 12;
    QTest::newRow("Purchases") << QString(TableFileName::Purchases) << "transaction" << 12;
    QTest::newRow("History") << QString(TableFileName::History) << "history" << 14;
    QTest::newRow("HistoryArcv") << QString(TableFileName::HistoryArcv) << "history" << 14;
    QTest::newRow("Accounts") << QString(TableFileName::Accounts) << "account" << 9;
    QTest::newRow("Options") << QString(TableFileName::Options) << "options" << 19;
    QTest::newRow("SrchCodes") << QString(TableFileName::SrchCodes) << "srchCodes" << 6;
}

void TestLayouts::sizes()
{
    QFETCH(QString, file);
    QFETCH(QString, layout);
    QFETCH(int, count);
    const FieldList fields = layoutNamed(layout);
    QCOMPARE(fields.size(), count);
    QCOMPARE(fieldsOfFile(file), fields);
    QCOMPARE(fields.first(), (FieldDef{"ID", FieldType::AutoInc, 0}));
}

void TestLayouts::keyPositions_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<int>("pos");
    QTest::addColumn<QString>("name");
    QTest::addColumn<FieldType>("type");
    QTest::addColumn<int>("width");

    QTest::newRow("summary 1") << "summary" << 1 << "FrstAccountNo" << FieldType::Text << 20;
    QTest::newRow("summary 3") << "summary" << 3 << "Symbol" << FieldType::Text << 10;
    QTest::newRow("summary 4") << "summary" << 4 << "Name" << FieldType::Text << 100;
    QTest::newRow("summary 5") << "summary" << 5 << "Quantity" << FieldType::Number << 0;
    QTest::newRow("summary 10") << "summary" << 10 << "PercentDiff" << FieldType::Number << 0;
    QTest::newRow("summary 11") << "summary" << 11 << "LastUpdated" << FieldType::DateTime << 0;
    QTest::newRow("transaction 8") << "transaction" << 8 << "TransDateDsp" << FieldType::DateTime << 0;
    QTest::newRow("transaction 9") << "transaction" << 9 << "Transaction" << FieldType::Text << 20;
    QTest::newRow("transaction 10") << "transaction" << 10 << "TransactionDate" << FieldType::Text << 22;
    QTest::newRow("history 12") << "history" << 12 << "TranType" << FieldType::Text << 10;
    QTest::newRow("history 13") << "history" << 13 << "DateCreated" << FieldType::Text << 26;
    QTest::newRow("account 2") << "account" << 2 << "AccountNo" << FieldType::Text << 20;
    QTest::newRow("account 4") << "account" << 4 << "AccountDesc" << FieldType::Text << 150;
    QTest::newRow("account 6") << "account" << 6 << "NetAmt" << FieldType::Number << 0;
    QTest::newRow("account 7") << "account" << 7 << "DateCreated" << FieldType::Text << 20;
    QTest::newRow("options 2") << "options" << 2 << "AudioPath" << FieldType::Text << 150;
    QTest::newRow("options 9") << "options" << 9 << "QoteDelay" << FieldType::Integer << 0;
    QTest::newRow("options 12") << "options" << 12 << "LastUpdated" << FieldType::DateTime << 0;
    QTest::newRow("options 17") << "options" << 17 << "CalcCstAveQte" << FieldType::Boolean << 0;
    QTest::newRow("options 18") << "options" << 18 << "GrdFontColor" << FieldType::LargeInt << 0;
    QTest::newRow("srchCodes 4") << "srchCodes" << 4 << "SrchMutFdTo" << FieldType::Text << 2;
}

void TestLayouts::keyPositions()
{
    QFETCH(QString, layout);
    QFETCH(int, pos);
    QFETCH(QString, name);
    QFETCH(FieldType, type);
    QFETCH(int, width);
    QCOMPARE(layoutNamed(layout).value(pos), (FieldDef{name, type, width}));
}

void TestLayouts::historyBeginsWithSummary()
{
    // History rows are made by copying a summary row position by position.
    const FieldList summary = summaryFields();
    QCOMPARE(historyFields().mid(0, summary.size()), summary);
}

void TestLayouts::formats_data()
{
    QTest::addColumn<QString>("store");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("edit");

    const QString grouped = QStringLiteral("#,###,###,###.####");
    const QString wide = QStringLiteral("###,###,###,###.####");
    QTest::newRow("holdings quantity") << "ClientDataSet1"
                                       << "Quantity" << grouped << grouped;
    QTest::newRow("holdings ave cost") << "ClientDataSet1"
                                       << "AveCost"
                                       << "" << grouped;
    QTest::newRow("holdings percent") << "ClientDataSet1"
                                      << "PercentDiff"
                                      << ""
                                      << "###.##";
    QTest::newRow("holdings price") << "ClientDataSet1"
                                    << "Price"
                                    << ""
                                    << "";
    QTest::newRow("summary view difference") << "ClientDataSet6"
                                             << "Difference" << wide << "";
    QTest::newRow("summary view extension") << "ClientDataSet6"
                                            << "Extension" << grouped << grouped;
    QTest::newRow("summary view price") << "ClientDataSet6"
                                        << "Price"
                                        << ""
                                        << "";
    QTest::newRow("transactions price") << "ClientDataSet2"
                                        << "Price" << wide << "";
    QTest::newRow("history percent") << "ClientDataSet3"
                                     << "PercentDiff"
                                     << "###.###"
                                     << "";
    QTest::newRow("archive has none") << "ClientDataSet8"
                                      << "Quantity"
                                      << ""
                                      << "";
}

void TestLayouts::formats()
{
    QFETCH(QString, store);
    QFETCH(QString, field);
    QFETCH(QString, display);
    QFETCH(QString, edit);
    QCOMPARE(fieldFormat(store, field), (FieldFormat{display, edit}));
}

QTEST_GUILESS_MAIN(TestLayouts)
#include "tst_layouts.moc"
