// varno-table key: one key of a keyboard layout changed as the Change key dialog does.

#include "cli/CVarnoTableApp.h"
#include "cli/Command.h"
#include "cli/OptionChecks.h"
#include "document/CVarnoDoc.h"
#include "document/TableListing.h"
#include "tables/CKeyboardHandler.h"

#include <memory>

namespace {

struct KeyOptions {
    int key = 0;
    std::string low;
    std::string high;
    std::string caps;
    std::string file;
};

int Key(CVarnoTableApp& app, const KeyOptions& options)
{
    CVarnoDoc* document = app.Open(options.file);
    if (document == nullptr) {
        return CVarnoTableApp::kExitError;
    }
    if (document->m_nKind != CVarnoDoc::kindKeyboard) {
        app.Error(options.file, "key takes keyboard layouts; " + KindOrigin(document->m_nKind, document->m_bKindChosen));
        return CVarnoTableApp::kExitError;
    }
    auto* keyboard = static_cast<CKeyboardHandler*>(document->m_pHandler);
    const int key = options.key;
    const std::optional<std::uint8_t> low = ParsedOptionalByte(options.low);
    const std::optional<std::uint8_t> high = ParsedOptionalByte(options.high);
    const std::optional<bool> capsLock = options.caps.empty() ? std::nullopt : std::optional(options.caps == "on");
    return app.EditAndWrite({document}, {options.file}, false, [&] {
        // What the dialog's OK does: the fields start with the key's values, and are written back in this order.
        keyboard->SetHigh(key, high.value_or(keyboard->GetHigh(key)));
        keyboard->SetLow(key, low.value_or(keyboard->GetLow(key)));
        keyboard->SetCapsLock(key, capsLock.value_or(keyboard->GetCapsLock(key)));
        return true;
    });
}

} // namespace

Command AddKeyCommand(CLI::App& cli, CVarnoTableApp& app)
{
    auto options = std::make_shared<KeyOptions>();
    CLI::App* key = cli.add_subcommand("key", "Change one key of a keyboard layout as the Change key dialog does.");
    key->add_option("--key", options->key, "Key number, 0 (~ `) to 13 (\\ |)")->required()->check(CLI::Range(0, 13));
    key->add_option("--low", options->low, "The unshifted character byte")->type_name("HEX")->check(HexValidator(0xFF));
    key->add_option("--high", options->high, "The shifted character byte")->type_name("HEX")->check(HexValidator(0xFF));
    key->add_option("--caps", options->caps, "Caps lock")->check(CLI::IsMember({"on", "off"}));
    key->add_option("FILE", options->file, "Keyboard layout file")->required();
    app.AddKindOption(*key);
    key->footer(Example("varno-table key --key 3 --low B9 --high 23 --caps off ru.kbd"));
    return {key, [&app, options] { return Key(app, *options); }};
}
