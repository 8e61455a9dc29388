// sfpack's commands, called the way main() calls them, on files in a scratch folder.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>
#endif

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "storage_test_support.h"
#include "tools/common/InputFile.h"
#include "tools/sfpack/SfpackCommands.h"
#include "tools/sfpack/StoredNames.h"

namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

struct RunResult {
  int code;
  std::string out;
  std::string err;
};

// The blank-separated fields of the listing line that starts with `name`.
std::vector<std::string> RowOf(const std::string& listing, const std::string& name) {
  std::istringstream lines(listing);
  for (std::string line; std::getline(lines, line);) {
    if (line.compare(0, name.size() + 1, name + " ") != 0) continue;
    std::istringstream fields(line);
    return {std::istream_iterator<std::string>(fields), std::istream_iterator<std::string>()};
  }
  return {};
}

RunResult Sfpack(const CommandArgs& args) {
  std::ostringstream out;
  std::ostringstream err;
  const int code = RunSfpack(args, out, err);
  return {code, out.str(), err.str()};
}

class SfpackTest : public ::testing::Test {
 protected:
  std::string PathOf(const std::string& relative) const { return (root_ / relative).string(); }
  std::string Put(const std::string& relative, const Bytes& bytes) const {
    const fs::path path = root_ / relative;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path.string();
  }
  Bytes Get(const std::string& relative) const {
    return ReadInputFile((root_ / relative).string());
  }
  std::size_t FilesUnder(const fs::path& folder) const {
    std::size_t count = 0;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
      count += entry.is_regular_file();
    return count;
  }

  const TScratchFolder folder_;
  const fs::path root_{folder_.Path()};
};

TEST_F(SfpackTest, PackListExtractVerifyRoundTrip) {
  Bytes counting(65534);
  for (std::size_t i = 0; i < counting.size(); ++i) counting[i] = static_cast<std::uint8_t>(i);
  const std::string a = Put("in/one/Type0008.md3", MixedBytes(150000, 8));
  const std::string b = Put("in/two/readme.htm", Text("<p>hello</p>"));
  const std::string c = Put("in/counting.bin", counting);
  const std::string d = Put("in/empty.dat", {});
  const std::string sfp = PathOf("set.sfp");

  const RunResult pack = Sfpack({"pack", sfp, a, b, c, d});
  ASSERT_EQ(pack.code, 0) << pack.err;
  EXPECT_EQ(pack.out, sfp + ": 4 files, 215546 bytes decoded, " +
                          std::to_string(fs::file_size(sfp)) + " bytes stored\n");

  const RunResult list = Sfpack({"list", sfp});
  ASSERT_EQ(list.code, 0) << list.err;
  // name, size, stored length, blocks, position-list blocks, escape blocks
  EXPECT_THAT(RowOf(list.out, "counting.bin"),
              ElementsAre("counting.bin", "65534", "65546", "2", "1", "1"));
  EXPECT_THAT(RowOf(list.out, "empty.dat"), ElementsAre("empty.dat", "0", "4", "0", "0", "0"));
  EXPECT_THAT(list.out, HasSubstr(sfp + ": SFP1 layout, 4 files, 215546 bytes decoded, "));
  const RunResult summary = Sfpack({"list", "--summary", sfp});
  EXPECT_EQ(std::count(summary.out.begin(), summary.out.end(), '\n'), 1);

  const RunResult verify = Sfpack({"verify", sfp});
  EXPECT_EQ(verify.code, 0) << verify.err;
  EXPECT_EQ(verify.out, sfp + ": ok, 4 files, 215546 bytes decoded, written back identical\n");

  const RunResult extract = Sfpack({"extract", sfp, PathOf("out/new")});
  ASSERT_EQ(extract.code, 0) << extract.err;
  EXPECT_EQ(Get("out/new/Type0008.md3"), MixedBytes(150000, 8));
  EXPECT_EQ(Get("out/new/readme.htm"), Text("<p>hello</p>"));
  EXPECT_EQ(Get("out/new/counting.bin"), counting);
  EXPECT_TRUE(fs::exists(PathOf("out/new/empty.dat")));

  const RunResult some = Sfpack({"extract", sfp, PathOf("some"), "readme.htm"});
  ASSERT_EQ(some.code, 0) << some.err;
  EXPECT_EQ(FilesUnder(PathOf("some")), 1u);
  const RunResult missing = Sfpack({"extract", sfp, PathOf("none"), "README.htm"});
  EXPECT_EQ(missing.code, 1);
  EXPECT_EQ(missing.err, "sfpack: " + sfp + ": no stored file named \"README.htm\"\n");
}

