#pragma once

#include <QBoxLayout>
#include <QLatin1String>
#include <QWidget>

#include <initializer_list>

// Gives a new object the name its handlers and the tests find it by, and hands it back.
template<typename T>
T *named(T *object, const char *name)
{
    object->setObjectName(QLatin1String(name));
    return object;
}

// A row of buttons kept to the right, as the small windows end.
inline QHBoxLayout *rightAlignedRow(std::initializer_list<QWidget *> widgets)
{
    auto *row = new QHBoxLayout;
    row->addStretch();
    for (QWidget *w : widgets)
        row->addWidget(w);
    return row;
}
