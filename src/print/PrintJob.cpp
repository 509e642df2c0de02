// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/PrintJob.h"

#include "print/SheetPaginator.h"
#include "sheet/Sheet.h"

namespace rtv {

PrintJob::PrintJob(SheetFactory factory, std::vector<std::string> sheetNames)
    : factory_(std::move(factory)), sheetNames_(std::move(sheetNames)) {}

PrintJob::~PrintJob() = default;

Sheet* PrintJob::Open(const std::string& name) {
  if (open_ == nullptr || openName_ != name) {
    open_ = factory_(name);
    openName_ = name;
  }
  return open_.get();
}

std::vector<PrintedPage> PrintJob::PaginateSheet(const SheetPaginator& paginator,
                                                 const std::string& name) {
  Sheet* sheet = Open(name);
  if (sheet == nullptr) return {};
  return paginator.Paginate(*sheet, name);
}

void PrintJob::Paginate(const SheetPaginator& paginator) {
  pages_.clear();
  for (const std::string& name : sheetNames_) {
    std::vector<PrintedPage> pages = PaginateSheet(paginator, name);
    pages_.insert(pages_.end(), pages.begin(), pages.end());
  }
}

Sheet* PrintJob::SheetOf(const PrintedPage& page, const SheetPaginator& paginator) {
  Sheet* sheet = Open(page.sheet);
  if (sheet != nullptr) paginator.Prepare(*sheet, page);
  return sheet;
}

}  // namespace rtv
