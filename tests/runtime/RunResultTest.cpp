// What a run tells of how it went: its status, value and errors, and who else hears of them.

#include "runtime/ContextParts.h"
#include "tests/runtime/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vex::test {
namespace {

class RunResultTest : public ::testing::Test {
protected:
    TFakeHost m_host;
    TTestContext m_context{m_host};
};

TEST_F(RunResultTest, RunTellsItsStatusValueAndErrors) {
    struct TCase {
        const char* Source;
        TRunStatus Status;
        double Number;
        std::string Text;
        std::size_t Errors;
    };
    const TCase cases[] = {
        {"+(1,2)", TRunStatus::Ok, 3, "", 0},
        {"Concat([a],[b])", TRunStatus::Ok, 0, "ab", 0},
        {"Nope(1)", TRunStatus::Error, 0, "", 1},
        {"Do(Nope(1),Other(2))", TRunStatus::Error, 0, "", 2},
        {"Do(1,Fail([boom]))", TRunStatus::Error, 0, "", 1},
    };
    for (const TCase& c : cases) {
        m_context.Errors.clear();
        const TRunResult result = m_context.Run(c.Source);
        EXPECT_EQ(result.Status, c.Status) << c.Source;
        EXPECT_EQ(result.Number, c.Number) << c.Source;
        EXPECT_EQ(result.Text, c.Text) << c.Source;
        ASSERT_EQ(result.Errors.size(), c.Errors) << c.Source;
        // The subscribers heard of the same errors.
        ASSERT_EQ(m_context.Errors.size(), c.Errors) << c.Source;
        for (std::size_t i = 0; i < c.Errors; ++i) {
            EXPECT_EQ(result.Errors[i].Message, m_context.Errors[i]);
            EXPECT_FALSE(result.Errors[i].Fault);
        }
    }
}

// A fault of the system classes goes to the host's error box, not to the subscribers; the run
// fails all the same.
TEST_F(RunResultTest, AFaultIsInTheResultAndInTheBoxOnly) {
    const TRunResult result = m_context.Run("SystemFault");
    EXPECT_EQ(result.Status, TRunStatus::Error);
    ASSERT_EQ(result.Errors.size(), 1u);
    EXPECT_TRUE(result.Errors[0].Fault);
    EXPECT_EQ(m_host.ErrorBoxes, std::vector<std::string>{result.Errors[0].Message});
    EXPECT_TRUE(m_context.Errors.empty());
}

TEST_F(RunResultTest, AnAbortEndsTheRunAsAborted) {
    Parts(m_context).Debug.RequestAbort();
    const TRunResult result = m_context.Run("While(1,0)");
    EXPECT_EQ(result.Status, TRunStatus::Aborted);
    EXPECT_TRUE(result.Errors.empty());
    EXPECT_EQ(m_context.Run("+(1,1)").Status, TRunStatus::Ok);
}

TEST_F(RunResultTest, WithNothingPausedRunningInThePausedFrameFails) {
    const TRunResult result = m_context.RunInPausedFrame("1");
    EXPECT_EQ(result.Status, TRunStatus::Error);
    ASSERT_EQ(result.Errors.size(), 1u);
}

// A run inside another (a word that runs text, a file executed) reports to both.
TEST_F(RunResultTest, EveryRecordingAroundANestedRunRecordsItsErrors) {
    TRunResult outer;
    {
        const TRunRecording recording(m_context, outer);
        EXPECT_EQ(m_context.Run("Nope").Errors.size(), 1u);
        EXPECT_EQ(m_context.Run("1").Status, TRunStatus::Ok);
    }
    EXPECT_EQ(outer.Status, TRunStatus::Error);
    EXPECT_EQ(outer.Errors.size(), 1u);
    EXPECT_EQ(m_context.Run("Nope").Status, TRunStatus::Error);
    EXPECT_EQ(outer.Errors.size(), 1u);
}

class TCollector final : public TErrorSubscriber {
public:
    void ErrorReported(const TRunError& error) override { Messages.push_back(error.Message); }
    std::vector<std::string> Messages;
};

TEST_F(RunResultTest, SubscribersHearEveryErrorUntilTheyUnsubscribe) {
    TCollector first;
    TCollector second;
    m_context.SubscribeErrors(first);
    m_context.SubscribeErrors(second);
    m_context.ReportError("one");
    m_context.UnsubscribeErrors(first);
    m_context.ReportError("two");
    m_context.UnsubscribeErrors(second);
    m_context.ReportError("three");
    EXPECT_EQ(first.Messages, std::vector<std::string>{"one"});
    EXPECT_EQ(second.Messages, (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(m_context.Errors, (std::vector<std::string>{"one", "two", "three"}));
}

} // namespace
} // namespace vex::test
