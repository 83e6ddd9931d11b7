#pragma once
// THashCollection: an ordered list of named items with a 256-bucket hash
// index; names compare ignoring the case of single-byte letters. Archive
// entries, variables and cached images live in such collections.
//
// Each bucket is a chain with the most recently inserted (or renamed) item at
// its head, and lookups walk it from the head: of several items with equal
// names the last inserted is found. Callers rely on that order.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace rivo {

class THashCollectionItem {
 public:
  virtual ~THashCollectionItem() = default;
  const std::string& Name() const { return name_; }
  // The item's position in its collection.
  int32_t Index() const { return index_; }

 private:
  template <typename Item>
  friend class THashCollection;
  std::string name_;
  uint8_t bucket_ = 0;
  int32_t index_ = -1;
  THashCollectionItem* prev_ = nullptr;
  THashCollectionItem* next_ = nullptr;
};

// Bucket of a name: with the name lower-cased, L its length, c0 its first and
// c2 its second-to-last byte: (L * 16 + (L >= 2 ? c2 + c0 : 0)) mod 256.
uint8_t HashCollectionBucket(std::string_view name);
bool HashCollectionNamesEqual(std::string_view a, std::string_view b);

template <typename Item>
class THashCollection {
 public:
  THashCollection() { heads_.fill(nullptr); }
  THashCollection(const THashCollection&) = delete;
  THashCollection& operator=(const THashCollection&) = delete;
  THashCollection(THashCollection&& other) noexcept { *this = std::move(other); }
  THashCollection& operator=(THashCollection&& other) noexcept {
    items_ = std::move(other.items_);
    heads_ = other.heads_;
    other.items_.clear();
    other.heads_.fill(nullptr);
    return *this;
  }

  // Appends the item under the given name; returns it.
  Item& Add(std::unique_ptr<Item> item, std::string name) {
    Item& added = *item;
    added.index_ = static_cast<int32_t>(items_.size());
    added.name_ = std::move(name);
    items_.push_back(std::move(item));
    Link(added);
    return added;
  }

  void Rename(Item& item, std::string name) {
    Unlink(item);
    item.name_ = std::move(name);
    Link(item);
  }

  // Position of the last inserted item with this name, or -1.
  int32_t IndexOf(std::string_view name) const {
    const Item* item = Find(name);
    return item ? item->Index() : -1;
  }

  Item* Find(std::string_view name) const {
    for (THashCollectionItem* i = heads_[HashCollectionBucket(name)]; i; i = i->next_)
      if (HashCollectionNamesEqual(i->name_, name)) return static_cast<Item*>(i);
    return nullptr;
  }

  // Removes and returns the item at index; later items move down by one.
  std::unique_ptr<Item> Extract(int32_t index) {
    Item& item = *items_.at(static_cast<std::size_t>(index));
    Unlink(item);
    std::unique_ptr<Item> out = std::move(items_[static_cast<std::size_t>(index)]);
    items_.erase(items_.begin() + index);
    for (std::size_t k = static_cast<std::size_t>(index); k < items_.size(); ++k) items_[k]->index_ = static_cast<int32_t>(k);
    return out;
  }
  void Delete(int32_t index) { Extract(index); }

  void Clear() {
    items_.clear();
    heads_.fill(nullptr);
  }

  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  Item& operator[](int32_t index) const { return *items_.at(static_cast<std::size_t>(index)); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  void Link(THashCollectionItem& item) {
    item.bucket_ = HashCollectionBucket(item.name_);
    THashCollectionItem*& head = heads_[item.bucket_];
    item.prev_ = nullptr;
    item.next_ = head;
    if (head) head->prev_ = &item;
    head = &item;
  }
  void Unlink(THashCollectionItem& item) {
    if (item.prev_) item.prev_->next_ = item.next_;
    else heads_[item.bucket_] = item.next_;
    if (item.next_) item.next_->prev_ = item.prev_;
    item.prev_ = item.next_ = nullptr;
  }

  std::vector<std::unique_ptr<Item>> items_;
  std::array<THashCollectionItem*, 256> heads_;
};

}  // namespace rivo
