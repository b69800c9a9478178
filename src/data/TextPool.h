#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <string>
#include <vector>

// The distinct texts of one column. Rows hold a 32-bit index, so a symbol repeated in a million
// history rows is kept once.
class TextPool
{
public:
    quint32 intern(const QString &text);
    // The same for UTF-8 bytes straight from a file, without making a QString for repeats.
    quint32 internUtf8(const char *data, qsizetype size);

    const QString &at(quint32 index) const { return m_texts[index]; }
    quint32 size() const { return quint32(m_texts.size()); }

    // Position of each text in ascending character order; rebuilt after texts were added.
    const std::vector<quint32> &ranks() const;

    void clear();

private:
    quint32 lookUpUtf8(const char *data, qsizetype size);

    std::vector<QString> m_texts;
    QHash<QString, quint32> m_byText;
    QHash<QByteArray, quint32> m_byUtf8;
    mutable std::vector<quint32> m_ranks;
    // Rows read from a file often repeat the text of the row before.
    std::string m_lastUtf8;
    quint32 m_lastIndex = 0;
    bool m_hasLast = false;
};
