#pragma once

#include <cstdint>
#include <vector>

namespace OrvaneEngine
{

class Model;

// Puts a render list in the order of CompareModels, keeping the list's order
// among models that compare equal. Each model's group and depth become one
// integer key, read once per model, and the keys are sorted by their digits,
// so the cost grows with the list rather than with list × log list model
// comparisons. The working space is kept: once it has grown to the list's
// size no call allocates.
class RenderListSorter
{
public:
    void Sort(std::vector<Model*>& list);

private:
    struct Item
    {
        std::uint64_t key;
        Model* model;
    };

    static std::uint64_t KeyOf(const Model* model);

    std::vector<Item> items;
    std::vector<Item> spare;
    std::vector<std::uint32_t> counts;
};

} // namespace OrvaneEngine
