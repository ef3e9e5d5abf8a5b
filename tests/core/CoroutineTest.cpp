#include <vector>

#include "SceneFixture.h"
#include "core/Behavior.h"
#include "core/GameObject.h"
#include "core/ObjectPasses.h"

namespace {

// Records which steps ran; what each step returns is set per test.
class ScriptedBhv : public Behavior {
public:
    CoCommand Main(int step) {
        ran.push_back(step);
        if (step < static_cast<int>(answers.size())) {
            return answers[step];
        }
        return CoEnd();
    }
    CoCommand Other(int step) {
        otherRan.push_back(step);
        return step == 0 ? CoNext() : CoEnd();
    }

    std::vector<int> ran;
    std::vector<int> otherRan;
    std::vector<CoCommand> answers;
};

class CoroutineTest : public SceneFixture {
protected:
    void Frame() { UpdatePass(root); }

    GameObject root;
};

TEST_F(CoroutineTest, StartRunsStepZeroAtOnceAndDoesNotRestartARunningCoroutine) {
    ScriptedBhv b;
    b.answers = {CoWaitFrames(3), CoNext(), CoEnd()};
    b.StartCoroutine<&ScriptedBhv::Main>();
    EXPECT_EQ(b.ran, (std::vector<int>{0}));
    Coroutine& co = b.GetCoroutine<&ScriptedBhv::Main>();
    EXPECT_EQ(co.StepIndex, 1);
    EXPECT_EQ(co.WaitFrames, 3);

    b.StartCoroutine<&ScriptedBhv::Main>();
    EXPECT_EQ(b.ran, (std::vector<int>{0}));
    EXPECT_EQ(co.WaitFrames, 3);
}

TEST_F(CoroutineTest, GoToZeroAndRestartFromALaterStepRunStepZeroInTheSameCall) {
    for (CoCommand jump : {CoGoTo(0), CoRestart()}) {
        ScriptedBhv b;
        b.answers = {CoNext(), CoNext(), CoNext(), jump};
        b.StartCoroutine<&ScriptedBhv::Main>();
        Coroutine& co = b.GetCoroutine<&ScriptedBhv::Main>();
        ResumeCoroutine(co);
        ResumeCoroutine(co);
        b.answers[0] = CoWaitFrames(1);
        ResumeCoroutine(co); // step 3 jumps to 0 within this call
        EXPECT_EQ(b.ran, (std::vector<int>{0, 1, 2, 3, 0}));
        EXPECT_EQ(co.StepIndex, 1);
        EXPECT_EQ(co.WaitFrames, 1);
    }
}

TEST_F(CoroutineTest, WaitFramesRunsTheNextStepInTheNthLaterUpdate) {
    auto* b = new ScriptedBhv;
    root.AddComponent(b);
    b->answers = {CoWaitFrames(2), CoEnd()};
    b->StartCoroutine<&ScriptedBhv::Main>();
    Frame();
    EXPECT_EQ(b->ran.size(), 1u);
    Frame();
    EXPECT_EQ(b->ran, (std::vector<int>{0, 1}));
}

TEST_F(CoroutineTest, WaitSecondsCarriesOvershootSoTheAveragePeriodHolds) {
    auto* b = new ScriptedBhv;
    root.AddComponent(b);
    b->answers.assign(1000, CoWaitSeconds(0.5f));
    b->StartCoroutine<&ScriptedBhv::Main>();
    std::vector<int> resumeFrames;
    for (int frame = 1; frame <= 60 * 20; ++frame) {
        const size_t before = b->ran.size();
        Frame();
        if (b->ran.size() != before) {
            resumeFrames.push_back(frame);
        }
    }
    ASSERT_GE(resumeFrames.size(), 2u);
    EXPECT_TRUE(resumeFrames[0] == 30 || resumeFrames[0] == 31) << resumeFrames[0];
    // 20 seconds at 0.5 s a loop: 40 resumes, give or take the last partial period.
    EXPECT_NEAR(static_cast<double>(resumeFrames.size()), 40.0, 1.0);
}

TEST_F(CoroutineTest, DisabledAncestorFreezesCoroutinesWhereTheyAre) {
    auto* child = new GameObject;
    root.AppendChild(child);
    auto* b = new ScriptedBhv;
    child->AddComponent(b);
    b->answers = {CoNext(), CoNext(), CoEnd()};
    b->StartCoroutine<&ScriptedBhv::Main>();
    root.UpdateEnabled = false;
    Frame();
    Frame();
    EXPECT_EQ(b->ran, (std::vector<int>{0}));
    root.UpdateEnabled = true;
    Frame();
    EXPECT_EQ(b->ran, (std::vector<int>{0, 1}));
}

// Starts a second coroutine from inside its first one's step 0 on the next frame.
class StarterBhv : public Behavior {
public:
    CoCommand First(int step) {
        if (step == 1) {
            StartCoroutine<&StarterBhv::Second>();
        }
        return step < 2 ? CoNext() : CoEnd();
    }
    CoCommand Second(int step) {
        secondRan.push_back(step);
        return step < 3 ? CoNext() : CoEnd();
    }
    std::vector<int> secondRan;
};

TEST_F(CoroutineTest, CoroutineStartedInsideAStepRunsStepZeroAtOnceAndMayStepAgainThatFrame) {
    auto* b = new StarterBhv;
    root.AddComponent(b);
    b->StartCoroutine<&StarterBhv::First>();
    Frame();
    // Second's id is newer (larger), so the same walk reaches it after First and runs its step 1.
    EXPECT_EQ(b->secondRan, (std::vector<int>{0, 1}));
}

TEST_F(CoroutineTest, EachBehaviourHasItsOwnCoroutineForTheSameStepFunction) {
    ScriptedBhv a;
    ScriptedBhv b;
    a.answers = b.answers = {CoNext(), CoNext(), CoEnd()};
    a.StartCoroutine<&ScriptedBhv::Main>();
    ResumeCoroutine(a.GetCoroutine<&ScriptedBhv::Main>());
    b.StartCoroutine<&ScriptedBhv::Main>();
    EXPECT_EQ(a.GetCoroutine<&ScriptedBhv::Main>().StepIndex, 2);
    EXPECT_EQ(b.GetCoroutine<&ScriptedBhv::Main>().StepIndex, 1);
    EXPECT_EQ(a.Coroutines.begin()->first, b.Coroutines.begin()->first);
    a.StartCoroutine<&ScriptedBhv::Other>();
    EXPECT_EQ(a.Coroutines.size(), 2u);
}

TEST_F(CoroutineTest, StopKeepsTheStepIndexUntilTheNextStart) {
    ScriptedBhv b;
    b.answers = {CoNext(), CoNext(), CoNext(), CoEnd()};
    b.StartCoroutine<&ScriptedBhv::Main>();
    ResumeCoroutine(b.GetCoroutine<&ScriptedBhv::Main>());
    b.StopCoroutine<&ScriptedBhv::Main>();
    EXPECT_FALSE(b.IsCoroutineRunning<&ScriptedBhv::Main>());
    EXPECT_EQ(b.GetCoroutine<&ScriptedBhv::Main>().StepIndex, 2);
    b.StartCoroutine<&ScriptedBhv::Main>();
    EXPECT_EQ(b.GetCoroutine<&ScriptedBhv::Main>().StepIndex, 1);
}

using CoroutineDeathTest = CoroutineTest;

TEST_F(CoroutineDeathTest, RestartFromStepZeroIsFatalNotAHang) {
    ScriptedBhv b;
    b.answers = {CoRestart()};
    EXPECT_DEATH(b.StartCoroutine<&ScriptedBhv::Main>(), "step 0 returned Restart");
}

} // namespace
