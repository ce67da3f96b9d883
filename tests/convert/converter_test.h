#pragma once
// A fixture for the record converters: the state a run starts with, the progress log
// cleared below its header rows (the clock ticks in row 1 while keys are awaited), and
// every key wait counted (with the log as it was then) so that tests can say how many
// there were. A wait takes the next key of type(), or Enter.
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "convert/options.h"
#include "product/records/packed_date.h"
#include "tui/progress_log.h"
#include "product/records/record_fields.h"
#include "tests/support/conversion_test.h"
#include "tui/keys.h"

namespace qztest {

// A record built field by field.
struct TestRecord {
    std::vector<std::uint8_t> bytes;

    explicit TestRecord(std::size_t size) : bytes(size, 0) {}
    TestRecord& key(std::int64_t value, std::size_t offset = 0) {
        product::WriteInt64(bytes, offset, value);
        return *this;
    }
    TestRecord& byte(std::size_t offset, std::uint8_t value) {
        bytes.at(offset) = value;
        return *this;
    }
    TestRecord& word(std::size_t offset, std::uint16_t value) {
        product::WriteWord(bytes, offset, value);
        return *this;
    }
    TestRecord& date(std::size_t offset, product::PackedDate value) {
        product::WritePackedDate(bytes, offset, value);
        return *this;
    }
    // A short text: the length byte, then the characters (code page 852).
    TestRecord& text(product::TextField field, std::string_view value) {
        bytes.at(field.offset) = static_cast<std::uint8_t>(value.size());
        std::copy(value.begin(), value.end(), bytes.begin() + static_cast<std::ptrdiff_t>(field.offset + 1));
        return *this;
    }
    // Every byte from offset on a distinct, non-zero pattern, to see what moved.
    TestRecord& pattern(std::size_t from, std::size_t to, std::uint8_t seed) {
        for (std::size_t i = from; i < to; ++i) bytes.at(i) = static_cast<std::uint8_t>((i * 7 + seed) % 251 + 1);
        return *this;
    }
};

class ConverterTest : public ConversionTest {
protected:
    ConverterTest() {
        clearLog();
        // Keys are handed out one per wait: the log discards keys typed ahead.
        screen.SetOnDry([this] {
            if (answerFirst && answerFirst()) return;
            // A prompt that Enter cannot answer would ask for ever.
            if (++keyWaits > kMaxKeyWaits) {
                ADD_FAILURE() << "endless key waits; screen:\n" << screen.ScreenText();
                throw ProgramExit{-2};
            }
            logsAtWaits.push_back(log());
            if (typed.empty()) {
                screen.PushKey(tui::kbEnter);
                return;
            }
            screen.PushText(std::string(1, typed.front()));
            typed.pop_front();
        });
    }

    // Keys for the coming waits, one per wait.
    void type(std::string_view keys) { typed.insert(typed.end(), keys.begin(), keys.end()); }
    static void clearLog() { tui::ClearLog(false); }

    // The log area as UTF-8 lines, without the blank rows below the last one written.
    std::string log() const {
        std::string text = rows(3, 23);
        while (text.size() >= 2 && text.ends_with("\n\n")) text.pop_back();
        return text;
    }

    // Answers a wait that is not a key wait of the conversion (a picker, say) and
    // returns true, or returns false to leave it to the keys of type().
    std::function<bool()> answerFirst;
    static constexpr int kMaxKeyWaits = 100;
    int keyWaits = 0;
    std::vector<std::string> logsAtWaits;
    std::deque<char> typed;
};

}  // namespace qztest
