#include <vector>

#include <gtest/gtest.h>

#include "core/unique_resource.h"

namespace velm {
namespace {

std::vector<int> closed;

struct FakeTraits {
  using Handle = int;
  static Handle Invalid() { return -1; }
  static void Close(Handle h) { closed.push_back(h); }
};
using Fake = UniqueResource<FakeTraits>;

TEST(UniqueResource, ClosesEachHandleExactlyOnce) {
  closed.clear();
  {
    Fake a(3);
    Fake b(std::move(a));  // ownership moves; a must not close 3
    EXPECT_FALSE(a.valid());
    Fake c(5);
    c = std::move(b);  // closes 5, takes 3
    EXPECT_EQ(closed, std::vector<int>{5});
    c = std::move(c);  // self-move keeps the handle
    EXPECT_EQ(c.get(), 3);
    Fake d(7);
    int raw = d.release();  // released handles are the caller's
    EXPECT_EQ(raw, 7);
    Fake none;  // an empty owner closes nothing
    none.reset();
  }
  EXPECT_EQ(closed, (std::vector<int>{5, 3}));
}

}  // namespace
}  // namespace velm
