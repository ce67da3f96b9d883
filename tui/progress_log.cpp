#include "tui/progress_log.h"

#include <algorithm>
#include <array>
#include <string>

#include "platform/cp852.h"
#include "tui/before_wait.h"
#include "tui/journal.h"
#include "tui/polish_text.h"
#include "tui/question.h"
#include "tui/screen.h"
#include "tui/text_device.h"

namespace tui {

namespace {

using namespace platform::literals;

constexpr int kHeaderRows = 2;
constexpr int kLastLineRow = 23;  // the row below it stays blank
constexpr std::uint32_t kSlowPauseMs = 1000;

const std::string kBlankRow(kLogColumns, ' ');

struct Log {
    // What the log shows, so that scrolled rows can be drawn again.
    std::array<std::string, kLogRows> rows;
    int row = 1;
    int column = 1;
    bool lineInError = false;  // a part of the line at the write row was written in the error colour
    std::string wholeLine;     // the line at the write row as written, not cut at column 80
    // After a scroll, the rows above the write row and row 24 are drawn when the
    // screen is next shown, once for every line written meanwhile, in the text
    // attribute of the last scroll.
    bool scrolledRowsPending = false;
    Attribute scrollAttribute = 0x07;
    bool slow = false;  // the run's slow mode: see LogPause

    Log() { rows.fill(kBlankRow); }
};

// The one log of the screen, which every part of the run writes to.
Log gLog;

void DrawRow(int row, Attribute attribute = TextAttribute()) {
    WriteOnScreen(attribute, 1, row, gLog.rows[row - 1]);
}

void BlankRows(int first, int last) {
    for (int row = first; row <= last; ++row) {
        gLog.rows[row - 1] = kBlankRow;
        DrawRow(row);
    }
}

std::string ShownLine() {
    const std::string& row = gLog.rows[gLog.row - 1];
    return row.substr(0, row.find_last_not_of(' ') + 1);
}

// The run's record takes the line at the write row whole, however far past the
// screen's edge it was written.
void JournalWholeLine() {
    const std::string& line = gLog.wholeLine;
    JournalLine(std::string_view(line).substr(0, line.find_last_not_of(' ') + 1), gLog.lineInError);
    gLog.lineInError = false;
    gLog.wholeLine.clear();
}

// "Naciśnij T lub N" for the choices "TN".
std::string ChoiceHint(std::string_view choices) {
    const std::string_view press = "Naciśnij "_cp;
    std::string text(press);
    for (std::size_t index = 0; index < choices.size(); ++index) {
        if (index > 0) text += index + 1 == choices.size() ? " lub " : ", ";
        text += choices[index];
    }
    return text;
}

void DrawScrolledRows() {
    if (!gLog.scrolledRowsPending) return;
    gLog.scrolledRowsPending = false;
    for (int row = kHeaderRows + 1; row < kLastLineRow; ++row) DrawRow(row, gLog.scrollAttribute);
    DrawRow(kLastLineRow + 1, gLog.scrollAttribute);
}

// Moves rows 4-24 up by one into rows 3-23; row 24 becomes blank. The new write row
// is drawn at once, the rest when the screen is next shown: a log of many lines
// between two showings is redrawn once, not once a line.
void Scroll() {
    std::rotate(gLog.rows.begin() + kHeaderRows, gLog.rows.begin() + kHeaderRows + 1,
                gLog.rows.begin() + kLastLineRow + 1);
    gLog.rows[kLastLineRow] = kBlankRow;
    gLog.scrollAttribute = TextAttribute();
    DrawRow(kLastLineRow, gLog.scrollAttribute);
    gLog.scrolledRowsPending = true;
    PutOffDrawing(DrawScrolledRows);
}

void WriteText(std::string_view text, Attribute colour) {
    gLog.wholeLine.append(text);
    const auto part = text.substr(0, static_cast<std::size_t>(kLogColumns - gLog.column + 1));
    gLog.rows[gLog.row - 1].replace(static_cast<std::size_t>(gLog.column - 1), part.size(), part);
    WriteOnScreen(colour, gLog.column, gLog.row, part);
    gLog.column = std::min(gLog.column + static_cast<int>(part.size()), kLogColumns);
    PlaceCursorOnScreen(gLog.column, gLog.row);
    if (colour == logcolour::Error) gLog.lineInError = true;
}

void EndLine() {
    JournalWholeLine();
    if (gLog.row < kLastLineRow)
        ++gLog.row;
    else
        Scroll();
    gLog.column = 1;
    PlaceCursorOnScreen(gLog.column, gLog.row);
    ShowProgress();
}

}  // namespace

// A line begun in a colour that calls for attention (an error, a choice, a question)
// turns to the user: the work due before that is done first, so that what it writes
// stands above the line, not inside it.
void LogWrite(std::string_view text, Attribute colour) {
    if (gLog.column == 1 && colour != TextAttribute() && colour != logcolour::Normal &&
        colour != logcolour::CopyStart)
        DoBeforeWait();
    WriteText(text, colour);
}

void LogWriteLine(std::string_view text, Attribute colour) {
    LogWrite(text, colour);
    EndLine();
}

void LogNotice(std::string_view text, Attribute colour) { WriteText(text, colour); }

void LogNoticeLine(std::string_view text, Attribute colour) {
    WriteText(text, colour);
    EndLine();
}

void ClearLog(bool whole) {
    // A line left unended (a prompt, "cdn - ...") is recorded before it goes.
    if (gLog.column > 1) JournalWholeLine();
    const int first = whole ? 1 : kHeaderRows + 1;
    gLog.scrolledRowsPending = false;  // every row that waited is blanked now
    BlankRows(first, kLogRows);
    gLog.row = first;
    gLog.column = 1;
    gLog.wholeLine.clear();
    PlaceCursorOnScreen(gLog.column, gLog.row);
}

std::string LogLineSoFar() { return ShownLine(); }

void RedrawLog() {
    gLog.scrolledRowsPending = false;
    for (int row = 1; row <= kLogRows; ++row) DrawRow(row);
    PlaceCursorOnScreen(gLog.column, gLog.row);
}

Event LogWaitForKey(bool discardFirst) {
    Question wait({}, "Naciśnij dowolny klawisz"_cp,
                       discardFirst ? TypeAhead::Discard : TypeAhead::DiscardedByAsker);
    return wait.ReadKey();
}

char LogWaitForChoice(std::string_view question, std::string_view choices) {
    Question asked(question, ChoiceHint(choices));
    for (;;) {
        const Event event = asked.Read();
        if (event.kind != EventKind::Key || event.extended) continue;
        const char key = UpperChar(static_cast<char>(event.character));
        if (choices.find(key) != std::string_view::npos) return asked.Answer(key);
    }
}

void SetSlowLog(bool slow) { gLog.slow = slow; }

void LogPause() {
    if (gLog.slow) Delay(kSlowPauseMs);
}

}  // namespace tui
