// The interpreter: stepping, calls and returns, events, the page cache,
// the trace, and the flow and data commands it runs.

#include <gtest/gtest.h>

#include "scenario/call_man.h"
#include "scenario/command_codes.h"
#include "scenario_fixtures.h"

namespace rivo {
namespace {

using test::Interpreter;

TEST(Blocks, IfElseifElseTakeExactlyOneBranch) {
  struct Case {
    int a;
    const char* expected;
  };
  for (Case c : {Case{1, "if"}, Case{2, "elseif"}, Case{3, "else"}}) {
    Interpreter it;
    it.host.AddPage("main.rsb", R"(VarNew a
  . kind integer
  . value )" + std::to_string(c.a) + R"(
VarNew s
  . kind string
If a == 1
  Calc s = s ++ "if"
Elseif a == 2
  Calc s = s ++ "elseif"
Elseif a == 2
  Calc s = s ++ "second elseif"
Else
  Calc s = s ++ "else"
Calc s = s ++ "."
)");
    it.Start("main.rsb");
    it.Tick();
    EXPECT_EQ(it.Str("s"), std::string(c.expected) + ".") << c.a;
  }
}

TEST(Blocks, FalseIfWithoutElseLandsAfterItsBody) {
  Interpreter it;
  it.host.AddPage("main.rsb", R"(VarNew s
  . kind string
If FALSE
  Calc s = "body"
  If TRUE
    Calc s = "inner"
Calc s = s ++ "after"
)");
  it.Start("main.rsb");
  it.Tick();
  EXPECT_EQ(it.Str("s"), "after");
}

TEST(Loops, BreakAndContinueFollowTheStructure) {
  Interpreter it;
  it.host.AddPage("main.rsb", R"(VarNew total
  . kind integer
VarNew i
  . kind integer
WhileInit i = 0
While i < 100
  If i == 3
    Continue TRUE
  Break i == 6
  Calc total = total + i
WhileLoop i = i + 1
Calc total = total * 10
)");
  it.Start("main.rsb");
  it.Tick();
  EXPECT_EQ(it.Int("total"), (0 + 1 + 2 + 4 + 5) * 10);
  EXPECT_EQ(it.Int("i"), 6);
}

TEST(Loops, BreakOutsideALoopReturnsToTheCaller) {
  Interpreter it;
  it.host.AddPage("main.rsb", R"(VarNew s
  . kind string
Call sub.rsb
  . cond TRUE
Calc s = s ++ "back"
)");
  it.host.AddPage("sub.rsb", R"(Calc s = s ++ "sub,"
Break TRUE
Calc s = s ++ "never"
)");
  it.Start("main.rsb");
  it.Tick();
  EXPECT_EQ(it.Str("s"), "sub,back");
}

TEST(Calls, ArgumentsWithoutValueAreLeftOutAndResultsComeBack) {
  Interpreter it;
  it.host.AddPage("sub.rsb", R"(page 112
return integer
VarNew n
  . kind integer
  . value @ParamCount
  . scope autodelete
Calc count = n
Calc seen = @ParamStr[0] ++ "," ++ @ParamStr[1]
Calc @Result = 42
)");
  it.host.AddPage("main.rsb", R"(VarNew r
  . kind integer
VarNew count
  . kind integer
VarNew seen
  . kind string
Call sub.rsb
  . result r
  . cond TRUE
  . args 40
  . args
  . args 2
Calc count = count
)");
  it.Start("main.rsb");
  it.Tick();
  EXPECT_EQ(it.Int("count"), 2);
  EXPECT_EQ(it.Str("seen"), "40,2");
  EXPECT_EQ(it.Int("r"), 42);
  EXPECT_EQ(it.calls->ArgCount(), 0);
  // The autodelete variable went with the call.
  EXPECT_EQ(it.variables.Find("n"), nullptr);
}

TEST(Calls, ACallOfAMissingPageChangesNothing) {
  Interpreter it;
  it.host.AddPage("main.rsb", R"(VarNew s
  . kind string
Call gone.rsb
  . cond TRUE
Calc s = s ++ "x"
)");
  // The page is listed as existing but cannot be read as a page.
  it.host.files["gone.rsb"] = "bad";
  it.Start("main.rsb");
  it.Tick();
  EXPECT_EQ(it.Str("s"), "x");
  EXPECT_EQ(it.calls->CallStack().Count(), 0);
}

TEST(Calls, JumpNeedsATrueCondition) {
  Interpreter it;
  it.host.AddPage("other.rsb", R"(Calc s = "top"
Label there
Calc s = s ++ ",there"
)");
  it.host.AddPage("main.rsb", R"(VarNew s
  . kind string
Jump other.rsb
Jump other.rsb
  . cond FALSE
Calc s = "stayed"
Jump other.rsb
  . target @there
  . cond TRUE
Calc s = "not here"
)");
  it.Start("main.rsb");
  it.Tick();
  EXPECT_EQ(it.Str("s"), "stayed,there");
}

TEST(Waits, AThousandMillisecondWaitMovesOnInItsSixtyFourthTick) {
  Interpreter it;
  it.host.AddPage("main.rsb", R"(VarNew done
  . kind integer
Wait
  . time 1000
Calc done = 1
)");
  it.Start("main.rsb");
  it.Tick(63);
  EXPECT_EQ(it.Int("done"), 0);
  it.Tick();
  EXPECT_EQ(it.Int("done"), 1);
}

TEST(Waits, AFlipWhoseContinueFlagIsSetStillWaitsTickByTick) {
  Interpreter it;
  // Every command here has its continue flag: the Flip must end each tick
  // itself, or it would find the same time again and again.
  it.host.AddPage("main.rsb", R"(VarNew done
  . kind integer
Flip 1
  . duration 100
Calc done = 1
)");
  it.Start("main.rsb");
  it.Tick(2);
  EXPECT_EQ(it.screen.TransitionKind(), 1);
  // The clock starts in the second tick; the ninth is 112 ms on.
  it.Tick(6);
  EXPECT_EQ(it.Int("done"), 0);
  it.Tick();
  EXPECT_EQ(it.Int("done"), 1);
  EXPECT_EQ(it.screen.TransitionKind(), 0);
  EXPECT_EQ(it.screen.ActiveIndex(), 1);
}

TEST(Waits, AFalseConditionEndsTheWaitAtOnceAndTimeZeroWaitsForever) {
  Interpreter it;
  it.host.AddPage("main.rsb", R"(VarNew step
  . kind integer
Wait FALSE
  . time 1000
Calc step = 1
Wait TRUE
Calc step = 2
)");
  it.Start("main.rsb");
  it.Tick();
  EXPECT_EQ(it.Int("step"), 1);
  it.Tick(500);
  EXPECT_EQ(it.Int("step"), 1);
}

TEST(Events, AnEventInterruptsAWaitWhichResumesItsRemainingTime) {
  Interpreter it;
  it.host.AddPage("main.rsb", R"(VarNew done
  . kind integer
VarNew handled
  . kind integer
Wait
  . time 160
Calc done = 1
)");
  it.host.AddPage("ev.rsb", R"(Calc handled = handled + 1
Label second
Calc handled = handled + 10
)");
  it.Start("main.rsb");
  it.Tick(5);  // 16 ms skipped, then 4 * 16 = 64 of 160 ms
  it.Event("ev.rsb:second");
  it.Tick();  // the handler runs, then the Wait resumes with 96 ms left: 80
  EXPECT_EQ(it.Int("handled"), 10);
  EXPECT_EQ(it.Int("done"), 0);
  it.Tick(4);
  EXPECT_EQ(it.Int("done"), 0);
  it.Tick();
  EXPECT_EQ(it.Int("done"), 1);
}

TEST(Events, AWaitThatBlocksEventsKeepsThemQueued) {
  Interpreter it;
  it.host.AddPage("main.rsb", R"(VarNew handled
  . kind integer
Wait
  . time 100
  . block TRUE
Wait TRUE
)");
  it.host.AddPage("ev.rsb", "Calc handled = handled + 1\n");
  it.Start("main.rsb");
  it.Tick();
  it.Event("ev.rsb");
  it.Tick(3);
  EXPECT_EQ(it.Int("handled"), 0);
  EXPECT_EQ(it.screen.Events().Entries().size(), 1u);
  it.Tick(10);
  EXPECT_EQ(it.Int("handled"), 1);
  EXPECT_TRUE(it.screen.Events().Entries().empty());
}

TEST(Events, TwoEventsInOneTickRunOneAfterTheOther) {
  Interpreter it;
  it.host.AddPage("main.rsb", "VarNew log\n  . kind string\nWait TRUE\n");
  it.host.AddPage("a.rsb", "Calc log = log ++ \"a\"\n");
  it.host.AddPage("b.rsb", "Calc log = log ++ \"b\"\n");
  it.Start("main.rsb");
  it.Tick();
  it.Event("a.rsb");
  it.Event("b.rsb");
  it.Tick();
  EXPECT_EQ(it.Str("log"), "ab");
  EXPECT_EQ(it.calls->State(), 0);
}

TEST(Events, ASecondEventNestsWhileTheFirstHandlerWaits) {
  Interpreter it;
  it.host.AddPage("main.rsb", "VarNew log\n  . kind string\nWait TRUE\n");
  it.host.AddPage("a.rsb", "Calc log = log ++ \"a1\"\nWait\n  . time 50\nCalc log = log ++ \"a2\"\n");
  it.host.AddPage("b.rsb", "Calc log = log ++ \"b\"\n");
  it.Start("main.rsb");
  it.Tick();
  it.Event("a.rsb");
  it.Event("b.rsb");
  it.Tick();  // a runs up to its Wait; b's turn comes at the next tick
  EXPECT_EQ(it.Str("log"), "a1");
  it.Tick();
  EXPECT_EQ(it.Str("log"), "a1b");
  // a's Wait ends in the fourth tick after its first; a Wait yields even then.
  it.Tick(3);
  EXPECT_EQ(it.Str("log"), "a1b");
  it.Tick();
  EXPECT_EQ(it.Str("log"), "a1ba2");
  EXPECT_EQ(it.calls->State(), 0);
}

TEST(Events, ACallReturningInsideANestedHandlerDoesNotEndTheHandler) {
  Interpreter it;
  it.host.AddPage("main.rsb", "VarNew log\n  . kind string\nWait TRUE\n");
  it.host.AddPage("a.rsb", "Calc log = log ++ \"a1\"\nWait\n  . time 500\nCalc log = log ++ \"a2\"\n");
  it.host.AddPage("b.rsb", R"(Call sub.rsb
  . cond TRUE
Calc log = log ++ "b-after-call"
Wait
  . time 32
Calc log = log ++ ",b-end"
)");
  it.host.AddPage("sub.rsb", "Calc log = log ++ \",sub,\"\n");
  it.host.AddPage("c.rsb", "Calc log = log ++ \",c\"\n");
  it.Start("main.rsb");
  it.Tick();
  it.Event("a.rsb");
  it.Tick();
  it.Event("b.rsb");
  it.Tick();
  EXPECT_EQ(it.Str("log"), "a1,sub,b-after-call");
  EXPECT_EQ(it.calls->EventLevel(), 3);
  // A new event while b waits nests deeper; it does not find b ended.
  it.Event("c.rsb");
  it.Tick();
  EXPECT_EQ(it.Str("log"), "a1,sub,b-after-call,c");
  it.Tick(4);
  EXPECT_EQ(it.Str("log"), "a1,sub,b-after-call,c,b-end");
}

TEST(Events, AnEventWhosePageCannotBeReachedIsDroppedAndTraced) {
  Interpreter it;
  it.host.AddPage("main.rsb", "VarNew log\n  . kind string\nWait TRUE\n");
  it.host.AddPage("b.rsb", "Calc log = log ++ \"b\"\n");
  it.Start("main.rsb");
  it.Tick();
  it.Event("missing.rsb");
  it.Event("ab");  // shorter than three characters
  it.Event("b.rsb");
  it.Tick();
  EXPECT_EQ(it.Str("log"), "b");
  EXPECT_TRUE(it.screen.Events().Entries().empty());
  int dropped = 0;
  for (const std::string& line : it.host.trace) dropped += line.find("<Dropped>") != std::string::npos;
  EXPECT_EQ(dropped, 2);
}

TEST(Events, PCResetInsideAHandlerMovesTheMainProcessWhenTheHandlerReturns) {
  Interpreter it;
  it.host.AddPage("main.rsb", R"(VarNew log
  . kind string
Wait TRUE
Label moved
Calc log = log ++ ",main moved"
Wait TRUE
)");
  it.host.AddPage("ev.rsb", R"(PCReset main.rsb
  . target @moved
Calc log = log ++ "handler goes on"
)");
  it.Start("main.rsb");
  it.Tick();
  it.Event("ev.rsb");
  it.Tick();
  EXPECT_EQ(it.Str("log"), "handler goes on,main moved");
}

TEST(Events, PCResetOfAllProcessesStartsOver) {
  Interpreter it;
  it.host.AddPage("main.rsb", R"(VarNew log
  . kind string
Wait TRUE
Label moved
Calc log = log ++ "main moved"
Wait TRUE
)");
  it.host.AddPage("ev.rsb", R"(PCReset main.rsb
  . target @moved
  . all 1
Calc log = log ++ "never"
)");
  it.Start("main.rsb");
  it.Tick();
  it.Event("ev.rsb");
  it.Event("ev.rsb");
  it.Tick();
  EXPECT_EQ(it.Str("log"), "main moved");
  EXPECT_EQ(it.calls->CallStack().Count(), 0);
  EXPECT_TRUE(it.screen.Events().Entries().empty());
}

TEST(Stepping, ACommandThatStaysWithoutWaitingEndsTheTick) {
  Interpreter it;
  // A jump back to itself never moves on, yet does not wait.
  it.host.AddPage("main.rsb", R"(VarNew n
  . kind integer
Label again
Calc n = n + 1
Jump main.rsb
  . target @again
  . cond n < 1000
)");
  it.Start("main.rsb");
  it.Tick();  // a jump to another position moves: the loop runs within the tick
  EXPECT_EQ(it.Int("n"), 1000);
  Interpreter stay;
  stay.host.AddPage("main.rsb", "Terminate\n");
  stay.host.AddPage("ev.rsb", "VarNew x\n  . kind integer\n");
  stay.Start("main.rsb");
  stay.Tick();
  EXPECT_TRUE(stay.host.terminating);
  EXPECT_TRUE(stay.host.close_requested);
}

TEST(Stepping, AFailingCommandInAHandlerEndsTheTickInsteadOfSpinning) {
  Interpreter it;
  it.host.AddPage("main.rsb", "VarNew n\n  . kind integer\nWait TRUE\n");
  // The reset's page is missing: the command fails where it stands.
  it.host.AddPage("ev.rsb", "Calc n = n + 1\nPCReset missing.rsb\nCalc n = 100\n");
  it.Start("main.rsb");
  it.Tick();
  it.Event("ev.rsb");
  it.Tick();  // returns, although the handler cannot move on
  EXPECT_EQ(it.Int("n"), 1);
  EXPECT_EQ(it.calls->State(), 2);
  it.Tick(3);
  EXPECT_EQ(it.Int("n"), 1);
}

TEST(Cache, TheRunningPageIsNeverDroppedAndOnlyTenStay) {
  Interpreter it;
  std::string main = "VarNew log\n  . kind string\n";
  for (int i = 1; i <= 11; ++i) {
    std::string name = "p" + std::to_string(i) + ".rsb";
    it.host.AddPage(name, "Calc log = log ++ \"" + std::to_string(i) + ",\"\n");
    main += "Call " + name + "\n  . cond TRUE\n";
  }
  it.host.AddPage("main.rsb", main + "Wait TRUE\n");
  it.Start("main.rsb");
  it.Tick();
  EXPECT_EQ(it.Str("log"), "1,2,3,4,5,6,7,8,9,10,11,");
  std::vector<std::string> cached = it.calls->CachedPageNames();
  EXPECT_EQ(cached.size(), TCallMan::kMaxCachedPages);
  EXPECT_EQ(cached.front(), "main.rsb");
  // main was loaded once, although eleven pages passed through the cache.
  EXPECT_EQ(it.host.reads["main.rsb"], 1);
  EXPECT_EQ(std::find(cached.begin(), cached.end(), "p1.rsb"), cached.end());
}

TEST(Trace, EachCommandIsTracedOnceWithTimeAndLine) {
  Interpreter it;
  it.host.AddPage("main.rsb", "    5 c | Calc a = 1\n    9 c | Wait\n      | . time 32\n   12 c | Label x\n");
  it.host.AddPage("ev.rsb", "    3 - | Label go\n    4 c | Calc b = 1\n");
  it.Start("main.rsb");
  it.Tick();
  it.Event("ev.rsb:go");
  it.Tick(3);
  std::vector<std::string> expected = {
      "00000010 : main.rsb(5)", "00000010 : main.rsb(9)", "00000020 : <Event>ev.rsb(3)",
      "00000020 : ev.rsb(3)",   "00000020 : ev.rsb(4)",   "00000020 : main.rsb(9)",
      "00000030 : main.rsb(12)",
  };
  EXPECT_EQ(it.host.trace, expected);
}

TEST(Data, VarNewKeepsStatusVariablesAndRefusesBadNamesAndKinds) {
  Interpreter it;
  it.host.AddPage("main.rsb", R"(VarNew kept
  . kind integer
  . value 5
  . scope status
VarNew kept
  . kind integer
  . value 9
  . scope status
VarNew
  . kind integer
VarNew odd
  . kind 7
VarNew gone
  . kind flag
  . value TRUE
VarDel gone
VarNew after
  . kind integer
  . value 1
)");
  it.Start("main.rsb");
  it.Tick();
  EXPECT_EQ(it.Int("kept"), 5);
  EXPECT_EQ(it.variables.Find("odd"), nullptr);
  EXPECT_EQ(it.variables.Find("gone"), nullptr);
  EXPECT_EQ(it.Int("after"), 1);
}

TEST(Data, CommandsOfLaterSubsystemsMoveOnAndAreCounted) {
  Interpreter it;
  it.host.AddPage("main.rsb", "Cinema\nClrHist\nClrHist\nVarNew z\n  . kind integer\n  . value 3\n");
  it.Start("main.rsb");
  it.Tick();
  EXPECT_EQ(it.Int("z"), 3);
  std::map<uint8_t, int32_t> expected = {{CC_CINEMA, 1}, {CC_CLRHIST, 2}};
  EXPECT_EQ(it.calls->Skipped(), expected);
}

}  // namespace
}  // namespace rivo
