// SPDX-License-Identifier: GPL-3.0-or-later
#include "clonefile/CloneFile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "CloneFiles.h"
#include "ScriptedPrompts.h"
#include "TempFile.h"
#include "TempFolder.h"
#include "overlay/OverlayText.h"

namespace rtv {
namespace {

constexpr AddressRange kRange[] = {{0x0000, 0x2B5F}, {1, 0}};

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// A reader configured like the program's: model 0x3974, extension 1, revision 1 only.
struct ReaderFixture {
  // `own`: overlay lines besides the clone file keys.
  explicit ReaderFixture(std::vector<std::string> own = {"#GI_Sys_AppTitle", "Radio Programmer"})
      : reader(overlay, prompts) {
    overlay.SetLines(test::OverlayWithCloneFileKeys(std::move(own)));
    image.SetSize(32768);
    reader.SetImage(&image);
    reader.SetModelCode(0x3974);
    reader.SetExtensionCode(1);
    reader.SetMapRevisionCheck([](int revision) { return revision == 1; });
  }
  // Fills the image with a recognisable pattern, so that a changed byte shows.
  void Scribble() {
    for (std::int32_t a = 0; a < image.Size(); ++a)
      image.SetByte(a, static_cast<std::uint8_t>(a * 7 + 3));
  }
  FileErrorCode ReadText(const std::string& text, const AddressRange* ranges = kRange) {
    test::TempFile file(text, ".rtv");
    return reader.Read(file.Path(), ranges);
  }
  std::string LastMessage() const { return prompts.shown.empty() ? "" : prompts.shown.back().text; }

  OverlayText overlay;
  test::ScriptedPrompts prompts;
  EepromImage image;
  CloneFile reader;
};

// Files of this process cannot grow beyond `bytes`; a write past it fails with EFBIG.
void LimitFileSize(rlim_t bytes) {
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit limit{};
  limit.rlim_cur = bytes;
  limit.rlim_max = bytes;
  ::setrlimit(RLIMIT_FSIZE, &limit);
}

std::string Message(const char* key) { return std::string("Clone file error\n\n") + key; }

TEST(CloneFileTest, AWrittenFileReadsBackIdentical) {
  ReaderFixture f;
  f.Scribble();
  const EepromImage original(f.image);
  test::TempFolder folder;
  const std::string path = folder.File("Dolphin.rtv");
  f.reader.SetComment("Dolphin");
  f.reader.SetMapRevision(1);
  ASSERT_EQ(f.reader.Write(path, kRange), kFileOk);

  const std::vector<std::string> lines = Lines(ReadAll(path));
  ASSERT_EQ(lines.size(), 3u + 694u);
  EXPECT_EQ(lines[0], "39740001\r");
  EXPECT_EQ(lines[1], "#Comment=Dolphin\r");
  EXPECT_EQ(lines[2], "#MapRev=1\r");
  for (std::size_t i = 3; i < lines.size(); ++i) {
    ASSERT_EQ(lines[i].size(), 38u + 1u) << i;  // CR LF ends every line
    char address[5];
    std::snprintf(address, sizeof address, "%04X", static_cast<unsigned>((i - 3) * 16));
    ASSERT_EQ(lines[i].substr(0, 6), std::string(address) + "10") << i;
  }
  EXPECT_EQ(lines[3], "000010030A11181F262D343B424950575E656C\r");

  f.image.Fill(0);
  EXPECT_EQ(f.reader.Read(path, kRange), kFileOk);
  EXPECT_EQ(f.reader.MapRevision(), 1);
  EXPECT_FALSE(RangesDiffer(f.image, original, kRange));
  EXPECT_EQ(f.image.GetByte(0x2B60), 0);  // beyond the range: not in the file
  EXPECT_TRUE(f.prompts.shown.empty());
  EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"Dolphin.rtv"}));
}

