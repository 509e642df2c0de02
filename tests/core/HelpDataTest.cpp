// SPDX-License-Identifier: GPL-3.0-or-later
// Checks the shipped help: the context table of the help overlay and the page it leads to.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "FixedTextMetrics.h"
#include "ImageModelHost.h"
#include "MemoryAccessHost.h"
#include "ScriptedPrompts.h"
#include "cells/CellCatalog.h"
#include "cells/CellNames.h"
#include "clonefile/CloneFile.h"
#include "link/LinkResult.h"
#include "overlay/OverlayText.h"
#include "sheet/ModelSheet.h"

namespace rtv {
namespace {

constexpr const char* kOverlay = RTV_DATA_DIR "/RTV612.OVL";
constexpr const char* kHelpOverlay = RTV_DATA_DIR "/RTV612H.OVL";
// The troubleshooting topic of a radio link status s is "c(1500 + s)", that of a clone file
// error code e is "c(1600 + e)".
constexpr int kLinkStatusTopics = 1500;
constexpr int kFileErrorTopics = 1600;
// The topic of the message that refuses to write data with errors.
constexpr int kDataErrorTopic = 1540;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The help page as anchors and, for each, its topic: the words from the anchor to the next
// anchor, without markup, lower case, blanks collapsed.
class HelpPage {
 public:
  explicit HelpPage(const std::string& html) {
    const std::string marker = "id=\"c";
    std::vector<std::pair<int, std::size_t>> anchors;
    for (std::size_t at = html.find(marker); at != std::string::npos;
         at = html.find(marker, at + 1)) {
      const std::size_t digits = at + marker.size();
      std::size_t end = digits;
      while (end < html.size() && std::isdigit(static_cast<unsigned char>(html[end]))) ++end;
      if (end == digits || end >= html.size() || html[end] != '"') continue;
      // The topic starts with the element that carries the anchor.
      anchors.emplace_back(std::stoi(html.substr(digits, end - digits)), html.rfind('<', at));
    }
    for (std::size_t i = 0; i < anchors.size(); ++i) {
      const std::size_t end = i + 1 < anchors.size() ? anchors[i + 1].second : html.size();
      const int id = anchors[i].first;
      ++counts_[id];
      // The heading: the text of the element that carries the anchor.
      const std::size_t text = html.find('>', anchors[i].second) + 1;
      headings_[id] = PlainText(html.substr(text, html.find('<', text) - text));
      topics_[id] = PlainText(html.substr(anchors[i].second, end - anchors[i].second));
    }
  }
  bool Has(int id) const { return topics_.count(id) != 0; }
  int Count(int id) const { return counts_.count(id) != 0 ? counts_.at(id) : 0; }
  const std::string& Topic(int id) const { return topics_.at(id); }
  const std::string& Heading(int id) const { return headings_.at(id); }
  bool Mentions(int id, const std::string& words) const {
    return Has(id) && Topic(id).find(PlainText(words)) != std::string::npos;
  }
  const std::map<int, std::string>& Topics() const { return topics_; }

