#pragma once

#include <QDialog>

class QPushButton;
class TTillwick1;

// Created with the other windows at start; filled by its own subsystem.
class THistArch1 : public QDialog
{
    Q_OBJECT

public:
    explicit THistArch1(TTillwick1 *main);

    QPushButton *THelpBtn = nullptr;

public slots:
    void THelpBtnClick();
};
