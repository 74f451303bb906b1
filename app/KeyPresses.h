#pragma once
// Tells a new press of a hotkey's key from the keyboard's repeat. The raw
// keyboard input reaches the main window in the background, event by event,
// also while the program is busy with a delivery: a key counts as pressed
// again only after it was seen going up, however short the gap.
#include <array>
#include <cstdint>

class KeyPresses {
  public:
    // The first repeat of a held key comes within a second (the longest delay
    // Windows offers); a key seen down for longer with no event went up unseen
    // (on the secure desktop, say) and was pressed again.
    static constexpr std::uint32_t RepeatSilenceMs = 1500;

    // A raw keyboard event; time is the message time in milliseconds.
    void Raw(std::uint8_t key, bool down, std::uint32_t time) {
        Key& k = keys_[key];
        const bool silent = static_cast<std::uint32_t>(time - k.lastEvent) > RepeatSilenceMs;
        if (down && (!k.down || silent))
            k.unclaimed = k.unclaimed < 0 && !silent ? 0 : Positive(k.unclaimed) + 1;
        if (!down) {
            k.upSeen = true;
            k.lastUp = time;
        }
        k.down = down;
        k.lastEvent = time;
    }

    // A hotkey of this key fired at time: false for a repeat of a key held
    // down since the last press that counted. A hotkey may be read before its
    // own key event; that event then pays for it. One made before the key
    // last went up, or in the same tick (a repeat racing the release, with no
    // key event of its own), belongs to a press that is over.
    bool TakePress(std::uint8_t key, std::uint32_t time) {
        Key& k = keys_[key];
        if (k.unclaimed > 0) {
            --k.unclaimed;
            return true;
        }
        if (k.down || (k.upSeen && static_cast<std::int32_t>(time - k.lastUp) <= 0)) return false;
        k.unclaimed = -1;
        k.lastEvent = time;
        return true;
    }

  private:
    static int Positive(int n) { return n > 0 ? n : 0; }

    struct Key {
        bool down = false;
        bool upSeen = false;
        int unclaimed =
            0;  // presses seen and not yet taken by a hotkey; -1 a hotkey whose press is still to come
        std::uint32_t lastEvent = 0;
        std::uint32_t lastUp = 0;
    };
    std::array<Key, 256> keys_{};
};
