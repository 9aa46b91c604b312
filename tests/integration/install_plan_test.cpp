#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "installer/integration/install_plan.h"
#include "test_support.h"

namespace {

struct Expected {
    StepOutcome outcome;
    const char* reason;  // its beginning
};

void ExpectSteps(const std::vector<InstallStep>& steps, const std::vector<Expected>& expected, int line) {
    SCOPED_TRACE(testing::Message() << "case at line " << line);
    ASSERT_EQ(expected.size(), steps.size());
    for (size_t i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(expected[i].outcome, steps[i].result.outcome) << "step " << i;
        EXPECT_EQ(0u, steps[i].result.reason.rfind(expected[i].reason, 0)) << steps[i].result.reason;
    }
}

// The Netscape page steps in a product folder with its build of the
// plug-in, where the registry names no Netscape user.
TEST(InstallPlan, EachPageStepEndsWithItsOutcomeAndReason) {
    RegistryScope registry;
    registry.Delete(HKEY_LOCAL_MACHINE, "SOFTWARE\\Netscape\\Netscape Navigator\\Users", "CurrentUser");
    TempFolder product("zbp");
    TempFolder browser("zbb");
    WriteBytes(product / "DemoNs.dll", "the Netscape build");
    const char kNoUser[] = "the registry names no Netscape user directory";
    struct Case {
        int line;
        std::string productDirectory;
        std::string pluginPath;
        std::vector<Expected> expected;
        std::string record;  // SetUp.ini's bytes afterwards
    } cases[] = {
        {__LINE__, "", browser / "npzrbit.dll",
         {{StepOutcome::Failed, "the product directory is unknown"},
          {StepOutcome::Failed, "the product directory is unknown"}},
         "<absent>"},
        {__LINE__, product.Path(), "", {{StepOutcome::Failed, "no plug-in directory was chosen"}, {StepOutcome::Failed, kNoUser}},
         "<absent>"},
        {__LINE__, product.Path(), browser / "missing\\npzrbit.dll",
         {{StepOutcome::Failed, "the plug-in could not be copied"}, {StepOutcome::Failed, kNoUser}}, "<absent>"},
        {__LINE__, product.Path(), browser / "npzrbit.dll", {{StepOutcome::Done, ""}, {StepOutcome::Failed, kNoUser}},
         "[Zorbit Setup]\r\nNS_PLUGIN=" + (browser / "npzrbit.dll") + "\r\n"},
    };
    for (const Case& c : cases) {
        InstallState state;
        state.productDirectory = c.productDirectory;
        state.pluginPath = c.pluginPath;
        state.netscape = true;
        std::vector<InstallStep> steps = PlanPageSteps(state.netscape);
        CarryOutInstall(state, steps);
        ExpectSteps(steps, c.expected, c.line);
        EXPECT_EQ(c.record, Exists(product / "SetUp.ini") ? ReadBytes(product / "SetUp.ini") : "<absent>") << c.line;
        EXPECT_EQ(c.expected[0].outcome == StepOutcome::Done, StepDone(steps, InstallStepKind::PluginFile)) << c.line;
        EXPECT_FALSE(AllDone(steps));
    }
    EXPECT_EQ("the Netscape build", ReadBytes(browser / "npzrbit.dll"));
}

}  // namespace
