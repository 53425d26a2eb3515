// CStringArray: the framework's growable array of strings.
#pragma once

#include "afxstr.h"

#include <vector>


class CStringArray
{
public:
    INT_PTR GetSize() const { return INT_PTR(m_items.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    bool IsEmpty() const { return m_items.empty(); }
    INT_PTR Add(const CString& item)
    {
        m_items.push_back(item);
        return INT_PTR(m_items.size()) - 1;
    }
    const CString& GetAt(INT_PTR index) const { return m_items[size_t(index)]; }
    CString& ElementAt(INT_PTR index) { return m_items[size_t(index)]; }
    const CString& operator[](INT_PTR index) const { return GetAt(index); }
    CString& operator[](INT_PTR index) { return ElementAt(index); }
    void SetAt(INT_PTR index, const CString& item) { m_items[size_t(index)] = item; }
    // Size 0 destroys every element and frees the storage.
    void SetSize(INT_PTR size)
    {
        if (size <= 0)
            std::vector<CString>().swap(m_items);
        else
            m_items.resize(size_t(size));
    }
    void RemoveAll() { SetSize(0); }

private:
    std::vector<CString> m_items;
};
