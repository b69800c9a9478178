#include "support/ScopedWorkDir.h"

#include <QDir>

ScopedWorkDir::ScopedWorkDir()
    : m_previous(QDir::currentPath())
{
    if (m_dir.isValid())
        QDir::setCurrent(m_dir.path());
}

ScopedWorkDir::~ScopedWorkDir()
{
    QDir::setCurrent(m_previous);
}
