#include "core/q7_objectpack.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Log {
    std::vector<std::string> steps;
    int created = 0;
    int destroyed = 0;
};

// Records its steps; asks to be removed when `remove_after` steps are done.
// `on_step` lets a test create other objects from inside a step.
class Probe final : public GameObject {
public:
    Probe(Log& log, std::string name, int remove_after = -1, std::function<void()> on_step = {})
        : log_(log), name_(std::move(name)), remove_after_(remove_after), on_step_(std::move(on_step)) {
        ++log_.created;
    }
    ~Probe() override { ++log_.destroyed; }
    void Call_Initial(int& slot) override { slot_ = slot; }
    bool Call_Events() override {
        log_.steps.push_back(name_);
        if (on_step_) on_step_();
        return ++steps_ == remove_after_;
    }
    int slot_ = -1;

private:
    Log& log_;
    std::string name_;
    int remove_after_;
    std::function<void()> on_step_;
    int steps_ = 0;
};

class ObjectPackTest : public testing::Test {
protected:
    std::vector<std::string> Step() {
        log.steps.clear();
        pack->Call_Events();
        return log.steps;
    }
    int Add(int layer, VBool down, const std::string& name, int remove_after = -1,
            std::function<void()> on_step = {}) {
        return pack->Spawn<Probe>(layer, down, log, name, remove_after, std::move(on_step));
    }
    // Slot indices in list order, from slot 0 to the end.
    std::vector<int> Walk() const {
        std::vector<int> order;
        for (int a = 0; a != -1; a = pack->GetCQ7Object(a).Next_Pos) order.push_back(a);
        return order;
    }

    Log log;
    std::unique_ptr<CQ7ObjectPack> pack = std::make_unique<CQ7ObjectPack>();
};

using Names = std::vector<std::string>;

}  // namespace

