// A short no-data-loss soak with a fixed seed (the long one is `make soak`).
#include <gtest/gtest.h>

#include "core/soak/soakrun.h"

namespace {

TEST(Soak, ThreeHundredRandomFoldersLoseNoFile) {
  Soak::TSoakStats stats;
  EXPECT_EQ(Soak::RunSoak(20240607, 300, stats, nullptr), "");
  EXPECT_EQ(stats.Runs, 300u);
  // The mix must hold both moves and failures, or it tests little.
  EXPECT_GT(stats.Moves, 300u);
  EXPECT_GT(stats.Failures, 100u);
}

}  // namespace
