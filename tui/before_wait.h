#pragma once
// Work due before the program turns to the user. While some is installed, every
// question (tui/question.h) does it before it is drawn, and so does the progress log
// before a line in one of its colours that call for attention (an error, a choice, a
// prompt): so nothing is asked over a state still being finished, and what the work
// writes on the log never lands inside a question. The firm loop installs the
// registration of a converted firm whose files are on their way to the disk
// (convert/firm/durable_queue.h).
#include <functional>

namespace tui {

// Installs the work; an empty function when none is due.
void SetBeforeWait(std::function<void()> work);
// Does the work installed, if any, once: it is removed before it runs, so that the
// questions inside it (a box it shows) do not run it again.
void DoBeforeWait();

}  // namespace tui
