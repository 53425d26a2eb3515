#pragma once

#include "opennurbs_point.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>

namespace ON_ArrayDetail
{
// When full, an array grows to 4 if its capacity was below 2, else to twice its capacity.
inline int GrownCapacity(int capacity)
{
    return capacity < 2 ? 4 : 2 * capacity;
}

// Raw storage: the arrays relocate their elements bitwise, as the toolkit does. As realloc, but 0
// bytes frees the block and gives null, and a failed allocation throws std::bad_alloc.
void* Reallocate(void* block, std::size_t bytes);

// What both arrays share: the open members, access and the count rules. Derived supplies
// SetCapacity.
template <class T, class Derived> class ArrayBase
{
public:
    int Count() const { return m_count; }
    int Capacity() const { return m_capacity; }

    // No bounds check, as in the toolkit's release builds.
    T& operator[](int i) { return m_a[i]; }
    const T& operator[](int i) const { return m_a[i]; }
    // Null when i is out of range.
    T* At(int i) { return (i >= 0 && i < m_count) ? m_a + i : nullptr; }
    const T* At(int i) const { return (i >= 0 && i < m_count) ? m_a + i : nullptr; }
    T* Array() { return m_a; }
    const T* Array() const { return m_a; }
    T* First() { return m_count > 0 ? m_a : nullptr; }
    T* Last() { return m_count > 0 ? m_a + (m_count - 1) : nullptr; }

    // Honoured only for 0 <= count <= Capacity(); nothing is constructed or destroyed.
    void SetCount(int count)
    {
        if (count >= 0 && count <= m_capacity)
        {
            m_count = count;
        }
    }

    void Reserve(int capacity)
    {
        if (capacity > m_capacity)
        {
            static_cast<Derived*>(this)->SetCapacity(capacity);
        }
    }

    // Frees the storage (destroying any elements): count and capacity 0.
    void Destroy() { static_cast<Derived*>(this)->SetCapacity(0); }

    T* m_a = nullptr;
    int m_count = 0;
    int m_capacity = 0;

protected:
    ArrayBase() = default;
    ArrayBase(const ArrayBase&) = default;
    ArrayBase& operator=(const ArrayBase&) = default;
    ~ArrayBase() = default;

    void GrowIfFull()
    {
        if (m_count == m_capacity)
        {
            static_cast<Derived*>(this)->SetCapacity(GrownCapacity(m_capacity));
        }
    }

    bool Holds(const T* p) const { return p >= m_a && p < m_a + m_capacity; }
};
} // namespace ON_ArrayDetail

// An array of plain data: elements are copied bitwise and never constructed or destroyed.
template <class T> class ON_SimpleArray : public ON_ArrayDetail::ArrayBase<T, ON_SimpleArray<T>>
{
    static_assert(std::is_trivially_copyable_v<T>, "ON_SimpleArray holds plain data; use ON_ClassArray");
    using Base = ON_ArrayDetail::ArrayBase<T, ON_SimpleArray<T>>;

public:
    using Base::m_a;
    using Base::m_capacity;
    using Base::m_count;

    ON_SimpleArray() = default;
    // Reserves room for capacity elements; the count stays 0.
    explicit ON_SimpleArray(int capacity) { SetCapacity(capacity); }
    ON_SimpleArray(const ON_SimpleArray& src) : Base() { *this = src; }
    ~ON_SimpleArray() { SetCapacity(0); }

    ON_SimpleArray& operator=(const ON_SimpleArray& src)
    {
        if (this != &src)
        {
            if (m_capacity < src.m_count)
            {
                SetCapacity(src.m_count);
            }
            if (src.m_count > 0)
            {
                std::memcpy(static_cast<void*>(m_a), src.m_a, sizeof(T) * src.m_count);
            }
            m_count = src.m_count;
        }
        return *this;
    }

    // Appends a copy of x; x may be an element of this array.
    void Append(const T& x)
    {
        const T copy = x;
        this->GrowIfFull();
        m_a[m_count++] = copy;
    }

    void Append(int count, const T* items)
    {
        for (int i = 0; i < count; i++)
        {
            Append(items[i]);
        }
    }

    // Appends a zero-filled element and returns it.
    T& AppendNew()
    {
        this->GrowIfFull();
        std::memset(static_cast<void*>(m_a + m_count), 0, sizeof(T));
        return m_a[m_count++];
    }

    // Inserts a copy of x before index i (0 <= i <= Count()).
    void Insert(int i, const T& x)
    {
        if (i < 0 || i > m_count)
        {
            return;
        }
        const T copy = x;
        this->GrowIfFull();
        std::memmove(static_cast<void*>(m_a + i + 1), m_a + i, sizeof(T) * (m_count - i));
        m_a[i] = copy;
        m_count++;
    }

    void Remove(int i)
    {
        if (i < 0 || i >= m_count)
        {
            return;
        }
        std::memmove(static_cast<void*>(m_a + i), m_a + i + 1, sizeof(T) * (m_count - 1 - i));
        m_count--;
    }

    // Grows or shrinks the storage; the count is cut to the new capacity.
    void SetCapacity(int capacity)
    {
        capacity = capacity < 0 ? 0 : capacity;
        if (capacity != m_capacity)
        {
            m_a = static_cast<T*>(ON_ArrayDetail::Reallocate(m_a, sizeof(T) * std::size_t(capacity)));
            m_capacity = capacity;
            m_count = m_count > capacity ? capacity : m_count;
        }
    }

    // Count 0, capacity kept, the whole buffer zeroed.
    void Empty()
    {
        if (m_a != nullptr)
        {
            std::memset(static_cast<void*>(m_a), 0, sizeof(T) * m_capacity);
        }
        m_count = 0;
    }

    // Zeroes the first Count() elements.
    void Zero()
    {
        if (m_count > 0)
        {
            std::memset(static_cast<void*>(m_a), 0, sizeof(T) * m_count);
        }
    }
};

