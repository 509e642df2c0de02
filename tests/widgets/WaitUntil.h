// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <QTest>

namespace rtv::test {

// Processes events until `condition` holds, and no longer. The limit only ends the wait for
// a program that never gets there: the failure names what was awaited.
template <typename Condition>
[[nodiscard]] ::testing::AssertionResult WaitUntil(const char* what, Condition condition,
                                                   int limitMs = 5000) {
  if (QTest::qWaitFor(condition, limitMs)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "still waiting after " << limitMs << " ms: " << what;
}

}  // namespace rtv::test
