#include "tui/question.h"

#include "platform/cp852.h"
#include "tui/before_wait.h"
#include "tui/journal.h"

namespace tui {

namespace {

using namespace platform::literals;

std::string_view CommandWord(Command answer) {
    switch (answer) {
        case cmYes: return "Tak";
        case cmNo: return "Nie";
        case cmAccept: return "OK";
        default: return "Porzuć"_cp;
    }
}

}  // namespace

Question::Question(std::string_view recorded, std::string_view hint, TypeAhead typeAhead) : recorded_(recorded) {
    DoBeforeWait();
    if (typeAhead == TypeAhead::Discard) DiscardTypeAhead();
    if (!hint.empty()) hint_ = PushHintBar(NewHint(nullptr, 0, 0, hint));
}

Question::Question(std::string_view text, Recorded recorded)
    : Question(recorded == Recorded::Yes ? text : std::string_view()) {}

Question::~Question() {
    if (hint_) PopHintBar(hint_);
}

Event Question::Read() {
    Event event;
    GetEvent(event);
    return event;
}

Event Question::ReadKey() {
    Event event;
    do {
        event = Read();
    } while (event.kind != EventKind::Key);
    DiscardTypeAhead();
    return event;
}

char Question::Answer(char key) {
    End(std::string_view(&key, 1));
    return key;
}

Command Question::Answer(Command answer) {
    End(CommandWord(answer));
    return answer;
}

const std::string& Question::Answer(const std::string& value) {
    End(value);
    return value;
}

void Question::End(std::string_view answer) {
    if (hint_) PopHintBar(hint_);
    if (!recorded_.empty()) JournalAnswer(recorded_, answer);
}

void DiscardTypeAhead() {
    while (KeyWaiting()) static_cast<void>(tui::ReadKey());
}

}  // namespace tui
