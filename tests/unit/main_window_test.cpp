#include <gtest/gtest.h>

#include "app/Horavel_Main.h"
#include "app/main_window.h"
#include "display/layout.h"
#include "lang/messages.h"
#include "settings/settings.h"
#include "tests/support/fake_platform.h"
#include "timekeeping/time_values.h"

namespace msg = platform::msg;

TEST(StartUp, TheWindowShowsOnlyOnceLaidOutAndTheToolTipsComeAfter) {
    fake::Reset();
    settings = Settings{};
    layoutState = LayoutState{};  // as a fresh start has it, whatever ran before
    meetingStart = meetingEnd = 0;
    ASSERT_TRUE(InitApplication());
    ASSERT_TRUE(fake::state.gadgetsWhenShown.has_value());
    const std::map<int, fake::Gadget>& shown = *fake::state.gadgetsWhenShown;
    for (int g : {gadget::TimerReadout, gadget::ClockReadout, gadget::StartPause, gadget::Preset5, gadget::Close}) {
        EXPECT_GT(shown.at(g).rect.width, 0) << g;
        EXPECT_GT(shown.at(g).rect.height, 0) << g;
        EXPECT_EQ(shown.at(g).rect, fake::state.gadgets.at(g).rect) << g;
    }
    for (int g : {gadget::StartPause, gadget::TimerReadout}) EXPECT_EQ(shown.at(g).toolTip, "") << g;
    EXPECT_EQ(fake::state.gadgets.at(gadget::StartPause).toolTip, Message(194));
    EXPECT_EQ(fake::state.gadgets.at(gadget::TimerReadout).toolTip, Message(198));
}

TEST(EdgeZone, FindsEachEdgeInItsOrder) {
    // A 100 x 200 client area.
    EXPECT_EQ(EdgeZoneAt(0, 100, 100, 200), 1);
    EXPECT_EQ(EdgeZoneAt(4, 100, 100, 200), 1);
    EXPECT_EQ(EdgeZoneAt(5, 100, 100, 200), 0);
    EXPECT_EQ(EdgeZoneAt(95, 100, 100, 200), 0);
    EXPECT_EQ(EdgeZoneAt(96, 100, 100, 200), 2);
    EXPECT_EQ(EdgeZoneAt(100, 100, 100, 200), 2);
    EXPECT_EQ(EdgeZoneAt(101, 100, 100, 200), 0);
    EXPECT_EQ(EdgeZoneAt(50, 3, 100, 200), 3);
    EXPECT_EQ(EdgeZoneAt(50, 4, 100, 200), 0);
    EXPECT_EQ(EdgeZoneAt(50, 196, 100, 200), 0);
    EXPECT_EQ(EdgeZoneAt(50, 197, 100, 200), 6);
    EXPECT_EQ(EdgeZoneAt(50, 200, 100, 200), 6);
    // Corners count as the left or right edge, which are tested first.
    EXPECT_EQ(EdgeZoneAt(2, 1, 100, 200), 1);
    EXPECT_EQ(EdgeZoneAt(98, 199, 100, 200), 2);
}

TEST(PresetCaption, WritesMinutesAndSeconds) {
    EXPECT_EQ(PresetCaption(60), "1m");
    EXPECT_EQ(PresetCaption(90), "1m30s");
    EXPECT_EQ(PresetCaption(45), "45s");
    EXPECT_EQ(PresetCaption(0), "0s");
    EXPECT_EQ(PresetCaption(1800), "30m");
    EXPECT_EQ(PresetCaption(3601), "60m1s");
}

TEST(PresetPrefix, CtrlWinsOverShift) {
    EXPECT_EQ(PresetPrefix(true, false), '+');
    EXPECT_EQ(PresetPrefix(false, true), '-');
    EXPECT_EQ(PresetPrefix(true, true), '+');
    EXPECT_EQ(PresetPrefix(false, false), '\0');
}

TEST(ButtonPictures, HoverBeforePressedInTheOrderSettingsMaximizeClose) {
    using A = std::array<int, 3>;
    EXPECT_EQ(ButtonPictures(0, false, false, false), (A{5, 19, 25}));
    EXPECT_EQ(ButtonPictures(0, true, false, false), (A{6, 19, 25}));
    EXPECT_EQ(ButtonPictures(0, false, true, true), (A{5, 20, 25}));  // first match only
    EXPECT_EQ(ButtonPictures(0, false, false, true), (A{5, 19, 26}));
    EXPECT_EQ(ButtonPictures(34, false, false, true), (A{5, 19, 27}));
    EXPECT_EQ(ButtonPictures(33, false, true, false), (A{5, 21, 25}));
    // Pressed on one button and moved over another: no hover while a button is held.
    EXPECT_EQ(ButtonPictures(34, false, true, false), (A{5, 19, 25}));
}

TEST(FaultReportText, AccessViolationCarriesTheTargetAddress) {
    platform::FaultInfo fault;
    fault.description = "Invalid memory access.";
    fault.code = 3221225477u;
    fault.address = 4198400;
    fault.targetAddress = 16;
    EXPECT_EQ(FaultReportText(fault),
              "A program error was detected:\r\r"
              "Error Message:   Invalid memory access.\r"
              "Error Code:      3221225477\r"
              "Code Line:      \r"
              "Code Address:    4198400\r"
              "Target Address:  16\r"
              "Sourcecode line: Enable OnError lines support to get code line information.\r"
              "\r");
}

TEST(FaultReportText, OtherFaultsHaveNoTargetLineAndMayNameTheSource) {
    platform::FaultInfo fault;
    fault.description = "Division by zero.";
    fault.code = 3221225620u;  // integer divide by zero
    fault.address = 77;
    fault.targetAddress = 99;
    fault.line = 42;
    fault.file = "timer_engine.cpp";
    const std::string text = FaultReportText(fault);
    EXPECT_EQ(text.find("Target Address"), std::string::npos);
    EXPECT_NE(text.find("Error Code:      3221225620\rCode Line:      \rCode Address:    77\r"
                        "Sourcecode line: 42\rSourcecode file: timer_engine.cpp\r\r"),
              std::string::npos);
}

TEST(ReportProgramError, ShowsTheReportAndEndsWithExitCodeZero) {
    fake::Reset();
    platform::FaultInfo fault;
    fault.description = "Stack overflow.";
    fault.code = 3221225725u;
    try {
        ReportProgramError(fault);
        FAIL() << "ReportProgramError returned";
    } catch (const fake::ProcessEnded& end) {
        EXPECT_EQ(end.exitCode, 0);
    }
    ASSERT_EQ(fake::state.messageBoxes.size(), 1u);
    EXPECT_EQ(fake::state.messageBoxes[0].first, "Horavel Error");
    EXPECT_EQ(fake::state.messageBoxes[0].second, FaultReportText(fault));
}
