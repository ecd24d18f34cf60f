// Carriage control, line input and pauses of the console; the scripted console of the tests.
#include "platform/console.h"

#include "platform/interrupts.h"
#include "utf8.h"

namespace platform {

void Console::record(std::string_view utf8_record)
{
    // The carriage-control character is the record's first character, whole even when it is
    // not ASCII; any control other than '+' starts a new line, as a blank does.
    const std::size_t text_start = utf8::offset_of_char(utf8_record, 1);
    const bool overwrite = !utf8_record.empty() && utf8_record[0] == '+';
    if (overwrite)
        write_raw("\r");
    else if (line_open_)
        write_raw("\n");
    write_raw(utf8_record.substr(text_start));
    line_open_ = true;
    // Shown at once, so that the progress line moves while the adjustment computes.
    if (overwrite) flush();
}

bool Console::read_line(std::string& line)
{
    line.clear();
    if (line_open_) {
        write_raw("\n");
        line_open_ = false;
    }
    flush();
    if (before_waiting_) before_waiting_();
    // An input that has ended stays ended: no read is tried again. An interrupt ends it too,
    // whether it came before the read or broke it off.
    if (ended_ || interrupted() || !read_raw(line) || interrupted()) {
        ended_ = true;
        line.clear();
        return false;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

void Console::pause(std::string_view text)
{
    say(text);
    std::string ignored;
    read_line(ignored);
}

void Console::finish()
{
    if (line_open_) {
        write_raw("\n");
        line_open_ = false;
    }
    flush();
}

bool ScriptConsole::read_raw(std::string& line)
{
    if (next_ >= answers_.size()) return false;
    line = answers_[next_++];
    return true;
}

}  // namespace platform
