#pragma once

#include <QString>
#include <QStringList>

class StringGrid;

// Drives the main window as a user does.
QStringList topLines();          // texts of the account lines of the tree
void clickAccountLine(int line); // a click on the line-th account of the tree
void clickGridRow(StringGrid *grid, int row);
QString cell(StringGrid *grid, int row, int column);
// Types text into a cell through its editor and ends the edit with Enter.
void editCell(StringGrid *grid, int row, int column, const QString &text);