TEST_F(SfpackTest, PackRefusesDuplicateAndUnsafeNames) {
  const std::string first = Put("a/x.dll", Text("1"));
  const std::string second = Put("b/x.dll", Text("2"));
  const RunResult duplicate = Sfpack({"pack", PathOf("dup.sfp"), first, second});
  EXPECT_EQ(duplicate.code, 1);
  EXPECT_EQ(duplicate.err,
            "sfpack: " + second + ": stored name \"x.dll\" is already taken by " + first + "\n");
  EXPECT_FALSE(fs::exists(PathOf("dup.sfp")));

  const RunResult device = Sfpack({"pack", PathOf("dev.sfp"), Put("con.txt", Text("x"))});
  EXPECT_EQ(device.code, 1);
  EXPECT_THAT(device.err, HasSubstr("stored name \"con.txt\" is a Windows device name"));

  const RunResult absent = Sfpack({"pack", PathOf("gone.sfp"), PathOf("not-there.bin")});
  EXPECT_EQ(absent.code, 1);
  EXPECT_THAT(absent.err, StartsWith("sfpack: " + PathOf("not-there.bin") + ": cannot open"));
}

TEST_F(SfpackTest, ExtractRefusesNamesThatLeaveTheFolder) {
  for (const std::string name :
       {"../evil.dll", "/abs.dll", "sub\\x.dll", "C:evil.dll", ".", "..", ""}) {
    SCOPED_TRACE(name);
    StoredContainer container;
    AddFile(container, "fine.dll", Text("ok"));
    AddFile(container, name, Text("bad"));
    const std::string sfp = Put("unsafe.sfp", WriteContainer(container));
    const RunResult extract = Sfpack({"extract", sfp, PathOf("target")});
    EXPECT_EQ(extract.code, 1);
    EXPECT_THAT(extract.err,
                StartsWith("sfpack: " + sfp + ": stored name \"" + name + "\" refused: it "));
    EXPECT_EQ(std::count(extract.err.begin(), extract.err.end(), '\n'), 1);
    // Checked before anything is written: not even the safe file lands.
    EXPECT_FALSE(fs::exists(PathOf("target")));
    EXPECT_FALSE(fs::exists(PathOf("evil.dll")));
  }
  StoredContainer twice;
  AddFile(twice, "same.dll", Text("1"));
  AddFile(twice, "same.dll", Text("2"));
  const std::string sfp = Put("twice.sfp", WriteContainer(twice));
  EXPECT_EQ(Sfpack({"extract", sfp, PathOf("target")}).err,
            "sfpack: " + sfp + ": stored name \"same.dll\" appears twice\n");
  EXPECT_EQ(Sfpack({"extract", sfp, PathOf("target"), "same.dll"}).code, 0);  // the first one
  EXPECT_EQ(Get("target/same.dll"), Text("1"));
}

TEST(StoredNames, SafeAndUnsafe) {
  for (const std::string name : {"Type0008.md3", "NkdPTP.dll", "nikon-readme.htm", "a", ".hidden",
                                 "CONSOLE.dll", "COM10", "LPT.txt"}) {
    EXPECT_EQ(UnsafeNameReason(name), nullptr) << name;
  }
  const std::pair<std::string, std::string> refused[] = {
      {"", "is empty"},
      {".", "names a folder, not a file"},
      {"..", "names a folder, not a file"},
      {"a/b", "holds a path separator"},
      {"\\\\server\\share", "holds a path separator"},
      {"C:", "holds a drive colon"},
      {"file.txt:stream", "holds a drive colon"},
      {std::string("a\tb"), "holds a control character"},
      {"name.", "ends in a dot or space"},
      {"name ", "ends in a dot or space"},
      {"NUL", "is a Windows device name"},
      {"aux.dll", "is a Windows device name"},
      {"Lpt3.log", "is a Windows device name"}};
  for (const auto& [name, reason] : refused) {
    const char* const actual = UnsafeNameReason(name);
    ASSERT_NE(actual, nullptr) << name;
    EXPECT_STREQ(actual, reason.c_str()) << name;
  }
  EXPECT_EQ(BaseName("a/b\\c.dll"), "c.dll");
  EXPECT_EQ(BaseName("plain"), "plain");
}

