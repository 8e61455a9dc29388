#include "base/Component.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records its own destruction so that the order of an owner's clean-up shows.
class Probe : public TComponent {
 public:
  Probe(TComponent* owner, std::string tag, std::vector<std::string>& log)
      : TComponent(owner), tag_(std::move(tag)), log_(log) {}
  ~Probe() override { log_.push_back(tag_); }
  void Handle(TObject* sender) { last_sender = sender; }
  TObject* last_sender = nullptr;

 private:
  std::string tag_;
  std::vector<std::string>& log_;
};

TEST(Component, OwnerDestroysWhatItOwnsNewestFirst) {
  std::vector<std::string> log;
  auto* root = new Probe(nullptr, "root", log);
  new Probe(root, "a", log);
  auto* b = new Probe(root, "b", log);
  new Probe(b, "b1", log);
  ASSERT_EQ(root->Components().size(), 2u);
  delete root;
  // Each probe logs before its base destroys its own components.
  EXPECT_EQ(log, (std::vector<std::string>{"root", "b", "b1", "a"}));
}

TEST(Component, ComponentDestroyedEarlyLeavesItsOwnersList) {
  std::vector<std::string> log;
  Probe root(nullptr, "root", log);
  auto* a = new Probe(&root, "a", log);
  delete a;
  EXPECT_TRUE(root.Components().empty());
}

TEST(Component, EventCallsOnlyWhenAssigned) {
  std::vector<std::string> log;
  Probe target(nullptr, "t", log);
  TNotifyEvent unassigned;
  EXPECT_FALSE(unassigned.Assigned());
  unassigned(&target);  // nothing to call, nothing happens

  TNotifyEvent event(&target, &Probe::Handle);
  ASSERT_TRUE(event.Assigned());
  EXPECT_EQ(event.Object(), &target);
  event(&target);
  EXPECT_EQ(target.last_sender, &target);
}

}  // namespace
