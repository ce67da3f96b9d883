// Names from data files that may become parts of paths.
#include "convert/copying/file_names.h"

#include <gtest/gtest.h>

#include "platform/cp852.h"

using namespace platform::literals;

TEST(IsPlainFileName, OnlyNamesThatStayInTheirDirectory) {
    const struct {
        std::string_view name;
        bool plain;
    } cases[] = {
        {"ABC.REK", true},   {"2024_lp2.cc", true}, {"Notatnik.txt", true}, {"ŚRODKI"_cp, true},
        {"A B", true},       {".profile", true},    {"", false},            {".", false},
        {"..", false},       {"...", false},        {". ", false},          {"  ", false},
        {"A/B", false},      {"A\\B", false},       {"C:", false},          {"*.*", false},
        {"A?", false},       {"A>B", false},        {"A<B", false},         {"A|B", false},
        {"\"A\"", false},    {"A\tB", false},       {std::string_view("A\0B", 3), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(convert::IsPlainFileName(c.name), c.plain) << platform::cp852::ToUtf8(std::string(c.name));
}
