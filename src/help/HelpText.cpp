#include "help/HelpText.h"

#include <QCoreApplication>

#include <array>
#include <iterator>

namespace {

// Short lines, because the help window shows them centred and does not wrap them.
const char *const kLines[] = {
        // 1: welcome and getting started (0-27)
        QT_TRANSLATE_NOOP("HelpText", "Welcome to Tillwick"),
        "",
        QT_TRANSLATE_NOOP("HelpText", "Tillwick keeps current and historical records of your"),
        QT_TRANSLATE_NOOP("HelpText", "stocks, mutual funds and exchange-traded funds offline,"),
        QT_TRANSLATE_NOOP("HelpText", "on your own computer, while it keeps their quotes"),
        QT_TRANSLATE_NOOP("HelpText", "current from public finance pages on the internet."),
        QT_TRANSLATE_NOOP("HelpText", "A ticker symbol is the only entry a quote needs."),
        QT_TRANSLATE_NOOP("HelpText", "Add the quantity you hold and Tillwick extends each"),
        QT_TRANSLATE_NOOP("HelpText", "holding to an amount and adds up the account's totals."),
        QT_TRANSLATE_NOOP("HelpText", "Record the purchases and sales of a holding and"),
        QT_TRANSLATE_NOOP("HelpText", "Tillwick averages their cost; the history it keeps"),
        QT_TRANSLATE_NOOP("HelpText", "draws graphs of your gains and losses over time, and"),
        QT_TRANSLATE_NOOP("HelpText", "three reports can be printed."),
        "",
        QT_TRANSLATE_NOOP("HelpText", "Getting Started"),
        "",
        QT_TRANSLATE_NOOP("HelpText", "Create an account first: press the New Account button,"),
        QT_TRANSLATE_NOOP("HelpText", "type the account number, name and description in the"),
        QT_TRANSLATE_NOOP("HelpText", "panel that opens and press Save (press Add to enter"),
        QT_TRANSLATE_NOOP("HelpText", "another account). Close the panel and click the new"),
        QT_TRANSLATE_NOOP("HelpText", "account in the tree on the left."),
        QT_TRANSLATE_NOOP("HelpText", "Then type the ticker symbols of your stocks and funds,"),
        QT_TRANSLATE_NOOP("HelpText", "and their quantities, into the table of the Quotes tab."),
        QT_TRANSLATE_NOOP("HelpText", "Each row is the summary record of one stock or fund:"),
        QT_TRANSLATE_NOOP("HelpText", "Tillwick needs it before it can keep purchases, sales"),
        QT_TRANSLATE_NOOP("HelpText", "and chart data for that holding. Press Quote to fetch"),
        QT_TRANSLATE_NOOP("HelpText", "the current prices of the account."),
        "",
        // 2: purchases and sales (28-41)
        QT_TRANSLATE_NOOP("HelpText", "Purchases and Sales"),
        "",
        QT_TRANSLATE_NOOP("HelpText", "Select the summary record of a stock or fund, open the"),
        QT_TRANSLATE_NOOP("HelpText", "Purchases tab and press Add Row, then enter the price"),
        QT_TRANSLATE_NOOP("HelpText", "and the quantity of the transaction in the new row."),
        QT_TRANSLATE_NOOP("HelpText", "Right-click the lower table of transactions for a menu"),
        QT_TRANSLATE_NOOP("HelpText", "that sets the transaction date and the kind of"),
        QT_TRANSLATE_NOOP("HelpText", "transaction: a purchase, a sale or a split. The Menu"),
        QT_TRANSLATE_NOOP("HelpText", "button on the tool bar opens the same menu."),
        QT_TRANSLATE_NOOP("HelpText", "Press Save to finalise the transaction: Tillwick updates"),
        QT_TRANSLATE_NOOP("HelpText", "the average cost and the total quantity of the summary"),
        QT_TRANSLATE_NOOP("HelpText", "record and adds a history record for the charts."),
        QT_TRANSLATE_NOOP("HelpText", "Delete removes the selected transaction record."),
        "",
        // 3: graphs (42-50)
        QT_TRANSLATE_NOOP("HelpText", "Graphs"),
        "",
        QT_TRANSLATE_NOOP("HelpText", "The top graph plots the amount of a stock or fund"),
        QT_TRANSLATE_NOOP("HelpText", "against time, from its history records (one is made"),
        QT_TRANSLATE_NOOP("HelpText", "whenever a purchase or a sale is saved)."),
        QT_TRANSLATE_NOOP("HelpText", "The pie and bar charts at the bottom show how the"),
        QT_TRANSLATE_NOOP("HelpText", "account's funds are spread over its holdings; they are"),
        QT_TRANSLATE_NOOP("HelpText", "drawn from the summary records of the account."),
        "",
        // 4: history (51-57)
        QT_TRANSLATE_NOOP("HelpText", "History"),
        QT_TRANSLATE_NOOP("HelpText", "The History tab shows the data of each holding for every"),
        QT_TRANSLATE_NOOP("HelpText", "date and time it was collected. Records are made by the"),
        QT_TRANSLATE_NOOP("HelpText", "Save button on the Quotes tab or by the Quote button, as"),
        QT_TRANSLATE_NOOP("HelpText", "chosen on the Options tab. History records can be"),
        QT_TRANSLATE_NOOP("HelpText", "deleted but not changed; deleted ones are archived."),
        "",
        // 5: options, sending accounts, backup (58-85)
        QT_TRANSLATE_NOOP("HelpText", "The Options tab sets how Tillwick looks and works."),
        "",
        QT_TRANSLATE_NOOP("HelpText", "Pick a style for every window from the list on the left."),
        QT_TRANSLATE_NOOP("HelpText", "On the right you choose the account Tillwick shows when"),
        QT_TRANSLATE_NOOP("HelpText", "it starts, a WAV, MID or MP3 file to play when quotes"),
        QT_TRANSLATE_NOOP("HelpText", "are finished and whether to play it, and vertical"),
        QT_TRANSLATE_NOOP("HelpText", "and/or horizontal lines for the tables."),
        QT_TRANSLATE_NOOP("HelpText", "A timer can fetch quotes automatically at the interval"),
        QT_TRANSLATE_NOOP("HelpText", "you choose. Another box makes the History tab list every"),
        QT_TRANSLATE_NOOP("HelpText", "history record of the account, whatever holding is"),
        QT_TRANSLATE_NOOP("HelpText", "selected. Press Save to keep your options."),
        "",
        QT_TRANSLATE_NOOP("HelpText", "Sending Accounts to Another Computer"),
        "",
        QT_TRANSLATE_NOOP("HelpText", "All accounts can be sent to another computer or device"),
        QT_TRANSLATE_NOOP("HelpText", "running Tillwick on the same local network."),
        QT_TRANSLATE_NOOP("HelpText", "Press Find to list the copies of Tillwick that answer,"),
        QT_TRANSLATE_NOOP("HelpText", "click the one to send to, then press Send to start the"),
        QT_TRANSLATE_NOOP("HelpText", "transfer. The receiving side asks before its files are"),
        QT_TRANSLATE_NOOP("HelpText", "replaced; if it agrees, ALL of its data is replaced by"),
        QT_TRANSLATE_NOOP("HelpText", "the data sent."),
        QT_TRANSLATE_NOOP("HelpText", "So make a backup on the receiving side first. On the"),
        QT_TRANSLATE_NOOP("HelpText", "Options tab choose Backup, press the button and pick a"),
        QT_TRANSLATE_NOOP("HelpText", "folder: Tillwick copies its holdings, transactions,"),
        QT_TRANSLATE_NOOP("HelpText", "history and accounts there. Choose Restore and pick"),
        QT_TRANSLATE_NOOP("HelpText", "the same folder to bring them back; Tillwick asks"),
        QT_TRANSLATE_NOOP("HelpText", "before it replaces each file."),
        "",
        // 6: reports (86-92)
        QT_TRANSLATE_NOOP("HelpText", "Reports"),
        QT_TRANSLATE_NOOP("HelpText", "Tillwick prints three reports as a paper copy: the"),
        QT_TRANSLATE_NOOP("HelpText", "account summary, the purchases and sales, and the"),
        QT_TRANSLATE_NOOP("HelpText", "history. Choose one in the report window and press OK."),
        QT_TRANSLATE_NOOP("HelpText", "The reports print on 8-1/2 x 11"),
        QT_TRANSLATE_NOOP("HelpText", "inch paper."),
        "",
        // 7: merging accounts (93-99)
        QT_TRANSLATE_NOOP("HelpText", "Merging Accounts"),
        QT_TRANSLATE_NOOP("HelpText", "Any two accounts can be merged by copying one into the"),
        QT_TRANSLATE_NOOP("HelpText", "other with the Merge button, for example to gather all"),
        QT_TRANSLATE_NOOP("HelpText", "accounts into one for grand totals. Pick the account to"),
        QT_TRANSLATE_NOOP("HelpText", "copy from on the left and the one to copy into on the"),
        QT_TRANSLATE_NOOP("HelpText", "right; every record of the first goes into the second."),
        "",
        // 8: retrieving names (100-106)
        QT_TRANSLATE_NOOP("HelpText", "Retrieving Names"),
        QT_TRANSLATE_NOOP("HelpText", "Tillwick can fetch the names of your investments from"),
        QT_TRANSLATE_NOOP("HelpText", "the internet. Press Rename on the tool bar while the"),
        QT_TRANSLATE_NOOP("HelpText", "account is shown: a small window offers to replace all"),
        QT_TRANSLATE_NOOP("HelpText", "names of the account or only the blank ones. Choose"),
        QT_TRANSLATE_NOOP("HelpText", "one and press OK."),
        "",
        // 9: about (107-120)
        QT_TRANSLATE_NOOP("HelpText", "About Tillwick"),
        "",
        QT_TRANSLATE_NOOP("HelpText", "The first version of Tillwick kept accounts, holdings,"),
        QT_TRANSLATE_NOOP("HelpText", "purchases and sales offline and fetched their quotes."),
        QT_TRANSLATE_NOOP("HelpText", "Later versions added sending all accounts between copies"),
        QT_TRANSLATE_NOOP("HelpText", "of Tillwick over WiFi or cable on the local network,"),
        QT_TRANSLATE_NOOP("HelpText", "backup and restore of all accounts, and the archive of"),
        QT_TRANSLATE_NOOP("HelpText", "deleted history records, shown with the Archived button."),
        "",
        QT_TRANSLATE_NOOP("HelpText", "If a quote brings back old or wrong prices, clear the"),
        QT_TRANSLATE_NOOP("HelpText", "temporary internet files with your system's disk"),
        QT_TRANSLATE_NOOP("HelpText", "clean-up tool (or empty its web cache), then quote again."),
        "",
        QT_TRANSLATE_NOOP("HelpText", "Thank you for using Tillwick."),
};
static_assert(std::size(kLines) == 121);

constexpr std::array<HelpSectionRange, 9> kSections{{
        {0, 27},
        {28, 41},
        {42, 50},
        {51, 57},
        {58, 85},
        {86, 92},
        {93, 99},
        {100, 106},
        {107, 120},
}};

} // namespace

QStringList helpTextLines()
{
    QStringList lines;
    lines.reserve(int(std::size(kLines)));
    for (const char *line : kLines)
        lines << (*line ? QCoreApplication::translate("HelpText", line) : QString());
    return lines;
}

HelpSectionRange helpSectionRange(int section)
{
    if (section < 1 || section > int(kSections.size()))
        return {};
    return kSections[section - 1];
}

QStringList helpAboutPages()
{
    return {QStringLiteral("https://tillwick.example.org/"),
            QStringLiteral("https://tillwick.example.org/download/")};
}
