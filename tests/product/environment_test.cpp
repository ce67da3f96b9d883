// Command-line switches and the registry file name.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/process.h"
#include "product/environment.h"
#include "product/switches.h"

namespace {

// Sets the command line and the variable KPRSPIS for one test and restores both.
class EnvironmentTest : public ::testing::Test {
protected:
    ~EnvironmentTest() override {
        platform::SetArguments({});
        platform::SetEnvironment("KPRSPIS", saved_);
    }
    void setVariable(const char* value) {
        platform::SetEnvironment("KPRSPIS", value ? std::optional<std::string>(value) : std::nullopt);
    }

private:
    std::optional<std::string> saved_ = platform::Environment("KPRSPIS");
};

struct SwitchCase {
    std::vector<std::string> parameters;
    const char* name;
    bool caseInsensitive;
    bool found;
};

TEST_F(EnvironmentTest, FindSwitch) {
    const SwitchCase cases[] = {
        {{}, "/kprspis:", true, false},
        {{"/kprspis:A"}, "/kprspis:", true, true},
        {{"-kprspis:A"}, "/kprspis:", true, true},
        {{"KPRSPIS:A"}, "/kprspis:", true, true},
        {{"/KprSpis:A"}, "/kprspis:", true, true},
        {{"/KprSpis:A"}, "/kprspis:", false, false},
        {{"/kprspis:A"}, "/kprspis:", false, true},
        {{"/kprspis:A"}, "kprspis:", true, true},
        {{"/kprspis"}, "/kprspis:", true, false},
        {{"/xkprspis:A"}, "/kprspis:", true, false},
        {{"//kprspis:A"}, "/kprspis:", true, false},
        {{"/"}, "/", true, false},
        {{"", "/a"}, "-", true, false},
        // Only ASCII letters are folded.
        {{"/Ą"}, "/ą", true, false},
    };
    for (const SwitchCase& c : cases) {
        platform::SetArguments(c.parameters);
        std::string shown;
        for (const std::string& p : c.parameters) shown += "[" + p + "]";
        EXPECT_EQ(product::FindSwitch(c.name, c.caseInsensitive), c.found)
            << c.name << " in " << shown << (c.caseInsensitive ? " ignoring case" : "");
    }
}

struct ValueCase {
    std::vector<std::string> parameters;
    const char* name;
    std::string value;
};

TEST_F(EnvironmentTest, SwitchValue) {
    const ValueCase cases[] = {
        {{}, "/kprspis:", ""},
        {{"/kprspis:FIRMY.DAT"}, "/kprspis:", "FIRMY.DAT"},
        {{"-KPRSPIS:firmy.dat"}, "/kprspis:", "firmy.dat"},
        {{"/KprSpis:x"}, "-kprspis:", "x"},
        {{"kprspis:x"}, "/kprspis:", "x"},
        {{"/kprspis:x"}, "kprspis:", "x"},
        {{"/kprspis:"}, "/kprspis:", ""},
        {{"/kprspis: a b "}, "/kprspis:", " a b "},
        {{"D:/KPR", "/q", "/kprspis:B", "/kprspis:C"}, "/kprspis:", "B"},
        {{"/kprspis:/x:y"}, "/kprspis:", "/x:y"},
    };
    for (const ValueCase& c : cases) {
        platform::SetArguments(c.parameters);
        std::string shown;
        for (const std::string& p : c.parameters) shown += "[" + p + "]";
        EXPECT_EQ(product::SwitchValue(c.name), c.value) << c.name << " in " << shown;
    }
}

struct RegistryCase {
    std::vector<std::string> parameters;
    const char* variable;  // nullptr: not set
    std::string expected;
};

TEST_F(EnvironmentTest, RegistryFileName) {
    const RegistryCase cases[] = {
        {{}, nullptr, "SPISFIRM.DAT"},
        {{}, "", "SPISFIRM.DAT"},
        {{"/kprspis:FIRMY.DAT"}, nullptr, "FIRMY.DAT"},
        {{"/kprspis:"}, "ZMIENNA.DAT", "ZMIENNA.DAT"},
        {{}, "ZMIENNA.DAT", "ZMIENNA.DAT"},
        {{"/kprspis:SWITCH.DAT"}, "ZMIENNA.DAT", "SWITCH.DAT"},
        {{"/kprspis:ABCDEFGHIJKLMNOP"}, nullptr, "ABCDEFGHIJKL"},
        {{}, "abcdefghijklmnop", "abcdefghijkl"},
        {{"/kprspis:ABCDEFGHIJKL"}, nullptr, "ABCDEFGHIJKL"},
        {{"/kprspis: spis.dat"}, nullptr, " spis.dat"},
        {{"D:/KPR_2024/"}, nullptr, "SPISFIRM.DAT"},
    };
    for (const RegistryCase& c : cases) {
        platform::SetArguments(c.parameters);
        setVariable(c.variable);
        product::InitEnvironment();
        std::string shown;
        for (const std::string& p : c.parameters) shown += "[" + p + "]";
        EXPECT_EQ(product::RegistryFileName(), c.expected)
            << shown << " KPRSPIS=" << (c.variable ? c.variable : "(unset)");
    }
}

}  // namespace
