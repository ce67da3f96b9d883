#pragma once
// The one way the program waits for an answer: every question, in a box or on the
// progress log, and every wait for a key goes through a Question, which does the same
// steps in the same order for each of them:
// 1. it does the work due before the user is asked (tui/before_wait.h), before a box
//    is drawn;
// 2. it discards the keys typed ahead of it, which answer nothing the user has seen
//    (an asker whose text stands on screen a while before it reads, across a tone,
//    discards them itself when the text appears, and says so);
// 3. it names on the hint row what it expects until it ends (a box names its own keys);
// 4. it reads events, each read showing first what was drawn (GetEvent);
// 5. it hands the question with its answer to the run's record (tui/journal.h), when
//    it is one the record keeps.
#include <cstdint>
#include <string>
#include <string_view>

#include "tui/commands.h"
#include "tui/event.h"
#include "tui/hint_bar.h"

namespace tui {

// Whether the run's record keeps a box's question with its answer.
enum class Recorded : bool { No, Yes };

enum class TypeAhead : std::uint8_t {
    Discard,
    DiscardedByAsker,  // when the question's text appeared
};

class Question {
public:
    // recorded: the question as the record takes it (a box text, a log prompt); empty
    // for a wait the record does not keep. hint: what the hint row names while the
    // question waits; empty leaves the row to the asker.
    explicit Question(std::string_view recorded = {}, std::string_view hint = {},
                      TypeAhead typeAhead = TypeAhead::Discard);
    // A box's question: its text is recorded when the record keeps the box.
    Question(std::string_view text, Recorded recorded);
    // The hint row shows again what it showed before.
    ~Question();
    Question(const Question&) = delete;
    Question& operator=(const Question&) = delete;

    // The next event.
    Event Read();
    // The next key, other events ignored; the keys typed behind it are discarded too,
    // so that only a key pressed while the wait is on screen counts.
    Event ReadKey();

    // Each ends the question with its answer: the hint row goes back, then the record
    // takes the question with the answer. Returns the answer.
    char Answer(char key);
    Command Answer(Command answer);  // recorded as the box's button reads
    const std::string& Answer(const std::string& value);

private:
    void End(std::string_view answer);

    std::string recorded_;
    HintBar* hint_ = nullptr;
};

// Discards every key typed ahead. Besides a question, keys typed while the program
// could not take them go this way: behind a search that failed, during a wait for a
// busy file.
void DiscardTypeAhead();

}  // namespace tui
