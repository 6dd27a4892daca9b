#include "tables/CKeyboardHandler.h"

#include <cstring>

CKeyboardHandler::CKeyboardHandler()
{
    for (int key = 0; key < 13; ++key) {
        m_lowOffsets[key] = 326 + key;
        m_highOffsets[key] = 375 + key;
    }
    m_lowOffsets[13] = 351;
    m_highOffsets[13] = 400;
    static constexpr std::uint8_t kCapsOffsets[kKeyCount] = {77, 72, 72, 72, 72, 72, 72, 72, 73, 73, 73, 73, 89, 90};
    static constexpr std::uint8_t kCapsMasks[kKeyCount] = {1, 2, 4, 8, 16, 32, 64, 128, 1, 2, 4, 8, 8, 1};
    std::memcpy(m_capsOffsets, kCapsOffsets, sizeof m_capsOffsets);
    std::memcpy(m_capsMasks, kCapsMasks, sizeof m_capsMasks);
}

std::uint8_t CKeyboardHandler::GetByte(int key, const std::int32_t (&offsets)[kKeyCount]) const
{
    return IsKey(key) && IsInsideFile(offsets[key], 1) ? ReadByte(offsets[key]) : 0;
}

void CKeyboardHandler::SetByte(int key, const std::int32_t (&offsets)[kKeyCount], std::uint8_t value)
{
    if (IsKey(key) && IsInsideFile(offsets[key], 1)) {
        WriteByte(offsets[key], value);
        m_modified[key] = 1;
    }
}

std::uint8_t CKeyboardHandler::GetLow(int key) const { return GetByte(key, m_lowOffsets); }

std::uint8_t CKeyboardHandler::GetHigh(int key) const { return GetByte(key, m_highOffsets); }

void CKeyboardHandler::SetLow(int key, std::uint8_t value) { SetByte(key, m_lowOffsets, value); }

void CKeyboardHandler::SetHigh(int key, std::uint8_t value) { SetByte(key, m_highOffsets, value); }

bool CKeyboardHandler::GetCapsLock(int key) const
{
    return IsKey(key) && IsInsideFile(m_capsOffsets[key], 1) && (ReadByte(m_capsOffsets[key]) & m_capsMasks[key]) != 0;
}

void CKeyboardHandler::SetCapsLock(int key, bool state)
{
    if (!IsKey(key) || !IsInsideFile(m_capsOffsets[key], 1) || GetCapsLock(key) == state) {
        return;
    }
    WriteByte(m_capsOffsets[key], static_cast<std::uint8_t>(ReadByte(m_capsOffsets[key]) ^ m_capsMasks[key]));
    m_modified[key] = 1;
}

int CKeyboardHandler::GetKeyName(int key, char* text) const
{
    const char* name = IsKey(key) ? kKeyNames[key] : "";
    std::size_t size = std::strlen(name) + 1;
    std::memcpy(text, name, size);
    return static_cast<int>(size);
}

void CKeyboardHandler::SwapChars(std::uint8_t a, std::uint8_t b)
{
    for (int key = 0; key < kKeyCount; ++key) {
        if (GetHigh(key) == a) {
            SetHigh(key, b);
        } else if (GetLow(key) == a) {
            SetLow(key, b);
        } else if (GetHigh(key) == b) {
            SetHigh(key, a);
        } else if (GetLow(key) == b) {
            SetLow(key, a);
        }
    }
}

bool CKeyboardHandler::IsImageLongEnough() const { return m_data != nullptr && m_length >= kMinimumLength; }
