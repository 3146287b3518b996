#pragma once

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <utility>
#include <vector>

// An ordered, index-addressed list of records held by value.
template <class T>
class RecordList {
public:
    int GetSize() const { return static_cast<int>(m_items.size()); }
    bool IsEmpty() const { return m_items.empty(); }

    T& operator[](int i) { return m_items[static_cast<std::size_t>(i)]; }
    const T& operator[](int i) const { return m_items[static_cast<std::size_t>(i)]; }

    // New elements are default-constructed, dropped ones destroyed.
    void SetSize(int n) { m_items.resize(n > 0 ? static_cast<std::size_t>(n) : 0); }
    void Add(const T& item) { m_items.push_back(item); }
    void InsertAt(int i, const T& item) { m_items.insert(m_items.begin() + i, item); }
    void RemoveAt(int i) { m_items.erase(m_items.begin() + i); }
    // Replaces the count elements from i with [first, last), moving the tail at most once.
    template <class It>
    void Replace(int i, int count, It first, It last)
    {
        const auto at = m_items.begin() + i;
        if (std::distance(first, last) == count) {
            std::copy(first, last, at);
            return;
        }
        m_items.insert(m_items.erase(at, at + count), first, last);
    }
    // Removes every element and gives the storage back.
    void RemoveAll() { std::vector<T>().swap(m_items); }
    void Reserve(int n) { m_items.reserve(static_cast<std::size_t>(n)); }

    auto begin() { return m_items.begin(); }
    auto end() { return m_items.end(); }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    std::vector<T> m_items;
};

// The element after i in a closed ring of n = list.GetSize() > 0: the last one's next is the first.
template <class T>
const T& NextInRing(const RecordList<T>& list, int i)
{
    return list[(i + 1) % list.GetSize()];
}
