#include "platform/files.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

namespace orvix {
namespace {

namespace fs = std::filesystem;

std::string contents(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

std::set<std::string> entries(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.insert(entry.path().filename().string());
  return names;
}

struct TempFolder {
  fs::path path;
  TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "orvix-files-XXXXXX").string();
    path = ::mkdtemp(pattern.data());
  }
  ~TempFolder() { fs::remove_all(path); }
};

// Each kind of thing a save may be pointed at: what replace_file does to it,
// and that the folder holds nothing else afterwards (no temporary file left).
TEST(ReplaceFile, WritesNewAndRegularFilesAndLinkTargetsOnly) {
  TempFolder folder;
  const fs::path dir = folder.path;
  std::ofstream(dir / "old.json") << "old";
  std::ofstream(dir / "target.json") << "old";
  fs::create_symlink(dir / "target.json", dir / "link.json");
  fs::create_symlink(dir / "nowhere.json", dir / "dangling.json");
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
  fs::create_directory(dir / "folder");
  const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string socket_path = (dir / "sock").string();
  ASSERT_LT(socket_path.size(), sizeof address.sun_path);
  socket_path.copy(address.sun_path, socket_path.size());
  ASSERT_EQ(::bind(sock, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  const std::set<std::string> before = entries(dir);

  struct Case {
    const char* name;
    bool written;
    const char* reason;
  };
  const Case cases[] = {
      {"new.json", true, ""},
      {"old.json", true, ""},
      {"link.json", true, ""},
      {"dangling.json", false, "not a regular file"},
      {"fifo", false, "not a regular file"},
      {"sock", false, "not a regular file"},
      {"folder", false, "Is a directory"},
      {"folder/", false, "Is a directory"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string reason;
    EXPECT_EQ(replace_file((dir / c.name).string(), "new", reason), c.written);
    EXPECT_EQ(reason, c.reason);
  }
  ::close(sock);

  EXPECT_EQ(contents(dir / "new.json"), "new");
  EXPECT_EQ(contents(dir / "old.json"), "new");
  EXPECT_TRUE(fs::is_symlink(dir / "link.json"));   // the link stays a link...
  EXPECT_EQ(contents(dir / "target.json"), "new");  // ...and its target is replaced
  EXPECT_TRUE(fs::is_symlink(dir / "dangling.json"));
  EXPECT_TRUE(fs::is_fifo(dir / "fifo"));
  EXPECT_TRUE(fs::is_socket(dir / "sock"));
  EXPECT_TRUE(fs::is_empty(dir / "folder"));
  std::set<std::string> expected = before;
  expected.insert("new.json");
  EXPECT_EQ(entries(dir), expected);
}

TEST(ReplaceFile, ANewFileGetsTheUsualPermissions) {
  TempFolder folder;
  const mode_t mask = ::umask(022);
  std::string reason;
  ASSERT_TRUE(replace_file((folder.path / "a.json").string(), "x", reason)) << reason;
  ::umask(mask);
  struct stat info {};
  ASSERT_EQ(::stat((folder.path / "a.json").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0644u);
}

}  // namespace
}  // namespace orvix