// An array of objects. Every slot up to the capacity holds a constructed element; growing
// relocates them bitwise (no copy constructors), so element types must not point into themselves.
template <class T> class ON_ClassArray : public ON_ArrayDetail::ArrayBase<T, ON_ClassArray<T>>
{
    using Base = ON_ArrayDetail::ArrayBase<T, ON_ClassArray<T>>;

public:
    using Base::m_a;
    using Base::m_capacity;
    using Base::m_count;

    ON_ClassArray() = default;
    // Reserves room for capacity elements; the count stays 0.
    explicit ON_ClassArray(int capacity) { SetCapacity(capacity); }
    ON_ClassArray(const ON_ClassArray& src) : Base() { *this = src; }
    ~ON_ClassArray() { SetCapacity(0); }

    ON_ClassArray& operator=(const ON_ClassArray& src)
    {
        if (this != &src)
        {
            if (m_capacity < src.m_count)
            {
                SetCapacity(src.m_count);
            }
            for (int i = 0; i < src.m_count; i++)
            {
                m_a[i] = src.m_a[i];
            }
            m_count = src.m_count;
        }
        return *this;
    }

    // Assigns x (T::operator=) to the next slot; x may be an element of this array.
    void Append(const T& x)
    {
        if (m_count == m_capacity && this->Holds(&x))
        {
            const T copy = x;
            this->GrowIfFull();
            m_a[m_count++] = copy;
            return;
        }
        this->GrowIfFull();
        m_a[m_count++] = x;
    }

    // Appends a freshly constructed element and returns it.
    T& AppendNew()
    {
        this->GrowIfFull();
        Reconstruct(m_count);
        return m_a[m_count++];
    }

    // Inserts a copy of x before index i (0 <= i <= Count()).
    void Insert(int i, const T& x)
    {
        if (i < 0 || i > m_count)
        {
            return;
        }
        const T copy = x;
        this->GrowIfFull();
        m_a[m_count].~T();
        std::memmove(static_cast<void*>(m_a + i + 1), static_cast<const void*>(m_a + i),
                     sizeof(T) * (m_count - i));
        new (static_cast<void*>(m_a + i)) T();
        m_a[i] = copy;
        m_count++;
    }

    void Remove(int i)
    {
        if (i < 0 || i >= m_count)
        {
            return;
        }
        m_a[i].~T();
        std::memmove(static_cast<void*>(m_a + i), static_cast<const void*>(m_a + i + 1),
                     sizeof(T) * (m_count - 1 - i));
        new (static_cast<void*>(m_a + m_count - 1)) T();
        m_count--;
    }

    // Grows (constructing the new slots) or shrinks (destroying the dropped ones); the count is
    // cut to the new capacity.
    void SetCapacity(int capacity)
    {
        capacity = capacity < 0 ? 0 : capacity;
        if (capacity == m_capacity)
        {
            return;
        }
        for (int i = capacity; i < m_capacity; i++)
        {
            m_a[i].~T();
        }
        m_a = static_cast<T*>(
            ON_ArrayDetail::Reallocate(static_cast<void*>(m_a), sizeof(T) * std::size_t(capacity)));
        for (int i = m_capacity; i < capacity; i++)
        {
            new (static_cast<void*>(m_a + i)) T();
        }
        m_capacity = capacity;
        m_count = m_count > capacity ? capacity : m_count;
    }

    // Count 0, capacity kept; every element destroyed and constructed again.
    void Empty()
    {
        for (int i = 0; i < m_capacity; i++)
        {
            Reconstruct(i);
        }
        m_count = 0;
    }

private:
    void Reconstruct(int i)
    {
        m_a[i].~T();
        new (static_cast<void*>(m_a + i)) T();
    }
};

// An array of double-precision points.
class ON_3dPointArray : public ON_SimpleArray<ON_3dPoint>
{
public:
    ON_3dPointArray() = default;
    explicit ON_3dPointArray(int capacity) : ON_SimpleArray<ON_3dPoint>(capacity) {}
};