TEST_F(ObjectPackTest, NewPackHoldsOnlyTheMarkers) {
    EXPECT_EQ(pack->GetObjectCount(), 0);
    EXPECT_EQ(Walk(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(pack->GetCQ7Object(0).Prev_Pos, -1);
    EXPECT_TRUE(Step().empty());
}

TEST_F(ObjectPackTest, GroupsFixTheSteppingOrder) {
    // Created in a scrambled order; stepped group by group.
    Add(6, VB_TRUE, "shot");
    Add(3, VB_TRUE, "enemyA");
    Add(5, VB_FALSE, "ship");
    Add(2, VB_FALSE, "bgA");
    Add(3, VB_TRUE, "enemyB");
    Add(1, VB_TRUE, "stage");
    Add(4, VB_TRUE, "bullet");
    Add(2, VB_FALSE, "bgB");
    Add(3, VB_TRUE, "enemyC");
    Add(7, VB_TRUE, "gun");
    Add(2, VB_TRUE, "cloud");
    EXPECT_EQ(Step(), (Names{"stage", "cloud", "bgB", "bgA", "enemyA", "enemyB", "enemyC", "bullet", "ship",
                             "shot", "gun"}));
    EXPECT_EQ(pack->GetObjectCount(), 11);
}

TEST_F(ObjectPackTest, OnlyExactTrueAppends) {
    Add(3, VB_TRUE, "appended");
    pack->Spawn<Probe>(3, 1, log, "one");  // 1 is not True: prepended after marker 3
    Add(3, VB_FALSE, "prepended");
    pack->Spawn<Probe>(3, -1, log, "minus one");
    EXPECT_EQ(Step(), (Names{"appended", "minus one", "prepended", "one"}));
}

TEST_F(ObjectPackTest, RemovalTakesEffectOnTheNextStep) {
    Add(3, VB_TRUE, "a");
    Add(3, VB_TRUE, "b", 1);  // asks to go in its first step
    Add(3, VB_TRUE, "c");
    EXPECT_EQ(Step(), (Names{"a", "b", "c"}));
    EXPECT_EQ(pack->GetObjectCount(), 3);  // still linked until the next step
    EXPECT_EQ(log.destroyed, 0);
    EXPECT_EQ(Step(), (Names{"a", "c"}));
    EXPECT_EQ(pack->GetObjectCount(), 2);
    EXPECT_EQ(log.destroyed, 1);
}

TEST_F(ObjectPackTest, ObjectsCreatedDuringAStep) {
    // Created ahead of the current object: stepped in the same frame; behind
    // it (earlier group, or prepended to its own group): only the next frame.
    bool spawned = false;
    Add(3, VB_TRUE, "spawner", -1, [&] {
        if (spawned) return;
        spawned = true;
        Add(4, VB_TRUE, "ahead");
        Add(3, VB_TRUE, "appended");
        Add(2, VB_TRUE, "behind");
        Add(2, VB_FALSE, "prepended");
    });
    EXPECT_EQ(Step(), (Names{"spawner", "appended", "ahead"}));
    EXPECT_EQ(Step(), (Names{"behind", "prepended", "spawner", "appended", "ahead"}));
}

TEST_F(ObjectPackTest, SlotsAreHandedOutByARotatingCursor) {
    std::vector<int> slots;
    for (int i = 0; i < 10; ++i) slots.push_back(Add(3, VB_TRUE, "x", 1));
    EXPECT_EQ(slots.front(), 11);
    EXPECT_EQ(slots.back(), 20);
    EXPECT_EQ(Add(3, VB_TRUE, "stays"), 21);
    auto* probe = static_cast<Probe*>(pack->GetCQ7Object(15).Ob.get());
    EXPECT_EQ(probe->slot_, 15);  // Call_Initial got its own slot

    Step();
    Step();  // the ten are freed
    EXPECT_FALSE(pack->IsOccupied(11));
    // The search starts at the last slot handed out, so 11..20 wait for the wrap.
    EXPECT_EQ(Add(3, VB_TRUE, "y"), 22);
    // ... and tests that slot again first: freed, it is taken once more.
    pack->DeleteObject(22);
    EXPECT_EQ(Add(3, VB_TRUE, "z"), 22);
}

TEST_F(ObjectPackTest, CursorWrapsToFreedSlots) {
    // Fill up to slot 8191; slot 8192 is never used, so the search wraps to
    // the first free slot after the markers.
    for (int i = 11; i <= 8191; ++i) ASSERT_EQ(pack->NewObject(3, VB_TRUE), i);
    pack->DeleteObject(8000);
    pack->DeleteObject(40);
    EXPECT_EQ(pack->NewObject(3, VB_TRUE), 40);
    EXPECT_EQ(pack->NewObject(3, VB_TRUE), 8000);
}

TEST_F(ObjectPackTest, AFullPackRefusesWithoutLinking) {
    for (int i = 0; i < 8181; ++i) ASSERT_GE(pack->NewObject(3, VB_TRUE), 0);
    EXPECT_EQ(pack->GetObjectCount(), 8181);
    EXPECT_EQ(pack->NewObject(3, VB_TRUE), -1);
    EXPECT_EQ(Add(2, VB_FALSE, "late"), -1);
    EXPECT_EQ(log.created, 0);  // nothing was constructed
    EXPECT_EQ(pack->GetObjectCount(), 8181);
    EXPECT_FALSE(pack->IsOccupied(8192));

    pack->DeleteObject(500);
    EXPECT_EQ(pack->NewObject(3, VB_TRUE), 500);
}

TEST_F(ObjectPackTest, MarkersOutsideTheGroupsAreRefused) {
    EXPECT_EQ(pack->NewObject(0, VB_TRUE), -1);
    EXPECT_EQ(pack->NewObject(10, VB_FALSE), -1);
    EXPECT_EQ(pack->NewObject(11, VB_TRUE), -1);
    EXPECT_EQ(pack->GetObjectCount(), 0);
    EXPECT_EQ(pack->NewObject(10, VB_TRUE), 11);  // last group, just before the end marker
    EXPECT_EQ(pack->NewObject(0, VB_FALSE), 12);  // first in group 0
    EXPECT_EQ(Walk().front(), 0);
    EXPECT_EQ(Walk()[1], 12);
    EXPECT_EQ(Walk().back(), 10);
}

TEST_F(ObjectPackTest, EmptyingThePackDestroysEveryObject) {
    for (int i = 0; i < 5; ++i) Add(3, VB_TRUE, "x");
    Add(6, VB_TRUE, "flagged", 1);
    Step();
    pack->Call_Initial();
    EXPECT_EQ(log.created, 6);
    EXPECT_EQ(log.destroyed, 6);
    EXPECT_EQ(pack->GetObjectCount(), 0);
    EXPECT_TRUE(Step().empty());
    // The cursor is not reset: the search goes on from where it was.
    EXPECT_EQ(Add(3, VB_TRUE, "next"), 16);
    pack.reset();
    EXPECT_EQ(log.destroyed, 7);
}
