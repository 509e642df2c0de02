// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "print/PrintedPage.h"

namespace rtv {

class Sheet;
class SheetPaginator;

// The sheets of one print, cut into pages. The sheets are built when they are needed,
// one at a time, the way the printer and the preview walk through the pages.
class PrintJob {
 public:
  // Builds the (unbuilt) sheet of a name; null when there is none of that name.
  using SheetFactory = std::function<std::unique_ptr<Sheet>(const std::string& name)>;

  PrintJob(SheetFactory factory, std::vector<std::string> sheetNames);
  ~PrintJob();
  PrintJob(const PrintJob&) = delete;
  PrintJob& operator=(const PrintJob&) = delete;

  const std::vector<std::string>& sheetNames() const { return sheetNames_; }
  // Cuts every sheet into pages afresh (a new font size); sheets that cannot print add none.
  void Paginate(const SheetPaginator& paginator);
  // The pages of one sheet only, as printing sheet by sheet needs them.
  std::vector<PrintedPage> PaginateSheet(const SheetPaginator& paginator, const std::string& name);
  const std::vector<PrintedPage>& pages() const { return pages_; }
  // The sheet of a page, built as the page was fitted; null when it cannot be built.
  Sheet* SheetOf(const PrintedPage& page, const SheetPaginator& paginator);

 private:
  Sheet* Open(const std::string& name);

  SheetFactory factory_;
  std::vector<std::string> sheetNames_;
  std::vector<PrintedPage> pages_;
  std::string openName_;
  std::unique_ptr<Sheet> open_;
};

}  // namespace rtv
