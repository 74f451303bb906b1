#include "data/HotkeyList.h"

HotkeyBinding& HotkeyList::Add(std::int32_t id, std::uint8_t virtualKey, std::uint8_t modifiers) {
    auto binding = std::make_unique<HotkeyBinding>();
    binding->id = id;
    binding->virtualKey = virtualKey;
    binding->modifiers = modifiers;
    std::unique_ptr<HotkeyBinding>& slot = head_ ? head_->next : head_;
    binding->next = std::move(slot);
    slot = std::move(binding);
    return *slot;
}

const HotkeyBinding* HotkeyList::Find(std::int32_t id) const {
    for (const HotkeyBinding* b = head_.get(); b; b = b->next.get())
        if (b->id == id) return b;
    return nullptr;
}

HotkeyBinding* HotkeyList::Find(std::int32_t id) {
    return const_cast<HotkeyBinding*>(static_cast<const HotkeyList&>(*this).Find(id));
}

bool HotkeyList::Remove(const HotkeyBinding* binding) {
    for (std::unique_ptr<HotkeyBinding>* link = &head_; *link; link = &(*link)->next) {
        if (link->get() == binding) {
            std::unique_ptr<HotkeyBinding> removed = std::move(*link);
            *link = std::move(removed->next);
            return true;
        }
    }
    return false;
}

std::size_t HotkeyList::size() const {
    std::size_t count = 0;
    for (const HotkeyBinding* b = head_.get(); b; b = b->next.get()) ++count;
    return count;
}

void HotkeyList::Clear() {
    // One link at a time: a long chain released recursively could exhaust the stack.
    while (head_) head_ = std::move(head_->next);
}
