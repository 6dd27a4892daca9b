// Loads arbitrary bytes as a document under the file name of one of the five kinds (chosen by the first
// byte), then saves it: unedited, the saved file must equal the input; then entries are edited as the editor
// does and the document saved again, which must neither touch memory outside the image nor change the length.
// A GDI module is edited in each of its tables.

#include "document/CVarnoDoc.h"
#include "fuzz/FuzzSupport.h"
#include "platform/MessageBox.h"
#include "tables/CGdiTableHandler.h"
#include "tables/CKeyboardHandler.h"

#include <iterator>

namespace {

// A name of each kind, at the kind's number.
const char* const kNames[] = {"undefined.bin", "c_fuzz.nls", "cp_fuzz.nls", "fuzz.kbd", "gdi.exe"};

// Values for the edits, taken from the input itself.
std::uint8_t Pick(const std::uint8_t* data, std::size_t size, std::size_t index) { return data[index % size]; }

// A few clicks in the grid, each an exchange with the holder of the new value.
void Click(CTableHandler& handler, const std::uint8_t* data, std::size_t size)
{
    for (std::size_t click = 0; click < 4; ++click) {
        auto b = static_cast<std::uint8_t>(0x80 | Pick(data, size, 3 * click));
        auto u = static_cast<std::uint16_t>(Pick(data, size, 3 * click + 1) << 8 | Pick(data, size, 3 * click + 2));
        std::uint8_t p = handler.ReverseLookup(u);
        std::uint16_t o = handler.Lookup(b);
        handler.Assign(b, u);
        handler.Assign(p, o);
        handler.Assign(b, u);
    }
}

void EditEverything(CVarnoDoc& doc, const std::uint8_t* data, std::size_t size)
{
    if (doc.m_nKind == CVarnoDoc::kindKeyboard) {
        auto* keyboard = static_cast<CKeyboardHandler*>(doc.m_pHandler);
        for (int key = 0; key < CKeyboardHandler::kKeyCount; ++key) {
            keyboard->SetHigh(key, keyboard->GetLow(key));
            keyboard->SetLow(key, Pick(data, size, static_cast<std::size_t>(key)));
            keyboard->SetCapsLock(key, !keyboard->GetCapsLock(key));
            keyboard->SwapChars(Pick(data, size, static_cast<std::size_t>(key) + 1), static_cast<std::uint8_t>(0x80 + key));
        }
        return;
    }
    auto* gdi = dynamic_cast<CGdiTableHandler*>(doc.m_pHandler);
    if (gdi == nullptr) {
        Click(*doc.m_pHandler, data, size);
        return;
    }
    for (std::size_t table = 0; table < gdi->Tables().size(); ++table) {
        fuzz::Require(gdi->SelectTable(table), "every table found can be selected");
        CodePageMatchText(gdi->TableMatch(table));
        Click(*gdi, data, size);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    [[maybe_unused]] static const bool quiet = [] {
        AfxSetMessageBoxHandler([](const std::string&, UINT) { return IDOK; });
        fuzz::ScratchFolder();
        return true;
    }();
    if (size == 0) {
        return 0;
    }
    const int kind = data[0] % static_cast<int>(std::size(kNames));
    std::string input(reinterpret_cast<const char*>(data + 1), size - 1);
    std::string path = fuzz::ScratchFolder() + "/" + kNames[kind];
    std::string saved = fuzz::ScratchFolder() + "/saved";
    std::ofstream(path, std::ios::binary | std::ios::trunc) << input;

    CVarnoDoc doc;
    doc.m_bAutoDelete = FALSE;
    if (!doc.OnOpenDocument(path.c_str())) {
        return 0;
    }
    fuzz::Require(doc.m_pHandler != nullptr && doc.m_nKind == kind
                      && doc.m_pHandler->m_length == static_cast<std::int32_t>(input.size()),
                  "the whole file loaded as the kind its name gives");
    fuzz::Require(doc.OnSaveDocument(saved.c_str()) && Slurp(saved) == input, "an unedited save writes the input");
    EditEverything(doc, data, size);
    fuzz::Require(doc.OnSaveDocument(saved.c_str()) && Slurp(saved).size() == input.size(),
                  "an edited save keeps the length");
    return 0;
}
