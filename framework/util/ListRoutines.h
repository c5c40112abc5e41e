#pragma once

#include <initializer_list>
#include <type_traits>

namespace tarvelo {

// True when value equals one of the list's elements; the walk stops at the first match.
template <class T, class List>
bool IsInList(const T& value, const List& list)
{
    for (const auto& element : list) {
        if (element == value)
            return true;
    }
    return false;
}

template <class T, class U>
bool IsInList(const T& value, std::initializer_list<U> list)
{
    return IsInList<T, std::initializer_list<U>>(value, list);
}

template <class A, class B>
std::common_type_t<A, B> MaxOf(const A& a, const B& b)
{
    using R = std::common_type_t<A, B>;
    return R(a) > R(b) ? R(a) : R(b);
}

template <class A, class B>
std::common_type_t<A, B> MinOf(const A& a, const B& b)
{
    using R = std::common_type_t<A, B>;
    return R(a) < R(b) ? R(a) : R(b);
}

} // namespace tarvelo
