// Running one case of the table and checking its screen, report and control file.
#include "run_table.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "testsupport/runner.h"

namespace e2e {

const char* const OSTREL = OSTREL_PATH;
const char* const VINTRA = VINTRA_PATH;
const char* const OSTREL_F = OSTREL_F_PATH;
const char* const OSTREL_DATA = OSTREL_DATA_PATH;
const char* const OSTREL_C = OSTREL_C_PATH;

using testsupport::chars;
using testsupport::columns;

std::string fixture(const std::string& name) {
    std::ifstream in(std::string(FIXTURE_DIR) + "/" + name, std::ios::binary);
    if (!in) ADD_FAILURE() << "fixture " << name << " is missing";
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

Check columns(Where w, std::string anchor, int offset, int from, std::string text) {
    return {Kind::columns, w, std::move(anchor), offset, from, std::move(text), 0};
}
Check whole(Where w, std::string anchor, int offset, std::string text) {
    return {Kind::whole, w, std::move(anchor), offset, 1, std::move(text), 0};
}
Check length(Where w, std::string anchor, int offset, int n) {
    return {Kind::length, w, std::move(anchor), offset, 1, "", n};
}
Check count(Where w, std::string begins, int n) { return {Kind::count, w, "", 0, 1, std::move(begins), n}; }
Check after(Where w, std::string anchor, int n) { return {Kind::after, w, std::move(anchor), 0, 1, "", n}; }
Check rest(Where w, std::string anchor, std::string text) {
    return {Kind::rest, w, std::move(anchor), 0, 1, std::move(text), 0};
}
Check words(Where w, std::string anchor, int offset, std::string text) {
    return {Kind::words, w, std::move(anchor), offset, 1, std::move(text), 0};
}
Check last(Where w, std::string text) { return {Kind::last, w, "", 0, 1, std::move(text), 0}; }
Check lines(Where w, int n) { return {Kind::lines, w, "", 0, 1, "", n}; }
Check control_bytes(std::string bytes) { return {Kind::bytes, Where::control, "", 0, 1, std::move(bytes), 0}; }
Check unchanged(std::string file) { return {Kind::unchanged, Where::screen, "", 0, 1, std::move(file), 0}; }
Check exists(std::string file) { return {Kind::exists, Where::screen, "", 0, 1, std::move(file), 0}; }
Check missing(std::string file) { return {Kind::missing, Where::screen, "", 0, 1, std::move(file), 0}; }

File fixture_file(const std::string& name) { return {name, fixture(name)}; }

namespace {

const char* where_name(Where w) {
    switch (w) {
        case Where::screen: return "screen";
        case Where::report: return "report";
        case Where::control: return "control file";
    }
    return "";
}

bool begins(const std::string& line, const std::string& start) { return line.compare(0, start.size(), start) == 0; }

std::vector<std::string> split_words(const std::string& text) {
    std::istringstream s(text);
    std::vector<std::string> out;
    for (std::string w; s >> w;) out.push_back(w);
    return out;
}

std::string trimmed(const std::string& text) {
    const auto a = text.find_first_not_of(' ');
    if (a == std::string::npos) return "";
    return text.substr(a, text.find_last_not_of(' ') - a + 1);
}

// Index of the line a check names, or -1 (after a failure) when there is none.
int line_index(const std::vector<std::string>& lines, const Check& k) {
    int at = k.offset - 1;
    if (!k.anchor.empty()) {
        int found = -1;
        for (std::size_t i = 0; i < lines.size() && found < 0; ++i)
            if (begins(lines[i], k.anchor)) found = static_cast<int>(i);
        if (found < 0) {
            ADD_FAILURE() << "no line begins with \"" << k.anchor << "\"";
            return -1;
        }
        at = found + k.offset;
    }
    if (at < 0 || at >= static_cast<int>(lines.size())) {
        ADD_FAILURE() << "line " << at + 1 << " does not exist (" << lines.size() << " lines)";
        return -1;
    }
    return at;
}

void check_lines(const std::vector<std::string>& lines, const Check& k) {
    switch (k.kind) {
        case Kind::count: {
            int n = 0;
            for (const std::string& l : lines) n += begins(l, k.text) ? 1 : 0;
            EXPECT_EQ(n, k.n) << "lines beginning with \"" << k.text << "\"";
            return;
        }
        case Kind::last:
            ASSERT_FALSE(lines.empty());
            EXPECT_EQ(lines.back(), k.text) << "last line";
            return;
        case Kind::lines:
            EXPECT_EQ(static_cast<int>(lines.size()), k.n) << "number of lines";
            return;
        default: break;
    }
    const int i = line_index(lines, k);
    if (i < 0) return;
    const std::string& line = lines[static_cast<std::size_t>(i)];
    SCOPED_TRACE("line " + std::to_string(i + 1) + ": \"" + line + "\"");
    switch (k.kind) {
        case Kind::columns:
            EXPECT_EQ(columns(line, k.from, chars(k.text)), k.text) << "columns from " << k.from;
            break;
        case Kind::whole: EXPECT_EQ(line, k.text); break;
        case Kind::length: EXPECT_EQ(chars(line), k.n) << "characters"; break;
        case Kind::after: EXPECT_EQ(static_cast<int>(lines.size()) - 1 - i, k.n) << "lines after it"; break;
        case Kind::rest: EXPECT_EQ(trimmed(line.substr(k.anchor.size())), k.text); break;
        case Kind::words: EXPECT_EQ(split_words(line), split_words(k.text)); break;
        default: break;
    }
}

}  // namespace

void run_case(const Case& c) {
    testsupport::DataFolder folder;
    for (const File& f : c.files) folder.write(f.name, f.bytes);
    const testsupport::Outcome o = testsupport::run(c.program, folder, c.input);
    EXPECT_EQ(o.status, c.status) << "exit status";

    const std::vector<std::string> screen = testsupport::screen_lines(o.screen);
    const std::vector<std::string> report = c.report.empty() ? std::vector<std::string>{}
                                                             : folder.lines_cp1250(c.report);
    const std::vector<std::string> control = folder.lines_cp1250("ERR$$$.TXT");
    for (const Check& k : c.checks) {
        SCOPED_TRACE(std::string(where_name(k.where)) + " check, anchor \"" + k.anchor + "\", text \"" +
                     k.text + "\"");
        switch (k.kind) {
            case Kind::bytes: EXPECT_EQ(folder.read("ERR$$$.TXT"), k.text); break;
            case Kind::unchanged: {
                std::string before;
                for (const File& f : c.files)
                    if (f.name == k.text) before = f.bytes;
                EXPECT_EQ(folder.read(k.text), before);
                break;
            }
            case Kind::exists: EXPECT_TRUE(folder.exists(k.text)); break;
            case Kind::missing: EXPECT_FALSE(folder.exists(k.text)); break;
            default:
                check_lines(k.where == Where::screen ? screen : k.where == Where::report ? report : control, k);
        }
    }
    if (::testing::Test::HasFailure()) {
        std::ostringstream s;
        for (std::size_t i = 0; i < screen.size(); ++i) s << i + 1 << ": " << screen[i] << "\n";
        ADD_FAILURE() << "screen of the failed run:\n" << s.str();
    }
}

}  // namespace e2e
