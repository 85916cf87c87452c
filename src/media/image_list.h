#pragma once
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "media/image_item.h"

// Raised when a catalogue has no item of the name asked for.
class EImageNotFound : public std::runtime_error {
 public:
  explicit EImageNotFound(std::string_view name);
};

// A catalogue of named pictures, found by name without regard to letter case. The game has
// two: ImageList and FoodImg (see image_catalogue.h for how they are built).
class TDXImageList {
 public:
  // Adds an empty item; raises std::invalid_argument for a name already present.
  TPictureCollectionItem& Add(std::string_view name);
  // The item of that name (any letter case); raises EImageNotFound when there is none.
  TPictureCollectionItem& Find(std::string_view name) const;
  TPictureCollectionItem& operator[](std::string_view name) const { return Find(name); }
  // The item of that name, or none.
  TPictureCollectionItem* TryFind(std::string_view name) const;

  int Count() const { return static_cast<int>(items_.size()); }
  TPictureCollectionItem& Item(int i) const { return *items_.at(i); }

  // Rebuilds every item's surface in the display's pixel format (after the display was
  // initialised, or its surfaces were lost).
  void Restore(const TPixelFormat& format);

 private:
  std::vector<std::unique_ptr<TPictureCollectionItem>> items_;
  std::unordered_map<std::string, size_t> index_;  // lower-case name -> item
};
