// Report files, whole-file reading, the data folder and the clock.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/sink.h"
#include "temp_folder.h"

namespace platform {
namespace {

using Files = testing::TempFolder;

TEST_F(Files, CreateNewWritesCp1250Lines)
{
    const auto path = folder / "E1.TXT";
    FileSink sink;
    ASSERT_TRUE(sink.create_new(path));
    sink.put(" Akce: ěš");
    sink.empty();
    // The records wait in the buffer until a flush (at a halt, at the exit block) or the close.
    ASSERT_TRUE(sink.flush());
    EXPECT_EQ(content(path), " Akce: \xEC\x9A\n\n");
    sink.put(" konec");
    EXPECT_TRUE(sink.close());
    EXPECT_FALSE(sink.is_open());
    EXPECT_EQ(content(path), " Akce: \xEC\x9A\n\n konec\n");
}

TEST_F(Files, CreateNewRefusesAnExistingFileAndLeavesIt)
{
    const auto path = folder / "E1.TXT";
    write(path, "old report\n");
    FileSink sink;
    EXPECT_FALSE(sink.create_new(path));
    EXPECT_FALSE(sink.is_open());
    sink.put(" lost");
    EXPECT_EQ(content(path), "old report\n");
}

TEST_F(Files, OpenRewriteTruncatesOrCreates)
{
    const auto existing = folder / "ERR$$$.TXT";
    write(existing, "a much longer old content\n");
    FileSink sink;
    ASSERT_TRUE(sink.open_rewrite(existing));
    sink.put("  Toto okno slouží ke kontrole dat. ");
    ASSERT_TRUE(sink.flush());
    EXPECT_EQ(content(existing), "  Toto okno slou\x9E\xED ke kontrole dat. \n");
    FileSink fresh;
    ASSERT_TRUE(fresh.open_rewrite(folder / "new.txt"));
    EXPECT_FALSE(fresh.open_rewrite(folder / "missing" / "x.txt"));
}

// A control file name that is a link, symbolic (also one pointing nowhere) or hard, is replaced
// by a file of its own: the file the link led to keeps every byte.
TEST_F(Files, OpenRewriteReplacesALinkAndLeavesItsTarget)
{
    const auto target = folder / "BODY.DB";
    const auto control = folder / "ERR$$$.TXT";
    for (const char* kind : {"symbolic", "hard", "dangling"}) {
        SCOPED_TRACE(kind);
        write(target, "96 bytes of points\n");
        const std::string how = kind;
        if (how == "symbolic") std::filesystem::create_symlink(target, control);
        if (how == "hard") std::filesystem::create_hard_link(target, control);
        if (how == "dangling") std::filesystem::create_symlink(folder / "nowhere", control);
        FileSink sink;
        ASSERT_TRUE(sink.open_rewrite(control));
        sink.put(" record");
        ASSERT_TRUE(sink.close());
        EXPECT_EQ(content(target), "96 bytes of points\n");
        EXPECT_EQ(content(control), " record\n");
        EXPECT_FALSE(std::filesystem::is_symlink(control));
        EXPECT_EQ(std::filesystem::hard_link_count(control), 1u);
        EXPECT_FALSE(std::filesystem::exists(folder / "nowhere"));
        std::filesystem::remove(control);
    }
}

// A report that the run made and never wrote to is removed; one with a record stays, and so does
// a file that has taken the report's name since.
TEST_F(Files, AReportNeverWrittenToIsRemoved)
{
    const auto path = folder / "R.TXT";
    FileSink unwritten;
    ASSERT_TRUE(unwritten.create_new(path));
    unwritten.remove_if_unwritten();
    EXPECT_FALSE(unwritten.is_open());
    EXPECT_FALSE(std::filesystem::exists(path));

    FileSink written;
    ASSERT_TRUE(written.create_new(path));
    written.put(" hlavicka");
    written.remove_if_unwritten();
    ASSERT_TRUE(written.close());
    EXPECT_EQ(content(path), " hlavicka\n");
    std::filesystem::remove(path);

    FileSink replaced;
    ASSERT_TRUE(replaced.create_new(path));
    std::filesystem::remove(path);
    write(path, "another file\n");
    replaced.remove_if_unwritten();
    EXPECT_EQ(content(path), "another file\n");

    FileSink control;  // a file opened by open_rewrite is the run's control file: never removed
    ASSERT_TRUE(control.open_rewrite(folder / "ERR$$$.TXT"));
    control.remove_if_unwritten();
    EXPECT_TRUE(std::filesystem::exists(folder / "ERR$$$.TXT"));
}

// A record longer than the buffer goes to the file whole, and the buffer that fills is written
// without waiting for a flush.
TEST_F(Files, RecordsBeyondTheBufferReachTheFile)
{
    const auto path = folder / "LONG.TXT";
    FileSink sink;
    ASSERT_TRUE(sink.create_new(path));
    const std::string record(100 * 1024, 'x');
    sink.put(record);
    sink.put(record);
    EXPECT_GE(content(path).size(), record.size());  // written before any flush
    ASSERT_TRUE(sink.close());
    EXPECT_EQ(content(path), record + "\n" + record + "\n");
}

TEST_F(Files, ReadWholeFileKeepsEveryByte)
{
    const std::string bytes = "1 2\r\n\x1A";
    write(folder / "in.txt", bytes);
    std::string got = "junk";
    ASSERT_TRUE(read_whole_file(folder / "in.txt", got));
    EXPECT_EQ(got, bytes);
    EXPECT_FALSE(read_whole_file(folder / "none.txt", got));
    EXPECT_FALSE(read_whole_file(folder, got));  // a folder is no input file
    EXPECT_TRUE(got.empty());
}

// Only a regular file is opened; anything else is refused at once, as a missing file is. Before
// the open did not wait, a FIFO without a writer blocked the program in the open for ever, and
// /dev/zero was read until memory ran out.
TEST_F(Files, OnlyRegularFilesAreOpened)
{
    write(folder / "in.txt", "1 2\n");
    ASSERT_EQ(mkfifo((folder / "fifo").c_str(), 0600), 0);
    struct Case {
        std::filesystem::path path;
        int flags;
        bool opens;
    };
    const Case cases[] = {
        {folder / "in.txt", O_RDONLY, true},
        {folder / "in.txt", O_RDWR | O_CREAT, true},
        {folder / "new.dat", O_RDWR | O_CREAT, true},  // created, as a regular file
        {folder / "none.txt", O_RDONLY, false},
        {folder, O_RDONLY, false},
        {folder / "fifo", O_RDONLY, false},
        {folder / "fifo", O_RDWR | O_CREAT, false},
        {"/dev/zero", O_RDONLY, false},
        {"/dev/null", O_RDWR | O_CREAT, false},
    };
    for (const Case& c : cases) {
        const int fd = open_regular_file(c.path, c.flags);
        EXPECT_EQ(fd >= 0, c.opens) << c.path;
        if (fd < 0) continue;
        EXPECT_EQ(fcntl(fd, F_GETFL) & O_NONBLOCK, 0) << c.path;  // blocking again once checked
        EXPECT_NE(fcntl(fd, F_GETFD) & FD_CLOEXEC, 0) << c.path;
        close(fd);
    }
    std::string got = "junk";
    EXPECT_FALSE(read_whole_file(folder / "fifo", got));
    EXPECT_FALSE(read_whole_file("/dev/zero", got));
    EXPECT_TRUE(got.empty());
}

TEST_F(Files, DataFolderFromTheEnvironment)
{
    setenv("TERVAL_DATA", folder.c_str(), 1);
    EXPECT_EQ(data_folder(), folder);
    EXPECT_EQ(in_data_folder("E1.TXT      "), folder / "E1.TXT");
    EXPECT_EQ(in_data_folder(" E1.TXT     "), folder / " E1.TXT");  // used as typed
    setenv("TERVAL_DATA", "", 1);
    EXPECT_EQ(data_folder(), std::filesystem::current_path());
    unsetenv("TERVAL_DATA");
    EXPECT_EQ(data_folder(), std::filesystem::current_path());
    EXPECT_EQ(in_data_folder("E1.TXT"), std::filesystem::current_path() / "E1.TXT");
}

// A bare name typed without a folder literal (the point database) is the data folder's; a name
// with a folder is used as typed.
TEST_F(Files, TypedNameWithoutAFolderIsTheDataFolders)
{
    setenv("TERVAL_DATA", folder.c_str(), 1);
    EXPECT_EQ(as_typed("BODY.DAT   "), folder / "BODY.DAT");
    EXPECT_EQ(as_typed("./BODY.DAT "), std::filesystem::path("./BODY.DAT"));
    EXPECT_EQ(as_typed("DB/BODY.DAT"), std::filesystem::path("DB/BODY.DAT"));
    EXPECT_EQ(as_typed("/tmp/BODY.DAT"), std::filesystem::path("/tmp/BODY.DAT"));
    unsetenv("TERVAL_DATA");
    EXPECT_EQ(as_typed("BODY.DAT"), std::filesystem::current_path() / "BODY.DAT");
}

// With no TERVAL_DATA and the current folder removed there is no data folder; before, asking
// for it threw an exception that ended the program with an abort.
TEST_F(Files, NoDataFolderWhenTheCurrentFolderIsRemoved)
{
    const std::filesystem::path before = std::filesystem::current_path();
    const std::filesystem::path gone = folder / "gone";
    std::filesystem::create_directory(gone);
    std::filesystem::current_path(gone);
    std::filesystem::remove(gone);
    unsetenv("TERVAL_DATA");
    EXPECT_FALSE(data_folder_found());
    EXPECT_TRUE(data_folder().empty());
    setenv("TERVAL_DATA", folder.c_str(), 1);
    EXPECT_TRUE(data_folder_found());  // the environment names it: no current folder needed
    unsetenv("TERVAL_DATA");
    std::filesystem::current_path(before);
    EXPECT_TRUE(data_folder_found());
}

TEST(Clock, DateAndTimeAreInRange)
{
    const DateTime t = now();
    EXPECT_GE(t.day, 1);
    EXPECT_LE(t.day, 31);
    EXPECT_GE(t.month, 1);
    EXPECT_LE(t.month, 12);
    EXPECT_GE(t.year, 2024);
    EXPECT_LE(t.hour, 23);
    EXPECT_LE(t.minute, 59);
    EXPECT_LE(t.second, 60);
}

}  // namespace
}  // namespace platform

