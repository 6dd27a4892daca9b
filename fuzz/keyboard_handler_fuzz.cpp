// An arbitrary image as a keyboard layout file, and a sequence of key operations,
// with key numbers a little outside 0-13 too.

#include "fuzz/FuzzSupport.h"
#include "tables/CKeyboardHandler.h"

namespace {

fuzz::Ranges Operate(CKeyboardHandler& handler, const std::vector<fuzz::Operation>& ops)
{
    for (const fuzz::Operation& op : ops) {
        int key = op.byte % 18 - 2;
        std::uint8_t value = static_cast<std::uint8_t>(op.word & 0xFF);
        switch (op.kind % 7) {
        case 0:
            handler.GetLow(key);
            handler.GetHigh(key);
            handler.GetCapsLock(key);
            break;
        case 1: handler.SetLow(key, value); break;
        case 2: handler.SetHigh(key, value); break;
        case 3: {
            bool state = (op.word & 0x100) != 0;
            handler.SetCapsLock(key, state);
            fuzz::Require(!handler.IsImageLongEnough() || key < 0 || key >= 14 || handler.GetCapsLock(key) == state,
                          "keyboard: SetCapsLock sets the state");
            break;
        }
        case 4: handler.SwapChars(op.byte, value); break;
        case 5: {
            char text[CKeyboardHandler::kKeyNameSize];
            int copied = handler.GetKeyName(key, text);
            fuzz::Require(copied >= 1 && copied <= CKeyboardHandler::kKeyNameSize && std::strlen(text) + 1 == static_cast<std::size_t>(copied),
                          "keyboard: GetKeyName answers the bytes copied");
            break;
        }
        default:
            handler.Lookup(op.byte);
            handler.ReverseLookup(op.word);
            handler.Assign(op.byte, op.word);
            break;
        }
    }
    for (std::size_t flag = CKeyboardHandler::kKeyCount; flag < 256; ++flag) {
        fuzz::Require(handler.m_modified[flag] == 0, "keyboard: only the flags of keys 0-13 are set");
    }
    return {{72, 74}, {77, 78}, {89, 91}, {326, 339}, {351, 352}, {375, 388}, {400, 401}};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return fuzz::RunOnImage(data, size, Operate);
}
