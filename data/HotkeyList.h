#pragma once
// The process-wide global hotkeys: an owning singly linked list.
#include <cstddef>
#include <cstdint>
#include <memory>

struct HotkeyBinding {
    std::unique_ptr<HotkeyBinding> next;
    std::int32_t id = 0;
    std::uint8_t virtualKey = 0;  // 0: no hotkey
    std::uint8_t modifiers = 0;   // MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4
};

class HotkeyList {
  public:
    HotkeyList() = default;
    HotkeyList(const HotkeyList&) = delete;
    HotkeyList& operator=(const HotkeyList&) = delete;
    ~HotkeyList() { Clear(); }

    // The first binding becomes the head; every later one goes directly after it.
    HotkeyBinding& Add(std::int32_t id, std::uint8_t virtualKey, std::uint8_t modifiers);
    // The first binding from the head with this id, or nullptr.
    HotkeyBinding* Find(std::int32_t id);
    const HotkeyBinding* Find(std::int32_t id) const;
    // Unlinks and frees this binding; false (and nothing freed) when it is not in the list.
    bool Remove(const HotkeyBinding* binding);
    void Clear();
    std::size_t size() const;
    HotkeyBinding* head() { return head_.get(); }
    const HotkeyBinding* head() const { return head_.get(); }

  private:
    std::unique_ptr<HotkeyBinding> head_;
};