// The records reach a full disk only when the buffer is written: the failure shows at the
// flush, or at the close when nothing flushed before it, and it stays. A file size limit of
// 0 bytes stands for the full disk (the program ignores SIGXFSZ, so the write fails instead).
TEST(FileSinkFailure, AFullDiskIsAWriteFailure)
{
    const std::filesystem::path path = std::filesystem::temp_directory_path() / ("sink-full-" + std::to_string(getpid()));
    struct sigaction ignore {}, old_action {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, &old_action);
    rlimit old_limit {};
    getrlimit(RLIMIT_FSIZE, &old_limit);
    for (const bool flush_first : {true, false}) {
        platform::FileSink sink;
        ASSERT_TRUE(sink.open_rewrite(path));
        rlimit none = old_limit;
        none.rlim_cur = 0;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &none), 0);
        EXPECT_FALSE(sink.write_failed());
        sink.put(" Akce: zkouska");
        if (flush_first) {
            EXPECT_FALSE(sink.flush());
            EXPECT_TRUE(sink.write_failed());
        }
        EXPECT_FALSE(sink.close());
        EXPECT_TRUE(sink.write_failed());
        setrlimit(RLIMIT_FSIZE, &old_limit);
    }
    sigaction(SIGXFSZ, &old_action, nullptr);
    std::filesystem::remove(path);
}

