#include "settings/ItemHotkeyList.h"

HotkeyBinding* ItemHotkeyList::Add(std::uint8_t virtualKey, std::uint8_t modifiers) {
    auto record = std::make_unique<HotkeyBinding>();
    record->virtualKey = virtualKey;
    record->modifiers = modifiers;
    HotkeyBinding* added = record.get();
    std::unique_ptr<HotkeyBinding>& link = head_ ? head_->next : head_;
    record->next = std::move(link);
    link = std::move(record);
    return added;
}

bool ItemHotkeyList::Remove(const HotkeyBinding* record) {
    for (std::unique_ptr<HotkeyBinding>* link = &head_; *link; link = &(*link)->next) {
        if (link->get() == record) {
            std::unique_ptr<HotkeyBinding> removed = std::move(*link);
            *link = std::move(removed->next);
            return true;
        }
    }
    return false;
}

void ItemHotkeyList::Clear() {
    // One by one: a long chain must not be freed by recursion.
    while (head_) head_ = std::move(head_->next);
}

std::size_t ItemHotkeyList::size() const {
    std::size_t count = 0;
    for (const HotkeyBinding* record = head_.get(); record; record = record->next.get()) ++count;
    return count;
}
