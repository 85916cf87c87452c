#include "media/image_list.h"

namespace {
std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}
}  // namespace

EImageNotFound::EImageNotFound(std::string_view name)
    : std::runtime_error("Image '" + std::string(name) + "' not found") {}

TPictureCollectionItem& TDXImageList::Add(std::string_view name) {
  if (!index_.try_emplace(Lower(name), items_.size()).second)
    throw std::invalid_argument("Image '" + std::string(name) + "' is listed twice");
  items_.push_back(std::make_unique<TPictureCollectionItem>(std::string(name)));
  return *items_.back();
}

TPictureCollectionItem* TDXImageList::TryFind(std::string_view name) const {
  const auto it = index_.find(Lower(name));
  return it == index_.end() ? nullptr : items_[it->second].get();
}

TPictureCollectionItem& TDXImageList::Find(std::string_view name) const {
  if (auto* item = TryFind(name)) return *item;
  throw EImageNotFound(name);
}

void TDXImageList::Restore(const TPixelFormat& format) {
  for (auto& item : items_) item->Restore(format);
}
