#pragma once

#include <QtGlobal>

#include <utility>
#include <vector>

// A collection indexed from 1, as every list of the timetable is: element 1 is the first.
// m_nSize always equals the number of elements held.
template <typename T> class CMyArray
{
public:
    CMyArray() = default;
    CMyArray(const CMyArray&) = default;
    CMyArray& operator=(const CMyArray&) = default;
    // A moved-from collection is empty, its size included.
    CMyArray(CMyArray&& other) noexcept
        : m_nSize(std::exchange(other.m_nSize, 0)), m_data(std::move(other.m_data))
    {
        other.m_data.clear();
    }
    CMyArray& operator=(CMyArray&& other) noexcept
    {
        m_data = std::move(other.m_data);
        other.m_data.clear();
        m_nSize = std::exchange(other.m_nSize, 0);
        return *this;
    }
    virtual ~CMyArray() = default;

    // Makes the collection hold exactly n elements. Elements 1..min(n, old size) keep their
    // values; new elements are value-initialised (empty strings, zero numbers).
    virtual void SetSize(qsizetype n)
    {
        m_data.resize(static_cast<size_t>(n));
        m_nSize = static_cast<int>(n);
    }

    // Element i, 1 <= i <= m_nSize, for in-place reading and writing.
    T& ElementAt(qsizetype i)
    {
        Q_ASSERT(i >= 1 && i <= m_nSize);
        return m_data[static_cast<size_t>(i - 1)];
    }
    const T& ElementAt(qsizetype i) const
    {
        Q_ASSERT(i >= 1 && i <= m_nSize);
        return m_data[static_cast<size_t>(i - 1)];
    }

    // Bulk access for code that moves many elements at once (row operations, the file reader).
    std::vector<T>& Items() { return m_data; }
    const std::vector<T>& Items() const { return m_data; }
    // Re-reads the size after Items() was changed directly.
    void SyncSize() { m_nSize = static_cast<int>(m_data.size()); }

    int m_nSize = 0;

protected:
    std::vector<T> m_data;
};