TEST(CloneFileTest, DataLinesBreakAtMultiplesOfSixteen) {
  ReaderFixture f;
  f.Scribble();
  test::TempFolder folder;
  const AddressRange ranges[] = {{0x0005, 0x0025}, {0x0030, 0x0030}, {0x7FFF, 0x8000}, {0, 1}};
  f.reader.SetMapRevision(1);
  f.reader.SetComment("two\nlines");
  ASSERT_EQ(f.reader.Write(folder.File("a.rtv"), ranges), kFileOk);
  std::vector<std::string> heads;
  for (const std::string& line : Lines(ReadAll(folder.File("a.rtv"))))
    heads.push_back(line.substr(0, 6));
  // The third range leaves the image: it ends the list like the end pair.
  EXPECT_EQ(heads, (std::vector<std::string>{"397400", "#Comme", "#MapRe", "00050B", "001010",
                                             "002006", "003001"}));
  EXPECT_EQ(Lines(ReadAll(folder.File("a.rtv")))[1], "#Comment=two lines\r");
}

TEST(CloneFileTest, HeaderAndRevisionFaultsAreRefusedWithTheirCodes) {
  const EepromImage valid = test::InitialImage(0, 0x5A);
  const std::string data = test::CloneFileText(valid);
  const std::string body = data.substr(data.find("#Comment"));
  const std::string dataLines = data.substr(data.find("#MapRev=1\n") + 10);
  struct Case {
    const char* what;
    std::string text;
    FileErrorCode code;
    const char* key;
  };
  const Case cases[] = {
      {"letters in the header", "3974000A\n" + body, kFileErrFormat, "GI_Mess_FileErr_Format"},
      {"other extension code", "39740002\n" + body, kFileErrExtra, "GI_Mess_FileErr_Extra"},
      {"other model code", "39750001\n" + body, kFileErrModel, "GI_Mess_FileErr_Model"},
      {"short header", "3974001\n" + body, kFileErrFormat, "GI_Mess_FileErr_Format"},
      {"long header", "397400010\n" + body, kFileErrFormat, "GI_Mess_FileErr_Format"},
      {"blank before header", "\n39740001\n" + body, kFileErrFormat, "GI_Mess_FileErr_Format"},
      {"header without a line break", "39740001", kFileErrFormat, "GI_Mess_FileErr_Format"},
      {"empty file", "", kFileErrFormat, "GI_Mess_FileErr_Format"},
      {"no map revision", "39740001\n" + dataLines, kFileErrMapRev, "GI_Mess_FileErr_MapRev"},
      {"map revision 2", "39740001\n#MapRev=2\n" + dataLines, kFileErrMapRev,
       "GI_Mess_FileErr_MapRev"},
      {"map revision without number", "39740001\n#MapRev=\n" + dataLines, kFileErrMapRev,
       "GI_Mess_FileErr_MapRev"},
      {"huge map revision", "39740001\n#MapRev=99999999999999999999\n" + dataLines, kFileErrMapRev,
       "GI_Mess_FileErr_MapRev"},
      {"revision after the data", "39740001\n" + dataLines + "#MapRev=1\n", kFileErrMapRev,
       "GI_Mess_FileErr_MapRev"},
      {"header only", "39740001\n#MapRev=7\n", kFileErrCoverage, "GI_Mess_FileErr_Coverage"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ReaderFixture f;
    f.Scribble();
    const EepromImage before(f.image);
    EXPECT_EQ(f.ReadText(c.text), c.code);
    EXPECT_TRUE(f.image.Equals(before));
    ASSERT_EQ(f.prompts.shown.size(), 1u);
    EXPECT_EQ(f.prompts.shown[0].text, Message(c.key));
    EXPECT_EQ(f.prompts.shown[0].caption, "Radio Programmer");
    EXPECT_EQ(f.prompts.shown[0].icon, PromptIcon::Warning);
    EXPECT_EQ(f.prompts.shown[0].buttons, PromptButtons::Ok);
  }
}

TEST(CloneFileTest, RevisionIsAcceptedOnlyThroughTheInstalledCheck) {
  const std::string text = "39740001\n#MapRev=1\n0000010A\n";
  ReaderFixture f;
  EXPECT_EQ(f.ReadText(text, nullptr), kFileOk);  // no range list: coverage not checked
  EXPECT_EQ(f.image.GetByte(0), 0x0A);
  f.reader.SetMapRevisionCheck(nullptr);
  EXPECT_EQ(f.ReadText(text, nullptr), kFileErrMapRev);
  f.reader.SetMapRevisionCheck([](int revision) { return revision == 2; });
  EXPECT_EQ(f.ReadText("39740001\n#MapRev=2\n0000010B\n", nullptr), kFileOk);
  EXPECT_EQ(f.reader.MapRevision(), 2);
  // A file without its own revision line is not helped by the revision read before.
  EXPECT_EQ(f.ReadText("39740001\n0000010C\n", nullptr), kFileErrMapRev);
  EXPECT_EQ(f.reader.MapRevision(), -1);
  EXPECT_EQ(f.image.GetByte(0), 0x0B);
}

TEST(CloneFileTest, DataLineFaultsLeaveTheImageAsItWas) {
  const EepromImage valid = test::InitialImage(2, 0x33);
  const std::string good = test::CloneFileText(valid);
  const std::string head = "39740001\n#MapRev=1\n";
  const std::string full255 = "0000FF" + std::string(510, 'E');  // 516 characters
  struct Case {
    const char* what;
    std::string text;
    FileErrorCode code;
  };
  const Case cases[] = {
      {"blank line", good + "\n", kFileErrFormat},
      {"blank line with CR", good + "\r\n", kFileErrFormat},
      {"odd length", good + "000001AAB\n", kFileErrFormat},
      {"not hexadecimal", good + "000001G0\n", kFileErrFormat},
      {"separator", good + "000001 A\n", kFileErrFormat},
      {"count disagrees", good + "000002AA\n", kFileErrFormat},
      {"no bytes", good + "000000\n", kFileErrFormat},
      {"too short", good + "0000\n", kFileErrFormat},
      {"518 characters", good + "0000FF" + std::string(512, 'E') + "\n", kFileErrFormat},
      {"800 characters", good + std::string(800, 'A') + "\n", kFileErrFormat},
      {"NUL inside", good + std::string("000001\0A\n", 9), kFileErrFormat},
      {"just beyond the range", good + "2B6001FF\n", kFileErrData},
      {"beyond the image", good + "7FFF02AAAA\n", kFileErrData},
      {"far beyond the image", good + "FFF001AA\n", kFileErrData},
      {"a line missing", head + good.substr(good.find("\n001010") + 1), kFileErrCoverage},
      {"a byte missing", good.substr(0, good.size() - 3) + "\n", kFileErrFormat},
      {"last line one byte short",
       good.substr(0, good.rfind("2B50")) + "2B500F" + std::string(30, '0') + "\n",
       kFileErrCoverage},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ReaderFixture f;
    f.Scribble();
    const EepromImage before(f.image);
    EXPECT_EQ(f.ReadText(c.text), c.code);
    EXPECT_TRUE(f.image.Equals(before));
    EXPECT_EQ(f.prompts.shown.size(), 1u);
  }
  ReaderFixture f;
  EXPECT_EQ(f.ReadText(head + full255 + "\n", nullptr), kFileOk);
  EXPECT_EQ(f.image.GetByte(254), 0xEE);
  EXPECT_EQ(f.image.GetByte(255), 0x00);
}

TEST(CloneFileTest, LenientLinesAreReadLikeAnyOther) {
  const EepromImage valid = test::InitialImage(4, 0xC3);
  const std::string good = test::CloneFileText(valid);
  std::string crlf;
  for (const char c : good) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  std::string lower = good;
  for (std::size_t i = good.find("#MapRev=1\n") + 10; i < lower.size(); ++i) {
    lower[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(lower[i])));
  }
  const std::string longComment = "#" + std::string(5000, 'x') + "\n";
  std::string withNote = good;
  withNote.insert(good.find("#MapRev=1\n") + 10, "#Note MapRev=2\n");
  struct Case {
    const char* what;
    std::string text;
  };
  const Case cases[] = {
      {"last line without a line break", good.substr(0, good.size() - 1)},
      {"CR LF line breaks", crlf},
      {"lower-case hex digits", lower},
      {"long comment lines", good.substr(0, 9) + longComment + good.substr(9) + longComment},
      {"comment mentioning the revision", withNote},
      {"lines in reverse order",
       [&] {
         const auto lines = Lines(good);
         std::string text = lines[0] + "\n" + lines[1] + "\n" + lines[2] + "\n";
         for (std::size_t i = lines.size(); i-- > 3;) text += lines[i] + "\n";
         return text;
       }()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ReaderFixture f;
    f.Scribble();
    EXPECT_EQ(f.ReadText(c.text), kFileOk);
    EXPECT_FALSE(RangesDiffer(f.image, valid, kRange));
    EXPECT_TRUE(f.prompts.shown.empty());
  }
}

TEST(CloneFileTest, LaterLinesOverwriteEarlierOnes) {
  ReaderFixture f;
  const std::string text = "39740001\n#MapRev=1\n000004AABBCCDD\n000102EEFF\n0002011A\n";
  EXPECT_EQ(f.ReadText(text, nullptr), kFileOk);
  EXPECT_EQ(f.image.GetByte(0), 0xAA);
  EXPECT_EQ(f.image.GetByte(1), 0xEE);
  EXPECT_EQ(f.image.GetByte(2), 0x1A);
  EXPECT_EQ(f.image.GetByte(3), 0xDD);
  const AddressRange four[] = {{0, 3}, {1, 0}};
  EXPECT_EQ(f.reader.CheckCoverage(four), kFileOk);
  const AddressRange three[] = {{0, 2}, {1, 0}};
  EXPECT_EQ(f.reader.CheckCoverage(three), kFileErrData);
  const AddressRange five[] = {{0, 4}, {1, 0}};
  EXPECT_EQ(f.reader.CheckCoverage(five), kFileErrCoverage);
}

TEST(CloneFileTest, FilesThatCannotBeReadGiveFileOpen) {
  test::TempFolder folder;
  ReaderFixture f;
  f.Scribble();
  const EepromImage before(f.image);
  EXPECT_EQ(f.reader.Read(folder.File("missing.rtv"), kRange), kFileErrFileOpen);
  EXPECT_EQ(f.reader.Read(folder.Path(), kRange), kFileErrFileOpen);
  EXPECT_EQ(f.reader.Read("/dev/zero", kRange), kFileErrFileOpen);
  EXPECT_TRUE(f.image.Equals(before));
  EXPECT_EQ(f.LastMessage(), Message("GI_Mess_FileErr_FileOpen"));
}

TEST(CloneFileTest, MegabytesOfGarbageAreRefused) {
  std::string garbage(4 << 20, '\0');
  for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>((i * 131) >> 3);
  ReaderFixture f;
  f.Scribble();
  const EepromImage before(f.image);
  EXPECT_EQ(f.ReadText(garbage), kFileErrFormat);
  EXPECT_EQ(f.ReadText("39740001\n#MapRev=1\n" + std::string(4 << 20, 'A')), kFileErrFormat);
  EXPECT_TRUE(f.image.Equals(before));
}

TEST(CloneFileTest, EveryCodeShowsItsOwnLine) {
  const char* keys[] = {
      "GI_Mess_FileErr_FileOpen", "GI_Mess_FileErr_FileAccess", "GI_Mess_FileErr_Model",
      "GI_Mess_FileErr_Extra",    "GI_Mess_FileErr_MapRev",     "GI_Mess_FileErr_Format",
      "GI_Mess_FileErr_Coverage", "GI_Mess_FileErr_Data",       "GI_Mess_FileErr_Newer"};
  ReaderFixture f;
  f.reader.ShowResult(kFileOk);
  EXPECT_TRUE(f.prompts.shown.empty());
  for (int code = 1; code <= 9; ++code) {
    EXPECT_EQ(CloneFile::MessageKey(code), keys[code - 1]);
    f.reader.ShowResult(code);
    ASSERT_EQ(f.prompts.shown.size(), static_cast<std::size_t>(code));
    EXPECT_EQ(f.LastMessage(), Message(keys[code - 1]));
  }
  // Numbers that are no failure have no message.
  for (const int code : {-1, 0, 10}) {
    EXPECT_EQ(CloneFile::MessageKey(code), "") << code;
    f.reader.ShowResult(code);
  }
  EXPECT_EQ(f.prompts.shown.size(), 9u);
}

TEST(CloneFileTest, EveryCodeEndsWithItsHelpTopicWhenTheOverlayNamesThem) {
  std::vector<std::string> lines = {"#GI_Sys_AppTitle", "Radio Programmer",
                                    "#GI_Mess_FileErr_Help"};
  for (int code = 0; code <= 9; ++code) lines.push_back("Topic " + std::to_string(code));
  lines.push_back("#");
  ReaderFixture f(lines);
  for (int code = 1; code <= 9; ++code) {
    f.reader.ShowResult(code);
    const std::string text = f.LastMessage();
    const std::string topic = "\n\nTopic " + std::to_string(code);
    ASSERT_GE(text.size(), topic.size());
    EXPECT_EQ(text.substr(text.size() - topic.size()), topic) << text;
  }
}

TEST(CloneFileTest, AFailedSaveLeavesTheOldFileAsItWas) {
  test::TempFolder folder;
  const std::string path = folder.File("Dolphin.rtv");
  const std::string old = "old contents\n";
  std::ofstream(path, std::ios::binary) << old;
  ::chmod(path.c_str(), 0640);
  ReaderFixture f;
  f.Scribble();
  f.reader.SetMapRevision(1);

  // The file system refuses to grow the new file beyond 4 KB: the write fails half-way.
  EXPECT_EXIT(
      {
        LimitFileSize(4096);
        std::_Exit(f.reader.Write(path, kRange));
      },
      ::testing::ExitedWithCode(kFileErrFileAccess), "");
  EXPECT_EQ(ReadAll(path), old);
  EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"Dolphin.rtv"}));  // no leftovers

  EXPECT_EQ(f.reader.Write(folder.File("no/such/folder.rtv"), kRange), kFileErrFileOpen);
  std::filesystem::create_directory(folder.File("dir.rtv"));
  EXPECT_EQ(f.reader.Write(folder.File("dir.rtv"), kRange), kFileErrFileOpen);
  EXPECT_EQ(f.LastMessage(), Message("GI_Mess_FileErr_FileOpen"));
  EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"Dolphin.rtv", "dir.rtv"}));

  // A successful save replaces the file and keeps its permissions.
  EXPECT_EQ(f.reader.Write(path, kRange), kFileOk);
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(ReadAll(path).substr(0, 10), "39740001\r\n");
}