  static std::string PlainText(const std::string& html) {
    std::string text;
    bool inTag = false;
    for (std::size_t i = 0; i < html.size(); ++i) {
      const char c = html[i];
      if (c == '<') inTag = true;
      if (inTag) {
        if (c == '>') inTag = false;
        continue;
      }
      if (c == '&') {
        static const std::pair<const char*, char> kEntities[] = {
            {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&nbsp;", ' '}};
        bool replaced = false;
        for (const auto& [entity, character] : kEntities) {
          if (html.compare(i, std::string(entity).size(), entity) == 0) {
            text += character;
            i += std::string(entity).size() - 1;
            replaced = true;
            break;
          }
        }
        if (replaced) continue;
      }
      const bool blank = std::isspace(static_cast<unsigned char>(c)) != 0;
      if (blank) {
        if (!text.empty() && text.back() != ' ') text += ' ';
      } else {
        text += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      }
    }
    return text;
  }

 private:
  std::map<int, std::string> topics_;
  std::map<int, std::string> headings_;
  std::map<int, int> counts_;
};

HelpPage LoadHelpPage() {
  OverlayText overlay;
  EXPECT_TRUE(overlay.SetFile(kOverlay));
  return HelpPage(ReadFile(RTV_DATA_DIR "/" + overlay.GetFirstLine("GI_Sys_MyHelpFile")));
}

TEST(HelpDataTest, EveryContextNamesACellLinkAndReachesAnAnchorOfTheHelpPage) {
  OverlayText overlay;
  ASSERT_TRUE(overlay.SetFile(kOverlay));
  const std::string page = ReadFile(RTV_DATA_DIR "/" + overlay.GetFirstLine("GI_Sys_MyHelpFile"));
  ASSERT_FALSE(page.empty());

  OverlayText help;
  ASSERT_TRUE(help.SetFile(kHelpOverlay));
  int entries = 0;
  for (int i = 0;; ++i) {
    const std::string line = help.GetLine("GI_AppItem_CellName_to_ContextID", i);
    if (line == "#") break;
    SCOPED_TRACE(line);
    const std::size_t tab = line.find('\t');
    ASSERT_NE(tab, std::string::npos);
    const std::string cellLink = line.substr(0, tab);
    EXPECT_NE(std::find(kCellLinkNames.begin(), kCellLinkNames.end(), cellLink),
              kCellLinkNames.end());
    const int context = std::stoi(line.substr(tab + 1));
    EXPECT_GT(context, 0);
    EXPECT_EQ(help.HelpContextId(cellLink), context);  // the first line of a link is the one used
    EXPECT_NE(page.find("id=\"c" + std::to_string(context) + "\""), std::string::npos);
    ++entries;
  }
  EXPECT_GT(entries, 0);
  // The values a user edits most are reached.
  for (const char* cellLink :
       {"CL_ComDsc_SelfId", "CL_ChList_Atr", "CL_Fch_FreqR", "CL_ComAtis_AtisId"}) {
    EXPECT_GT(help.HelpContextId(cellLink), 0) << cellLink;
  }
}

TEST(HelpDataTest, EveryPictureOfTheHelpPageIsInstalledBesideIt) {
  OverlayText overlay;
  ASSERT_TRUE(overlay.SetFile(kOverlay));
  const std::string name = overlay.GetFirstLine("GI_Sys_MyHelpFile");
  const std::string folder = std::string(RTV_DATA_DIR "/") + name.substr(0, name.rfind('/') + 1);
  const std::string html = ReadFile(RTV_DATA_DIR "/" + name);
  int pictures = 0;
  const std::string marker = "<img src=\"";
  for (std::size_t at = html.find(marker); at != std::string::npos;
       at = html.find(marker, at + 1)) {
    const std::size_t from = at + marker.size();
    const std::string source = html.substr(from, html.find('"', from) - from);
    EXPECT_EQ(source.find(".."), std::string::npos) << source;  // inside the help folder
    EXPECT_FALSE(ReadFile(folder + source).empty()) << source;
    ++pictures;
  }
  EXPECT_GT(pictures, 0);
}

TEST(HelpDataTest, EveryAnchorOfTheHelpPageIsUniqueAndHasText) {
  const HelpPage page = LoadHelpPage();
  ASSERT_GT(page.Topics().size(), 100u);
  for (const auto& [id, topic] : page.Topics()) {
    EXPECT_EQ(page.Count(id), 1) << "c" << id;
    // A heading and at least a sentence.
    EXPECT_GT(std::count(topic.begin(), topic.end(), ' '), 6) << "c" << id << ": " << topic;
  }
}

// The sheets of the program (the choice lists are the popups of the cells they serve).
std::vector<std::string> SheetKeys() {
  std::vector<std::string> keys;
  std::ifstream in(kOverlay);
  std::string line;
  const std::string suffix = "_Cells";
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind("#GI_Sheet_", 0) == 0 && line.rfind("#GI_Sheet_Sel_", 0) != 0 &&
        line.size() > suffix.size() &&
        line.compare(line.size() - suffix.size(), suffix.size(), suffix) == 0) {
      keys.push_back(line.substr(1, line.size() - 1 - suffix.size()));
    }
  }
  return keys;
}

// A bound cell as the user meets it: its sheet, the label of its row and the heading of its
// column, where the sheet has them.
struct ServedCell {
  std::string sheet;
  std::string cellLink;
  std::string label;    // the unbound text at the start of the row, without a row number
  std::string heading;  // the nearest unbound cell above in the same column, when it has text
};

bool Unbound(const Cell& cell) {
  return cell.cellLink == kCellLinkNone || cell.cellLink == LinkNo("CL_Null");
}

std::string TextOf(const Cell& cell) { return cell.text ? *cell.text : std::string(); }

// A row label without the number of its row in a numbered list ("Soft key 7", "12").
std::string WithoutRowNumber(std::string label) {
  while (!label.empty() &&
         (std::isdigit(static_cast<unsigned char>(label.back())) != 0 || label.back() == ' ')) {
    label.pop_back();
  }
  return label;
}

// Every bound cell of every sheet, in every model and both views of the channel sheets.
std::vector<ServedCell> ServedCells() {
  std::set<std::string> seen;
  std::vector<ServedCell> cells;
  const std::vector<std::string> keys = SheetKeys();
  EXPECT_GT(keys.size(), 15u);
  for (int model = 0; model < 7; ++model) {
    MemoryAccessHost host(kOverlay);
    host.modelType = model;
    test::ScriptedPrompts prompts;
    CloneFile reader(host.overlay, prompts);
    reader.SetImage(&host.image);
    reader.SetModelCode(0x3974);
    reader.SetExtensionCode(1);
    reader.SetMapRevisionCheck([](int revision) { return revision == 1; });
    const std::string file = host.overlay.GetLine("GI_App_InitialFile", model);
    EXPECT_EQ(reader.Read(std::string(RTV_INITIAL_DIR) + "/" + file, kCloneRanges), kFileOk);
    test::ImageModelHost sheetModel(host.image, model);
    test::FixedTextMetrics metrics;
    SheetServices services{host.overlay, metrics, [&](CellRequest& request, bool notify) {
                             return host.accessor.AccessCell(request, notify);
                           }};
    for (const bool usable : {false, true}) {
      sheetModel.usable = usable;
      host.usedOnly = usable;
      for (const std::string& key : keys) {
        ModelSheet sheet(services, sheetModel, host.overlay, key);
        sheet.Build();
        // The nearest unbound cell above each column, as the rows go down.
        std::vector<std::string> headings(static_cast<std::size_t>(sheet.columnCount()));
        for (int row = 0; row < sheet.rowCount(); ++row) {
          const Cell& first = sheet.CellAt(0, row).cell;
          const std::string label = Unbound(first) ? TextOf(first) : std::string();
          for (int column = 0; column < sheet.columnCount(); ++column) {
            const Cell& cell = sheet.CellAt(column, row).cell;
            std::string& heading = headings[static_cast<std::size_t>(column)];
            if (Unbound(cell)) {
              heading = TextOf(cell);
              continue;
            }
            ServedCell served{key, CellLinkName(cell.cellLink),
                              column == 0 ? "" : WithoutRowNumber(label), heading};
            const std::string id =
                served.sheet + "|" + served.cellLink + "|" + served.label + "|" + served.heading;
            if (seen.insert(id).second) cells.push_back(served);
          }
        }
      }
    }
  }
  return cells;
}

// Shift+F1 on any cell of any sheet lands on a topic that names the cell by its row label or
// its column heading; settings of one sheet land on topics of their own.
TEST(HelpDataTest, EveryServedCellReachesATopicThatNamesIt) {
  const HelpPage page = LoadHelpPage();
  OverlayText help;
  ASSERT_TRUE(help.SetFile(kHelpOverlay));
  const std::vector<ServedCell> cells = ServedCells();
  ASSERT_GT(cells.size(), 400u);
  std::map<std::string, int> contexts;  // of each link served
  for (const ServedCell& cell : cells) {
    SCOPED_TRACE(cell.sheet + " " + cell.cellLink + " '" + cell.label + "' / '" + cell.heading +
                 "'");
    if (contexts.count(cell.cellLink) == 0)
      contexts[cell.cellLink] = help.HelpContextId(cell.cellLink);
    const int context = contexts[cell.cellLink];
    ASSERT_GT(context, 0);
    ASSERT_TRUE(page.Has(context)) << "c" << context;
    if (cell.label.empty() && cell.heading.empty()) continue;  // a raw memory window
    const bool named = (!cell.label.empty() && page.Mentions(context, cell.label)) ||
                       (!cell.heading.empty() && page.Mentions(context, cell.heading));
    EXPECT_TRUE(named) << "c" << context << ": " << page.Topic(context);
  }
  // The walk reached the links of every family of sheet cells.
  EXPECT_GT(contexts.size(), 400u);

  // Two cells of one sheet that differ in link, row label and column heading are two
  // settings (or two columns), and each has its own topic. Cells without label and heading
  // (the raw memory window) are one thing.
  std::map<std::string, std::vector<const ServedCell*>> bySheet;
  for (const ServedCell& cell : cells) bySheet[cell.sheet].push_back(&cell);
  for (const auto& [sheet, sheetCells] : bySheet) {
    for (std::size_t i = 0; i < sheetCells.size(); ++i) {
      for (std::size_t j = i + 1; j < sheetCells.size(); ++j) {
        const ServedCell& a = *sheetCells[i];
        const ServedCell& b = *sheetCells[j];
        const bool unnamed =
            (a.label.empty() && a.heading.empty()) || (b.label.empty() && b.heading.empty());
        if (unnamed || a.cellLink == b.cellLink || (!a.label.empty() && a.label == b.label) ||
            (!a.heading.empty() && a.heading == b.heading)) {
          continue;
        }
        EXPECT_NE(contexts[a.cellLink], contexts[b.cellLink])
            << sheet << ": " << a.cellLink << " '" << a.label << "' and " << b.cellLink << " '"
            << b.label << "'";
      }
    }
  }
}

// Every message of the clone commands has a troubleshooting topic that quotes it, and the
// message's last line names that topic by its heading.
TEST(HelpDataTest, EveryCloneMessageHasATroubleshootingTopicThatQuotesIt) {
  const HelpPage page = LoadHelpPage();
  OverlayText overlay;
  ASSERT_TRUE(overlay.SetFile(kOverlay));
  struct Message {
    int topic;
    std::string text;
    std::string helpLine;  // the message's last line, naming the topic
  };
  std::vector<Message> messages;
  for (int status = kLinkPortFailed; status <= kLinkWriteFailed; ++status) {
    messages.push_back({kLinkStatusTopics + status,
                        overlay.GetLine("GI_Mess_CloneErr_Head", status),
                        overlay.GetLine("GI_Mess_CloneErr_Help", status)});
  }
  for (int code = kFileErrFileOpen; code <= kFileErrNewer; ++code) {
    messages.push_back({kFileErrorTopics + code, overlay.GetFirstLine(CloneFile::MessageKey(code)),
                        overlay.GetLine("GI_Mess_FileErr_Help", code)});
  }
  // The refusal to write data with errors.
  const std::string dataError = overlay.GetText("GI_Mess_DataError");
  messages.push_back({kDataErrorTopic, overlay.GetFirstLine("GI_Mess_DataError"),
                      dataError.substr(dataError.find_last_of('\n', dataError.size() - 2) + 1)});
  ASSERT_EQ(messages.size(), 16u + 9u + 1u);
  for (const Message& message : messages) {
    SCOPED_TRACE("c" + std::to_string(message.topic) + ": " + message.text);
    ASSERT_TRUE(page.Has(message.topic));
    ASSERT_FALSE(message.text.empty());
    EXPECT_NE(HelpPage::PlainText(message.helpLine).find("\"" + page.Heading(message.topic) + "\""),
              std::string::npos)
        << message.helpLine << " / " << page.Heading(message.topic);
    // The parts around a number the program fills in.
    std::size_t from = 0;
    for (std::size_t slot = message.text.find('%'); from < message.text.size();
         slot = message.text.find('%', from)) {
      const std::string part = message.text.substr(from, slot - from);
      if (!part.empty()) {
        EXPECT_TRUE(page.Mentions(message.topic, part)) << page.Topic(message.topic);
      }
      if (slot == std::string::npos) break;
      from = slot + 2;
    }
  }
}

}  // namespace
}  // namespace rtv
