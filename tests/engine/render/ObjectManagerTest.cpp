#include "engine/render/ObjectManager.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace OrvaneEngine
{
namespace
{

// Records its own destruction, so the tests see which objects the registry deleted.
class Tracked
{
public:
    Tracked(int id_, std::vector<int>* destroyed_) : id(id_), destroyed(destroyed_) {}
    virtual ~Tracked() { destroyed->push_back(id); }
    Tracked(const Tracked&) = delete;
    Tracked& operator=(const Tracked&) = delete;

    int id;

private:
    std::vector<int>* destroyed;
};

class ObjectManagerTest : public ::testing::Test
{
protected:
    // Adds n new objects with ids first, first + 1, ...
    std::vector<Tracked*> AddNew(ObjectManager<Tracked>& registry, int n, int first = 0)
    {
        std::vector<Tracked*> added;
        for (int id = first; id < first + n; ++id)
        {
            added.push_back(new Tracked(id, &destroyed));
            registry.Add(added.back());
        }
        return added;
    }

    // Ids per slot, -1 for a free slot.
    static std::vector<int> Ids(const ObjectManager<Tracked>& registry)
    {
        std::vector<int> ids;
        for (const Tracked* object : registry.GetObjects())
            ids.push_back(object != nullptr ? object->id : -1);
        return ids;
    }

    std::vector<int> destroyed;
};

TEST_F(ObjectManagerTest, CompactsOnlyWhenFewerThanHalfTheSlotsAreLive)
{
    ObjectManager<Tracked> registry;
    std::vector<Tracked*> objects = AddNew(registry, 10);
    for (int index = 0; index < 5; ++index)
    {
        EXPECT_TRUE(registry.Remove(objects[index * 2]));
        delete objects[index * 2];
    }
    // count 5, 5 x 2 = 10 is not below 10 slots.
    EXPECT_EQ(registry.GetCount(), 5u);
    EXPECT_EQ(Ids(registry), (std::vector<int>{-1, 1, -1, 3, -1, 5, -1, 7, -1, 9}));
    EXPECT_EQ(registry.GetFreeIndices(), (std::vector<std::uint32_t>{0, 2, 4, 6, 8}));

    EXPECT_TRUE(registry.Remove(objects[5]));
    delete objects[5];
    EXPECT_EQ(registry.GetCount(), 4u);
    EXPECT_EQ(Ids(registry), (std::vector<int>{1, 3, 7, 9}));
    EXPECT_TRUE(registry.GetFreeIndices().empty());

    // After the compaction the next object goes to the end.
    AddNew(registry, 1, 100);
    EXPECT_EQ(Ids(registry), (std::vector<int>{1, 3, 7, 9, 100}));
}

TEST_F(ObjectManagerTest, ReusesTheSlotFreedLastThenAppends)
{
    ObjectManager<Tracked> registry;
    std::vector<Tracked*> objects = AddNew(registry, 5);
    ASSERT_TRUE(registry.Remove(objects[3]));
    ASSERT_TRUE(registry.Remove(objects[1]));
    delete objects[3];
    delete objects[1];
    // 3 live of 5 slots: no compaction.
    EXPECT_EQ(Ids(registry), (std::vector<int>{0, -1, 2, -1, 4}));

    AddNew(registry, 1, 10);
    EXPECT_EQ(Ids(registry), (std::vector<int>{0, 10, 2, -1, 4}));
    AddNew(registry, 1, 11);
    EXPECT_EQ(Ids(registry), (std::vector<int>{0, 10, 2, 11, 4}));
    AddNew(registry, 1, 12);
    EXPECT_EQ(Ids(registry), (std::vector<int>{0, 10, 2, 11, 4, 12}));
    EXPECT_EQ(registry.GetCount(), 6u);
}

TEST_F(ObjectManagerTest, RemovingTheOnlyObjectLeavesNothing)
{
    ObjectManager<Tracked> registry;
    Tracked* only = AddNew(registry, 1)[0];
    EXPECT_TRUE(registry.Remove(only));
    EXPECT_EQ(registry.GetCount(), 0u);
    EXPECT_TRUE(registry.GetObjects().empty());
    EXPECT_TRUE(registry.GetFreeIndices().empty());
    // Remove never deletes.
    EXPECT_TRUE(destroyed.empty());
    delete only;
}

TEST_F(ObjectManagerTest, NullAndAbsentPointersChangeNothing)
{
    ObjectManager<Tracked> registry;
    std::vector<Tracked*> objects = AddNew(registry, 3);
    ASSERT_TRUE(registry.Remove(objects[1]));
    Tracked stranger(99, &destroyed);

    registry.Add(nullptr);
    EXPECT_FALSE(registry.Remove(nullptr));
    EXPECT_FALSE(registry.Remove(&stranger));
    EXPECT_FALSE(registry.Remove(objects[1]));
    EXPECT_EQ(registry.GetCount(), 2u);
    EXPECT_EQ(Ids(registry), (std::vector<int>{0, -1, 2}));
    EXPECT_EQ(registry.GetFreeIndices(), (std::vector<std::uint32_t>{1}));
    delete objects[1];
}

TEST_F(ObjectManagerTest, DestructorDeletesExactlyTheLiveObjectsInSlotOrder)
{
    std::vector<Tracked*> removed;
    {
        ObjectManager<Tracked> registry;
        std::vector<Tracked*> objects = AddNew(registry, 6);
        for (int index : {4, 1})
        {
            registry.Remove(objects[index]);
            removed.push_back(objects[index]);
        }
        AddNew(registry, 1, 7); // into slot 1
    }
    EXPECT_EQ(destroyed, (std::vector<int>{0, 7, 2, 3, 5}));
    destroyed.clear();
    for (Tracked* object : removed)
        delete object;
    EXPECT_EQ(destroyed, (std::vector<int>{4, 1}));
}

TEST_F(ObjectManagerTest, AnObjectAddedTwiceHasTwoSlotsAndIsDeletedOnce)
{
    {
        ObjectManager<Tracked> registry;
        std::vector<Tracked*> objects = AddNew(registry, 3);
        ASSERT_TRUE(registry.Remove(objects[0]));
        delete objects[0];
        registry.Add(objects[2]); // into the freed slot 0
        registry.Add(objects[2]); // appended
        EXPECT_EQ(registry.GetCount(), 4u);
        EXPECT_EQ(Ids(registry), (std::vector<int>{2, 1, 2, 2}));

        // One removal frees the first of its slots only.
        EXPECT_TRUE(registry.Remove(objects[2]));
        EXPECT_EQ(registry.GetCount(), 3u);
        EXPECT_EQ(Ids(registry), (std::vector<int>{-1, 1, 2, 2}));
        destroyed.clear();
    }
    EXPECT_EQ(destroyed, (std::vector<int>{1, 2}));
}

} // namespace
} // namespace OrvaneEngine
