#pragma once

#include <QDialog>

class QPushButton;
class TTillwick1;

// Created with the other windows at start; filled by its own subsystem.
class TSelectDate1 : public QDialog
{
    Q_OBJECT

public:
    explicit TSelectDate1(TTillwick1 *main);

    QPushButton *HelpBtn = nullptr;

public slots:
    void HelpBtnClick();
};
