#include "app/widgets/IconLists.h"

#include <QDir>

namespace rtv {
namespace {

std::vector<QIcon> Load(const QString& programFolder, std::initializer_list<const char*> names) {
  const QDir folder(QDir(programFolder).filePath("icons"));
  std::vector<QIcon> icons;
  for (const char* name : names) {
    icons.emplace_back(folder.filePath(QString::fromLatin1(name) + ".svg"));
  }
  return icons;
}

}  // namespace

std::vector<QIcon> TreeIcons(const QString& programFolder) {
  return Load(programFolder, {"imgIcon_Tree_Rig", "imgIcon_Tree_Folder01", "imgIcon_Tree_Note01",
                              "imgIcon_Tree_Note02", "imgIcon_Tree_WarnW_RB",
                              "imgIcon_Tree_WarnE_RB", "imgIcon_Tree_Adjust"});
}

std::vector<QIcon> ToolbarIcons(const QString& programFolder) {
  return Load(programFolder,
              {"imgIcon_Bar_File_New",   "imgIcon_Bar_File_Open",    "imgIcon_Bar_File_Save",
               "imgIcon_Bar_Com1",       "imgIcon_Bar_Com2",         "imgIcon_Bar_Com3",
               "imgIcon_Bar_Com4",       "imgIcon_Bar_Clone_Read",   "imgIcon_Bar_Clone_Write",
               "imgIcon_Bar_Clone_Info", "imgIcon_Bar_Pcg_Pen",      "imgIcon_Bar_Pcg_Fill",
               "imgIcon_Bar_Pcg_Slider", "imgIcon_Bar_Page_Top",     "imgIcon_Bar_Page_Previous",
               "imgIcon_Bar_Page_Next",  "imgIcon_Bar_Page_Last",    "imgIcon_Bar_Page_Zoom",
               "imgIcon_Tree_Adjust",    "imgIcon_Bar_Clone_IoCheck"});
}

}  // namespace rtv
