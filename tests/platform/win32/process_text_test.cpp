// The command line, the environment and texts between code page 852 and UTF-16.
#include <gtest/gtest.h>
#include <stdlib.h>

#include "platform/cp852.h"
#include "platform/process.h"
#include "platform/win32/api.h"
#include "platform/win32/wide_text.h"

namespace {

using namespace platform;
using namespace platform::literals;

TEST(WideText, EveryByteGoesThereAndBack) {
    for (int b = 1; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        EXPECT_EQ(win32::Cp852Of(win32::WideOf(byte)), byte) << "byte " << b;
    }
    EXPECT_EQ(win32::WideOf("Łódź"_cp), L"\u0141\u00F3d\u017A");
    EXPECT_EQ(win32::WideOf("\x01\r\n"), L"\x01\r\n") << "control bytes stay themselves";
    EXPECT_EQ(win32::Cp852Of(L"a\u20ACb\xD800"), "a?b?") << "the euro sign and a lone surrogate";
}

TEST(Environment, PolishValuesReachTheSystemAsTheirLetters) {
    const std::string name = "QZ_TEST_MIASTO";
    ASSERT_TRUE(SetEnvironment(name, std::string("Łódź"_cp)));
    EXPECT_EQ(Environment(name), std::string("Łódź"_cp));
    wchar_t value[16] = {};
    ASSERT_EQ(GetEnvironmentVariableW(L"QZ_TEST_MIASTO", value, 16), 4u);
    EXPECT_STREQ(value, L"\u0141\u00F3d\u017A");

    ASSERT_TRUE(SetEnvironment(name, std::string()));
    EXPECT_EQ(Environment(name), std::string()) << "set to nothing is not unset";
    ASSERT_TRUE(SetEnvironment(name, std::nullopt));
    EXPECT_EQ(Environment(name), std::nullopt);
    EXPECT_TRUE(SetEnvironment(name, std::nullopt)) << "removing a missing variable";
    ASSERT_TRUE(SetEnvironment(name, std::string(1000, 'x')));
    EXPECT_EQ(Environment(name), std::string(1000, 'x')) << "longer than the first buffer";
    SetEnvironment(name, std::nullopt);
}

TEST(CommandLine, ArgumentsComeFromTheSystemsCommandLine) {
    const std::vector<std::string> before = Arguments();
    TakeArguments(0, nullptr);
    // The C runtime's narrow copy agrees wherever the arguments are ASCII.
    ASSERT_EQ(static_cast<int>(Arguments().size()), __argc - 1);
    for (int i = 1; i < __argc; ++i) EXPECT_EQ(Arguments()[i - 1], __argv[i]);
    SetArguments(before);
}

}  // namespace
