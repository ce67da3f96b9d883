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
        EXPECT_EQ(win32::cp852Of(win32::wideOf(byte)), byte) << "byte " << b;
    }
    EXPECT_EQ(win32::wideOf("Łódź"_cp), L"\u0141\u00F3d\u017A");
    EXPECT_EQ(win32::wideOf("\x01\r\n"), L"\x01\r\n") << "control bytes stay themselves";
    EXPECT_EQ(win32::cp852Of(L"a\u20ACb\xD800"), "a?b?") << "the euro sign and a lone surrogate";
}

TEST(Environment, PolishValuesReachTheSystemAsTheirLetters) {
    const std::string name = "QZ_TEST_MIASTO";
    ASSERT_TRUE(setEnvironment(name, std::string("Łódź"_cp)));
    EXPECT_EQ(environment(name), std::string("Łódź"_cp));
    wchar_t value[16] = {};
    ASSERT_EQ(GetEnvironmentVariableW(L"QZ_TEST_MIASTO", value, 16), 4u);
    EXPECT_STREQ(value, L"\u0141\u00F3d\u017A");

    ASSERT_TRUE(setEnvironment(name, std::string()));
    EXPECT_EQ(environment(name), std::string()) << "set to nothing is not unset";
    ASSERT_TRUE(setEnvironment(name, std::nullopt));
    EXPECT_EQ(environment(name), std::nullopt);
    EXPECT_TRUE(setEnvironment(name, std::nullopt)) << "removing a missing variable";
    ASSERT_TRUE(setEnvironment(name, std::string(1000, 'x')));
    EXPECT_EQ(environment(name), std::string(1000, 'x')) << "longer than the first buffer";
    setEnvironment(name, std::nullopt);
}

TEST(CommandLine, ArgumentsComeFromTheSystemsCommandLine) {
    const std::vector<std::string> before = arguments();
    takeArguments(0, nullptr);
    // The C runtime's narrow copy agrees wherever the arguments are ASCII.
    ASSERT_EQ(static_cast<int>(arguments().size()), __argc - 1);
    for (int i = 1; i < __argc; ++i) EXPECT_EQ(arguments()[i - 1], __argv[i]);
    setArguments(before);
}

}  // namespace
