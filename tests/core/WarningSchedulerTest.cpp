// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WarningScheduler.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "ManualClock.h"
#include "MemoryAccessHost.h"
#include "MessageLog.h"
#include "ShippedData.h"
#include "base/MessageBus.h"
#include "base/TimerTask.h"
#include "cells/CellAccess.h"
#include "cells/CellNames.h"
#include "cells/CellRequest.h"

namespace rtv {
namespace {

// The scheduler alone, over the shipped check list, whose cells answer from `flags`, ticked
// every 50 ms as its owner ticks it.
struct SchedulerFixture {
  SchedulerFixture() {
    host.accessor.Serve(LinkFamily::WarningChecks, [this](CellAccess& access) {
      access.request.resultFlags |= flags[access.cell.cellLink];
      return AccessResult::Nothing;
    });
    scheduler.SetMarksShown(
        [this](const std::vector<std::string>& errors, const std::vector<std::string>& warnings) {
          shownErrors = errors;
          shownWarnings = warnings;
          ++marksShown;
        });
    scheduler.Start();
    tick.Bind([this](TimerTask&) { scheduler.Tick(); });
    tick.Schedule(WarningScheduler::kTickMs);
  }
  MemoryAccessHost host{test::DataFile("RTV612.OVL")};
  test::ManualClock clock;
  MessageBus bus{clock};
  WarningScheduler scheduler{host.overlay, host.accessor, clock, bus};
  TimerTask tick{clock};
  test::MessageLog log{bus};
  std::map<int, std::uint8_t> flags;
  std::vector<std::string> shownErrors;
  std::vector<std::string> shownWarnings;
  int marksShown = 0;
};

TEST(WarningSchedulerTest, AWriteWaits250msAndEveryLaterWriteRestartsTheWait) {
  SchedulerFixture f;
  f.scheduler.Restart();
  f.clock.Advance(200);
  f.scheduler.Restart();  // the wait starts again
  f.clock.Advance(200);
  EXPECT_EQ(f.scheduler.Evaluations(), 0);
  EXPECT_TRUE(f.scheduler.Waiting());
  f.clock.Advance(100);  // the 50 ms tick after the deadline, then the bus tick
  EXPECT_EQ(f.scheduler.Evaluations(), 1);
  EXPECT_FALSE(f.scheduler.Waiting());
  EXPECT_EQ(f.marksShown, 1);
  EXPECT_EQ(f.log.Count<msg::WarningsUpdated>(), 1);
  f.clock.Advance(1000);
  EXPECT_EQ(f.scheduler.Evaluations(), 1);
}

TEST(WarningSchedulerTest, StoppedItWaitsForever) {
  SchedulerFixture f;
  f.scheduler.Restart();
  f.scheduler.Stop();
  f.clock.Advance(1000);
  EXPECT_EQ(f.scheduler.Evaluations(), 0);
  EXPECT_TRUE(f.scheduler.Waiting());
}

TEST(WarningSchedulerTest, ChecksNowKeepOrEndTheWaitAndOnlyARefreshIsAnnounced) {
  SchedulerFixture f;
  f.scheduler.Restart();
  f.scheduler.CheckNow();  // the tree was rebuilt: the wait goes on
  EXPECT_TRUE(f.scheduler.Waiting());
  f.scheduler.CheckInsteadOfWaiting();  // another image: its marks now, no wait
  EXPECT_FALSE(f.scheduler.Waiting());
  f.clock.Advance(1000);
  EXPECT_EQ(f.scheduler.Evaluations(), 2);
  EXPECT_EQ(f.log.Count<msg::WarningsUpdated>(), 0);
  f.scheduler.Restart();
  f.scheduler.Refresh();  // an undo: at once, and the bus hears it
  EXPECT_FALSE(f.scheduler.Waiting());
  f.clock.Advance(1000);
  EXPECT_EQ(f.scheduler.Evaluations(), 3);
  EXPECT_EQ(f.log.Count<msg::WarningsUpdated>(), 1);
}

TEST(WarningSchedulerTest, TheOutcomeSortsSheetsIntoErrorsAndWarningsAndReachesTheMarks) {
  SchedulerFixture f;
  f.flags[LinkNo("CL_Check_Int_ChInh")] = CellRequest::kResultError;
  f.flags[LinkNo("CL_Check_Dsc_SelfId")] = CellRequest::kResultWarning;
  // An error with a warning counts as an error only.
  f.flags[LinkNo("CL_Check_Conf_Softkey")] =
      CellRequest::kResultError | CellRequest::kResultWarning;
  f.scheduler.CheckNow();
  EXPECT_EQ(f.scheduler.ErrorSheets(),
            (std::vector<std::string>{"GI_Sheet_IntCh", "GI_Sheet_Config"}));
  EXPECT_EQ(f.scheduler.WarningSheets(), std::vector<std::string>{"GI_Sheet_DscSet"});
  EXPECT_EQ(f.shownErrors, f.scheduler.ErrorSheets());
  EXPECT_EQ(f.shownWarnings, f.scheduler.WarningSheets());

  f.flags.clear();
  f.scheduler.CheckNow();
  EXPECT_TRUE(f.shownErrors.empty());
  EXPECT_TRUE(f.shownWarnings.empty());
}

}  // namespace
}  // namespace rtv
