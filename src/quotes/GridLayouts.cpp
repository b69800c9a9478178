// Column layouts of the five grids of the main window.
#include "app/Tillwick.h"
#include "binding/StringGrid.h"

#include <QMenu>

namespace {
struct Layout
{
    std::initializer_list<int> hidden;
    std::initializer_list<std::pair<int, const char *>> headers;
    int firstWide;
    int lastWide;
    int width;
};

// An empty grid is laid out too: its headers are what the user sees of it.
bool apply(StringGrid *grid, const Layout &layout)
{
    if (!grid || grid->columnCount() < 1)
        return false;
    grid->setUpdatesEnabled(false);
    for (int column : layout.hidden)
        grid->hideColumn(column);
    for (const auto &[column, header] : layout.headers)
        grid->setHeaderText(column, QString::fromLatin1(header));
    for (int column = layout.firstWide; column <= layout.lastWide && column < grid->columnCount(); ++column)
        grid->setColumnWidth(column, layout.width);
    grid->setUpdatesEnabled(true);
    return true;
}

const std::initializer_list<std::pair<int, const char *>> kSummaryHeaders
        = {{8, "Ave Cost"}, {10, "Percent"}, {11, "Last Updated"}};
} // namespace

void TTillwick1::SetupGrid1()
{
    if (!apply(StringGrid1, {{0, 1, 2}, kSummaryHeaders, 3, 11, 160}))
        return;
    for (int column : {4, 5, 6})
        StringGrid1->setColumnWidth(column, 100);
    StringGrid1->setColumnWidth(11, 160);
}

void TTillwick1::SetupGrid2()
{
    if (apply(StringGrid2, {{0, 1, 2, 11}, {{8, "Trans Date"}, {10, "Last Updated"}}, 4, 10, 125}))
        StringGrid2->setColumnMenu(9, PopupMenu2);
}

void TTillwick1::SetupGrid3()
{
    apply(StringGrid3, {{0, 1, 2}, {}, 4, 11, 125});
}

void TTillwick1::SetupGrid4()
{
    apply(StringGrid4, {{0, 1, 2}, kSummaryHeaders, 4, 11, 125});
}

void TTillwick1::SetupGrid5()
{
    apply(StringGrid5, {{0, 1, 2}, kSummaryHeaders, 4, 11, 125});
}

void TTillwick1::SetupAllGrids()
{
    SetupGrid1();
    SetupGrid2();
    SetupGrid3();
    SetupGrid4();
    SetupGrid5();
}