// The control file is never opened in place of a FIFO without a reader, a device, a folder or a
// socket: each is refused at once, never waited for, and left as it is.
TEST(FileSinkOpen, RewriteRefusesWhatIsNoRegularFile)
{
    const std::filesystem::path fifo = std::filesystem::temp_directory_path() / ("sink-fifo-" + std::to_string(getpid()));
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    platform::FileSink sink;
    EXPECT_FALSE(sink.open_rewrite(fifo));
    EXPECT_FALSE(sink.open_rewrite("/dev/null"));
    EXPECT_FALSE(sink.open_rewrite(std::filesystem::temp_directory_path()));
    EXPECT_TRUE(std::filesystem::is_fifo(fifo)) << "left as it was";
    std::filesystem::remove(fifo);
    // A socket bound to the name.
    const std::filesystem::path socket_path =
        std::filesystem::temp_directory_path() / ("sink-socket-" + std::to_string(getpid()));
    const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(s, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socket_path.c_str());
    ASSERT_EQ(::bind(s, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    EXPECT_FALSE(sink.open_rewrite(socket_path));
    EXPECT_TRUE(std::filesystem::is_socket(socket_path));
    ::close(s);
    std::filesystem::remove(socket_path);
}

TEST(TypedNames, ControlCharactersMakeANameUnusable)
{
    struct Case {
        std::string name;
        bool usable;
    };
    const Case cases[] = {{"R.TXT               ", true}, {std::string("R\0X.TXT", 7), false}, {"R\tX.TXT", false},
                          {"R\x1FX", false},         {"A\x7F" "B.TXT", false},            {"Výsledky.TXT", true},
                          {"A\xC2\x85" "B.TXT", false}, {"A\xC2\x80", false}, {"A\xC2\x9F", false},
                          {"A\xC2\xA0" "B.TXT", true},  {"", true}};
    for (const Case& c : cases) EXPECT_EQ(platform::usable_name(c.name), c.usable) << c.name;
}

TEST(DataFolder, NamedFolderThatDoesNotExistIsNotFound)
{
    setenv("TERVAL_DATA", "/nonexistent/terval-data", 1);
    EXPECT_FALSE(platform::data_folder_found());
    EXPECT_EQ(platform::named_data_folder(), "/nonexistent/terval-data");
    setenv("TERVAL_DATA", "/dev/null", 1);  // a file, no folder
    EXPECT_FALSE(platform::data_folder_found());
    unsetenv("TERVAL_DATA");
    EXPECT_TRUE(platform::data_folder_found());
    EXPECT_EQ(platform::named_data_folder(), "");
}
