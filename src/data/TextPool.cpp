#include "data/TextPool.h"

#include <algorithm>
#include <cstring>
#include <numeric>

quint32 TextPool::intern(const QString &text)
{
    const auto it = m_byText.constFind(text);
    if (it != m_byText.constEnd())
        return it.value();
    const auto index = quint32(m_texts.size());
    m_texts.push_back(text);
    m_byText.insert(text, index);
    m_ranks.clear();
    return index;
}

quint32 TextPool::internUtf8(const char *data, qsizetype size)
{
    if (m_hasLast && m_lastUtf8.size() == size_t(size) && std::memcmp(m_lastUtf8.data(), data, size) == 0)
        return m_lastIndex;
    m_lastUtf8.assign(data, size);
    m_hasLast = true;
    m_lastIndex = lookUpUtf8(data, size);
    return m_lastIndex;
}

quint32 TextPool::lookUpUtf8(const char *data, qsizetype size)
{
    const QByteArray key = QByteArray::fromRawData(data, size);
    const auto it = m_byUtf8.constFind(key);
    if (it != m_byUtf8.constEnd())
        return it.value();
    const quint32 index = intern(QString::fromUtf8(data, size));
    m_byUtf8.insert(QByteArray(data, size), index);
    return index;
}

const std::vector<quint32> &TextPool::ranks() const
{
    if (m_ranks.size() != m_texts.size()) {
        std::vector<quint32> order(m_texts.size());
        std::iota(order.begin(), order.end(), 0u);
        std::sort(order.begin(), order.end(), [this](quint32 a, quint32 b) {
            return QString::compare(m_texts[a], m_texts[b], Qt::CaseSensitive) < 0;
        });
        m_ranks.assign(m_texts.size(), 0);
        for (quint32 r = 0; r < order.size(); ++r)
            m_ranks[order[r]] = r;
    }
    return m_ranks;
}

void TextPool::clear()
{
    m_hasLast = false;
    m_texts.clear();
    m_byText.clear();
    m_byUtf8.clear();
    m_ranks.clear();
}
