#pragma once

#include "engine/core/StringFunctions.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <iterator>
#include <unordered_set>
#include <vector>

namespace OrvaneEngine
{

// The owning registry of a manager's live objects. Slots of removed objects
// are reused (the one freed last first) before the slot array grows, so slot
// positions stay put while objects come and go; once fewer than half the
// slots are live the array is compacted in order.
//
// Remove may compact at once, which moves the live objects to new slots: a
// manager must not remove objects of its own registry while it walks the
// slots. The element type must have a virtual destructor.
template <typename T>
class ObjectManager
{
public:
    ObjectManager() = default;
    virtual ~ObjectManager()
    {
        ForgetRepeatedSlots();
        DeleteAllAndClear(objects);
    }
    ObjectManager(const ObjectManager&) = delete;
    ObjectManager& operator=(const ObjectManager&) = delete;

    // Null is ignored. An object added again takes a second slot: it is
    // visited twice and needs two removals.
    void Add(T* object)
    {
        if (object == nullptr)
            return;
        if (!freeIndices.empty())
        {
            objects[freeIndices.back()] = object;
            freeIndices.pop_back();
        }
        else
        {
            objects.push_back(object);
        }
        ++count;
    }

    // False for null or an object that is not registered. Never deletes: the
    // caller owns the object again after a true result.
    bool Remove(T* object)
    {
        if (object == nullptr)
            return false;
        const auto found = std::find(objects.begin(), objects.end(), object);
        if (found == objects.end())
            return false;
        freeIndices.push_back(static_cast<std::uint32_t>(found - objects.begin()));
        *found = nullptr;
        --count;
        if (static_cast<std::uint64_t>(count) * 2 < objects.size())
        {
            RemoveNullPointers(objects);
            freeIndices.clear();
        }
        return true;
    }

    std::uint32_t GetCount() const { return count; }
    // The slots in visiting order; a null slot is free.
    std::vector<T*>& GetObjects() { return objects; }
    const std::vector<T*>& GetObjects() const { return objects; }
    // Top of the stack last.
    const std::vector<std::uint32_t>& GetFreeIndices() const { return freeIndices; }

private:
    // An object added twice sits in two slots but must be deleted once: its
    // later slots are cleared, and the deletion keeps slot order.
    void ForgetRepeatedSlots()
    {
        std::vector<T*> sorted;
        sorted.reserve(count);
        std::copy_if(objects.begin(), objects.end(), std::back_inserter(sorted),
                     [](const T* object) { return object != nullptr; });
        std::sort(sorted.begin(), sorted.end(), std::less<T*>());
        if (std::adjacent_find(sorted.begin(), sorted.end()) == sorted.end())
            return;
        std::unordered_set<T*> seen;
        for (T*& object : objects)
        {
            if (object != nullptr && !seen.insert(object).second)
                object = nullptr;
        }
    }

    std::uint32_t count = 0;
    std::vector<T*> objects;
    std::vector<std::uint32_t> freeIndices;
};

} // namespace OrvaneEngine
