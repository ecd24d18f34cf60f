// Carriage control, line input, pauses and halts on the scripted console.
#include <gtest/gtest.h>

#include "platform/console.h"
#include "platform/halt.h"

namespace platform {
namespace {

TEST(Console, CarriageControlOfRecords)
{
    ScriptConsole console;
    console.say("Tisk souřadnic ");
    console.record("+                                    pocitam    1");
    console.record("+                                    pocitam    2");
    console.empty();
    console.record(" KONEC");
    console.finish();
    EXPECT_EQ(console.screen(),
              "Tisk souřadnic \r                                    pocitam    1"
              "\r                                    pocitam    2\n\nKONEC\n");
}

TEST(Console, NonAsciiFirstCharacterIsTakenWholeAsControl)
{
    ScriptConsole console;
    console.record("Žx");
    EXPECT_EQ(console.screen(), "x");
}

TEST(Console, ReadLineEndsTheOpenLineFirst)
{
    ScriptConsole console({"E1.TXT\r", "second"});
    console.say("Jméno vstupního souboru");
    std::string line;
    ASSERT_TRUE(console.read_line(line));
    EXPECT_EQ(line, "E1.TXT");
    console.say("dále");
    ASSERT_TRUE(console.read_line(line));
    EXPECT_EQ(line, "second");
    EXPECT_EQ(console.screen(), "Jméno vstupního souboru\ndále\n");
    EXPECT_FALSE(console.input_ended());
}

TEST(Console, EndOfInputIsKept)
{
    ScriptConsole console({"only"});
    std::string line;
    ASSERT_TRUE(console.read_line(line));
    EXPECT_FALSE(console.read_line(line));
    EXPECT_TRUE(line.empty());
    EXPECT_TRUE(console.input_ended());
    console.add_answer("late");  // an input that has ended stays ended
    EXPECT_FALSE(console.read_line(line));
}

TEST(Console, PauseAtTheEndOfInputGoesOn)
{
    ScriptConsole console;
    console.pause("dále ?");
    EXPECT_TRUE(console.input_ended());
    console.say("po pauze");
    console.finish();
    EXPECT_EQ(console.screen(), "dále ?\npo pauze\n");
}

TEST(Halt, ThrowsTheStatusAfterItsText)
{
    ScriptConsole console;
    console.say("Tisk souřadnic ");
    try {
        halt(console, ExitStatus::failed);
        FAIL() << "halt returned";
    } catch (const Halt& h) {
        EXPECT_EQ(h.status, ExitStatus::failed);
    }
    EXPECT_EQ(console.screen(), "Tisk souřadnic \nStop - Program terminated.\n");
}

TEST(Halt, WithItsOwnText)
{
    ScriptConsole console;
    try {
        halt(console, "KONEC", ExitStatus::finished);
        FAIL() << "halt returned";
    } catch (const Halt& h) {
        EXPECT_EQ(static_cast<int>(h.status), 0);
    }
    EXPECT_EQ(console.screen(), "KONEC\n");
}

}  // namespace
}  // namespace platform