TEST(CloneFileTest, SavingThroughALinkReplacesTheLinkedFile) {
  test::TempFolder folder;
  const std::string real = folder.File("real.rtv");
  std::ofstream(real) << "old\n";
  std::filesystem::create_symlink(real, folder.File("link.rtv"));
  ReaderFixture f;
  f.reader.SetMapRevision(1);
  EXPECT_EQ(f.reader.Write(folder.File("link.rtv"), kRange), kFileOk);
  EXPECT_TRUE(std::filesystem::is_symlink(folder.File("link.rtv")));
  EXPECT_EQ(ReadAll(real).substr(0, 8), "39740001");
}

TEST(CloneFileTest, AReadOnlyFileIsNotReplaced) {
  test::TempFolder folder;
  ::chmod(folder.Path().c_str(), 0777);  // the folder itself allows replacing the file
  const std::string path = folder.File("locked.rtv");
  std::ofstream(path) << "keep\n";
  ::chmod(path.c_str(), 0444);
  ReaderFixture f;
  EXPECT_EXIT(
      {
        // Root may write any file: save as an ordinary user.
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) std::_Exit(99);
        std::_Exit(f.reader.Write(path, kRange));
      },
      ::testing::ExitedWithCode(kFileErrFileOpen), "");
  EXPECT_EQ(ReadAll(path), "keep\n");
}

}  // namespace
}  // namespace rtv