TEST_F(SfpackTest, BadInputIsOneLineNamingTheFile) {
  StoredContainer container;
  AddFile(container, "a.b", MixedBytes(5000, 2));
  const Bytes good = WriteContainer(container);
  const struct {
    std::string file;
    Bytes bytes;
    std::string fault;
  } cases[] = {
      {"empty.sfp", {}, "container header cut short (0 of 8 bytes present)"},
      {"cut.sfp", Bytes(good.begin(), good.end() - 10),
       "record 0 \"a.b\": record cut short in its stored bytes"},
      {"count.sfp",
       Bytes(good.begin(), good.begin() + 4) + Le32(2) + Bytes(good.begin() + 8, good.end()),
       "record 1: the container ends before this record"},
      {"text.sfp", Text("just some text, not a container"),
       "record 0: record cut short in its name ("},
  };
  for (const auto& bad : cases) {
    SCOPED_TRACE(bad.file);
    const std::string path = Put(bad.file, bad.bytes);
    for (const char* command : {"list", "verify"}) {
      const RunResult result = Sfpack({command, path});
      EXPECT_EQ(result.code, 1);
      EXPECT_THAT(result.err, StartsWith("sfpack: " + path + ": " + bad.fault));
      EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1);
    }
    EXPECT_EQ(Sfpack({"extract", path, PathOf("x")}).code, 1);
    EXPECT_FALSE(fs::exists(PathOf("x")));
  }

  // A folder where a file belongs, and a stored name with a NUL byte in it.
  const std::string folder = PathOf("folder.sfp");
  fs::create_directories(folder);
  for (const CommandArgs& args :
       {CommandArgs{"list", folder}, CommandArgs{"pack", PathOf("o.sfp"), folder}}) {
    EXPECT_EQ(Sfpack(args).err, "sfpack: " + folder + ": is a folder\n");
  }
  StoredContainer nul;
  AddFile(nul, std::string("a\0b", 3), Text("x"));
  const std::string sfp = Put("zero-byte.sfp", WriteContainer(nul));
  EXPECT_EQ(Sfpack({"extract", sfp, PathOf("x")}).err,
            "sfpack: " + sfp + ": stored name \"a\\x00b\" refused: it holds a control character\n");
}

#ifndef _WIN32
// The rules for every tool's output (tools/common/OutputFile.h), through extract.
// A write that fails (here the file-size limit stands in for a full disk) leaves
// the file it was to replace whole, and no temporary file behind.
TEST_F(SfpackTest, AFailedWriteLeavesTheOldFileWhole) {
  const std::string sfp = PathOf("big.sfp");
  ASSERT_EQ(Sfpack({"pack", sfp, Put("in/big.dll", MixedBytes(300000, 4))}).code, 0);
  Put("target/big.dll", Text("the version before"));
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  const rlimit before = limit;
  limit.rlim_cur = 65536;
  const auto handler = std::signal(SIGXFSZ, SIG_IGN);  // a failed write, not a killed process
  setrlimit(RLIMIT_FSIZE, &limit);
  const RunResult extract = Sfpack({"extract", sfp, PathOf("target")});
  setrlimit(RLIMIT_FSIZE, &before);
  std::signal(SIGXFSZ, handler);
  EXPECT_EQ(extract.code, 1);
  EXPECT_THAT(extract.err, StartsWith("sfpack: " + PathOf("target/big.dll") + ": cannot write ("));
  EXPECT_EQ(Get("target/big.dll"), Text("the version before"));
  EXPECT_EQ(FilesUnder(PathOf("target")), 1u);
}

