#pragma once
// The hotkey records of the settings dialog's list items (identifier 0). The
// list owns them; list items refer to them through their item data. The
// order of the list means nothing.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "data/HotkeyList.h"

class ItemHotkeyList {
  public:
    ItemHotkeyList() = default;
    ItemHotkeyList(const ItemHotkeyList&) = delete;
    ItemHotkeyList& operator=(const ItemHotkeyList&) = delete;
    ~ItemHotkeyList() { Clear(); }

    // A new record, linked directly behind the head (or the head of an empty list).
    HotkeyBinding* Add(std::uint8_t virtualKey, std::uint8_t modifiers);
    // Unlinks and frees the record; false (and nothing freed) when it is not in the list.
    bool Remove(const HotkeyBinding* record);
    void Clear();
    std::size_t size() const;
    const HotkeyBinding* head() const { return head_.get(); }

  private:
    std::unique_ptr<HotkeyBinding> head_;
};
