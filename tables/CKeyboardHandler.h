#pragma once
// A keyboard layout file: the low (unshifted) and high (shifted) character
// bytes and the caps-lock bits of the fourteen keys of the top row, at fixed
// offsets. It maps no byte to Unicode: the table operations keep the base's
// do-nothing bodies, and the view and the click editor use the key operations.
// The modified flags are indexed by key number 0-13.

#include "tables/CTableHandler.h"

class CKeyboardHandler : public CTableHandler {
public:
    static constexpr int kKeyCount = 14;
    static constexpr int kKeyNameSize = 16;
    // The highest offset used is 400.
    static constexpr std::int32_t kMinimumLength = 401;
    // Drawn with ampersand prefix processing, so "&&" shows one "&".
    static constexpr char kKeyNames[kKeyCount][kKeyNameSize] = {"~ `", "1 !", "2 @", "3 #", "4 $", "5 %", "6 ^",
                                                                "7 &&", "8 *", "9 (", "0 )", "- _", "= +", "\\ |"};

    CKeyboardHandler();

    // Reads outside the file answer 0 (false); writes outside it, and key
    // numbers outside 0-13, change nothing and set no flag.
    std::uint8_t GetLow(int key) const;
    std::uint8_t GetHigh(int key) const;
    // Write the byte and set the key's flag, also when the byte is already there.
    void SetLow(int key, std::uint8_t value);
    void SetHigh(int key, std::uint8_t value);
    bool GetCapsLock(int key) const;
    // Flips the key's one bit and sets its flag, unless the state is already set.
    void SetCapsLock(int key, bool state);
    // Copies the key's name and its terminating zero into text, which must hold
    // kKeyNameSize bytes, and returns the bytes copied.
    int GetKeyName(int key, char* text) const;
    // For each key, the first of these that holds decides: high is a, low is a,
    // high is b, low is b; the matching character becomes the other value.
    void SwapChars(std::uint8_t a, std::uint8_t b);

    bool IsImageLongEnough() const override;

    std::int32_t m_lowOffsets[kKeyCount];
    std::int32_t m_highOffsets[kKeyCount];
    std::uint8_t m_capsOffsets[kKeyCount];
    std::uint8_t m_capsMasks[kKeyCount];

private:
    static bool IsKey(int key) { return key >= 0 && key < kKeyCount; }
    std::uint8_t GetByte(int key, const std::int32_t (&offsets)[kKeyCount]) const;
    void SetByte(int key, const std::int32_t (&offsets)[kKeyCount], std::uint8_t value);
};