// A symbolic link in the target folder is neither written through nor replaced,
// and is found before any file is written.
TEST_F(SfpackTest, ExtractNeverWritesThroughASymbolicLink) {
  const std::string sfp = PathOf("two.sfp");
  const std::string a = Put("in/a.dll", Text("new"));
  ASSERT_EQ(Sfpack({"pack", sfp, a, Put("in/b.dll", Text("b"))}).code, 0);
  Put("outside/b.dll", Text("not the tool's"));
  fs::create_directories(PathOf("target"));
  fs::create_symlink(PathOf("outside/b.dll"), PathOf("target/b.dll"));
  const RunResult extract = Sfpack({"extract", sfp, PathOf("target")});
  EXPECT_EQ(extract.code, 1);
  EXPECT_EQ(extract.err, "sfpack: " + PathOf("target/b.dll") +
                             ": is a symbolic link; a tool never writes through one\n");
  EXPECT_EQ(Get("outside/b.dll"), Text("not the tool's"));
  EXPECT_TRUE(fs::is_symlink(PathOf("target/b.dll")));
  EXPECT_FALSE(fs::exists(PathOf("target/a.dll")));
}
#endif

TEST_F(SfpackTest, VerifyCatchesWhatReadingAloneAccepts) {
  // "hello" coded with escape value 01 instead of the lowest absent value 00: it
  // decodes, but this writer would never have made it.
  const Bytes odd_block = kMagicBytes + Le32(1) + Le32(1) + Text("h") + Le32(13) + Le32(5) +
                          Bytes{0x07, 0x00, 0x01, 0x00, 0x68, 0x65, 0x6C, 0x6C, 0x6F};
  const std::string odd = Put("odd.sfp", odd_block);
  ASSERT_EQ(Sfpack({"list", odd}).code, 0);
  const RunResult differs = Sfpack({"verify", odd});
  EXPECT_EQ(differs.code, 1);
  EXPECT_EQ(
      differs.err,
      "sfpack: " + odd + ": written back, the container differs at offset 23 (record 0 \"h\")\n");

  StoredContainer container;
  AddFile(container, "a.b", Text("hello"));
  const std::string trailing = Put("trailing.sfp", WriteContainer(container) + Text("xx"));
  EXPECT_EQ(Sfpack({"verify", trailing}).err,
            "sfpack: " + trailing + ": 2 bytes follow the last record\n");

  const Bytes legacy = Le32(1) + Le32(0) + Le32(3) + Text("a.b") + Le32(5) + Text("hello");
  const std::string old = Put("legacy.sfp", legacy);
  const RunResult verified = Sfpack({"verify", old});
  EXPECT_EQ(verified.code, 0) << verified.err;
  EXPECT_THAT(verified.out, HasSubstr("ok, legacy layout, 1 file, 5 bytes decoded"));
  EXPECT_THAT(Sfpack({"list", old}).out,
              HasSubstr("legacy layout, 1 file, 5 bytes decoded, 24 bytes stored"));
}

TEST(SfpackUsage, HelpEverywhereAndUsageErrors) {
  const RunResult top = Sfpack({"--help"});
  EXPECT_EQ(top.code, 0);
  for (const char* command : {"pack", "list", "extract", "verify"}) {
    EXPECT_THAT(top.out, HasSubstr(std::string("sfpack ") + command + " "));
    const RunResult help = Sfpack({command, "--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_THAT(help.out, StartsWith(std::string("usage: sfpack ") + command));
    const RunResult bare = Sfpack({command});
    EXPECT_EQ(bare.code, 2);
    EXPECT_THAT(bare.err, StartsWith(std::string("sfpack ") + command + ": "));
  }
  EXPECT_EQ(Sfpack({}).code, 2);
  EXPECT_EQ(Sfpack({"unpack"}).err,
            "sfpack: unknown command \"unpack\" (sfpack --help lists them)\n");
  EXPECT_EQ(Sfpack({"list", "--all", "x.sfp"}).code, 2);
}

}  // namespace
