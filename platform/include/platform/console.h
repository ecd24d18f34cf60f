// The text console: records with carriage control, line input, pauses and halts.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/codepage.h"

namespace platform {

// Console output is a sequence of records. The first character of a record is carriage control
// and is not shown: ' ' starts a new line, '+' returns to the start of the current line so that
// the record overwrites it (a carriage return); any other first character counts as ' '.
// Reading a line first ends an open output line and shows everything written before it. Output
// may wait in a buffer until then, until a '+' record (shown at once) or until finish(). Once
// the input has ended, every further read returns false at once; so does every read after an
// interrupt (platform/interrupts.h).
class Console {
public:
    virtual ~Console() = default;
    // Writes one record, first character = carriage control (an empty record is an empty line).
    void record(std::string_view utf8_record);
    // Free-format write: a blank, then the text (built with Record items where numbers follow).
    void say(std::string_view text) { record(std::string(" ").append(text)); }
    // An empty line.
    void empty() { record(""); }
    // Reads one line of input without its line end (CR LF or LF); false when the input has ended.
    bool read_line(std::string& line);
    // Shows the text, waits for Enter; at the end of input it goes on as if Enter was pressed.
    void pause(std::string_view text);
    // True once a read has met the end of the input.
    bool input_ended() const { return ended_; }
    // False when the console cannot show its texts as it should (no converter to the
    // terminal's encoding could be opened).
    virtual bool ready() const { return true; }
    // Ends an open output line and shows what is buffered (at the end of the run).
    void finish();
    // What is to be done each time the console waits for an answer, after its own output is
    // shown (the run writes out its report and control file there); none when empty.
    void before_waiting(std::function<void()> hook) { before_waiting_ = std::move(hook); }

protected:
    virtual void write_raw(std::string_view utf8) = 0;   // text to show, in UTF-8 (may be buffered)
    virtual bool read_raw(std::string& line) = 0;        // a line of input, false at end
    virtual void flush() {}                              // shows what is buffered

private:
    bool line_open_ = false;
    bool ended_ = false;
    std::function<void()> before_waiting_;
};

// The process's standard input and output, converted to the terminal's encoding. A console
// program makes it first, before it opens any file: its construction opens /dev/null on any of
// the descriptors 0, 1 and 2 that is closed (see platform/descriptors.h). A read that fails (not
// an end of input) or a write that cannot be made is a hang-up (platform/interrupts.h).
class TerminalConsole final : public Console {
public:
    TerminalConsole();
    bool ready() const override { return encoding_.ready(); }
protected:
    void write_raw(std::string_view utf8) override;
    bool read_raw(std::string& line) override;
    void flush() override;
private:
    void output_failed();  // a write of the console failed: a hang-up
    struct StandardDescriptors {
        StandardDescriptors();
    };
    // Declared before the encoding: made before the encoding opens its conversion files.
    StandardDescriptors descriptors_;
    TerminalEncoding encoding_;
    bool output_lost_ = false;
};

// A console for tests: the answers are given in advance, the screen text is kept in UTF-8.
class ScriptConsole final : public Console {
public:
    explicit ScriptConsole(std::vector<std::string> answers = {}) : answers_(std::move(answers)) {}
    void add_answer(std::string line) { answers_.push_back(std::move(line)); }
    // Everything shown, with the carriage control already applied ('\n' and '\r').
    const std::string& screen() const { return screen_; }
protected:
    void write_raw(std::string_view utf8) override { screen_ += utf8; }
    bool read_raw(std::string& line) override;
private:
    std::vector<std::string> answers_;
    std::size_t next_ = 0;
    std::string screen_;
};

}  // namespace platform
