#pragma once
// POSITION: where a traversal of one of the framework's lists stands. A
// position names the element that comes next, so removing the element just
// returned (closing a document while visiting them all) does not disturb it.

#include <algorithm>
#include <vector>

struct AfxPositionTag;
using POSITION = AfxPositionTag*;

template <class T>
POSITION AfxHeadPosition(const std::vector<T*>& list)
{
    if (list.empty()) {
        return nullptr;
    }
    return reinterpret_cast<POSITION>(list.front());
}

// The element at position and the position after it (null at the end). A
// position whose element has left the list ends the traversal with null.
template <class T>
T* AfxGetNextAt(const std::vector<T*>& list, POSITION& position)
{
    const auto current = std::find(list.begin(), list.end(), reinterpret_cast<T*>(position));
    position = nullptr;
    if (current == list.end()) {
        return nullptr;
    }
    const auto next = current + 1;
    if (next != list.end()) {
        position = reinterpret_cast<POSITION>(*next);
    }
    return *current;
}
