// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>

namespace rtv::test {

// Processes events until `condition` holds, and no longer. The limit only ends the wait for
// a program that never gets there: the failure names what was awaited.
template <typename Condition>
[[nodiscard]] ::testing::AssertionResult WaitUntil(const char* what, Condition condition,
                                                   int limitMs = 5000) {
  if (QTest::qWaitFor(condition, limitMs)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "still waiting after " << limitMs << " ms: " << what;
}

// Presses `key` on `widget` until `reached` holds, at most `limit` times: a cursor that stops
// short fails here, naming where it was going, instead of hanging the run.
template <typename Condition>
[[nodiscard]] ::testing::AssertionResult PressUntil(const char* what, QWidget* widget, Qt::Key key,
                                                    Condition reached, int limit = 1000) {
  for (int presses = 0; !reached(); ++presses) {
    if (presses == limit) {
      return ::testing::AssertionFailure() << "not there after " << limit << " presses: " << what;
    }
    QTest::keyClick(widget, key);
  }
  return ::testing::AssertionSuccess();
}

}  // namespace rtv::test
