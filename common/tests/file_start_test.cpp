// Reading a file's start up to a limit: the bytes, whether it goes on, and the system's reason.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "file_start.hpp"

namespace wspr {
namespace {

struct Case {
  const char* name;
  std::size_t file_bytes;
  std::size_t limit;
  bool longer;
};
constexpr std::size_t kMegabyte = std::size_t{1} << 20;
const Case kCases[] = {
    {"Empty", 0, 10, false},
    {"ShorterThanTheLimit", 9, 10, false},
    {"AsLongAsTheLimit", 10, 10, false},
    {"OneByteMore", 11, 10, true},
    {"SeveralPiecesThenTheLimit", 3 * kMegabyte, 2 * kMegabyte + 5, true},
    {"SeveralPiecesWhole", 2 * kMegabyte + 5, 3 * kMegabyte, false},
};

class FileStarts : public ::testing::TestWithParam<Case> {};

TEST_P(FileStarts, UpToTheLimit) {
  const Case& c = GetParam();
  const auto path =
      std::filesystem::temp_directory_path() / ("wspr_file_start_" + std::string(c.name) + ".bin");
  {
    std::ofstream out(path, std::ios::binary);
    for (std::size_t i = 0; i < c.file_bytes; ++i) out.put(static_cast<char>(i % 251));
  }
  const FileStart in = ReadFileStart(path.string(), c.limit);
  std::filesystem::remove(path);
  EXPECT_EQ(in.error, "");
  EXPECT_EQ(in.longer, c.longer);
  ASSERT_EQ(in.bytes.size(), std::min(c.file_bytes, c.limit));
  for (std::size_t i = 0; i < in.bytes.size(); ++i) {
    if (in.bytes[i] != i % 251) FAIL() << "byte " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Files, FileStarts, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FileStart, NamesTheFileAndTheReason) {
  const std::string name = "/nonexistent/wspr_file_start";
  const FileStart in = ReadFileStart(name, 10);
  EXPECT_TRUE(in.bytes.empty());
  EXPECT_EQ(in.error, "cannot read " + name + ": No such file or directory");
}

}  // namespace
}  // namespace wspr
