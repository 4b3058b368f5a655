// The event handlers of Form1. Each calls the procedure of its subsystem and sets the
// buttons; none catches what it does not expect, so the window's dispatch reports it.
#include <array>

#include "conversion/FixGalaxies.h"
#include "discovery/FindGalaxies.h"
#include "platform/RuntimeError.h"
#include "startup/Editions.h"
#include "ui/Form1.h"
#include "ui/WindowDesign.h"

namespace galemend {

namespace {

bool Search(Form1& form) {
    Form1Controls& c = form.controls;
    return FindGalaxies(
        form.installation.pathlist, form.search,
        SearchControls{c.Dir1, c.File1, c.Text1, c.Label6, c.Label8, form.host, form.busy});
}

std::optional<ConversionResult> Convert(Form1& form) {
    Form1Controls& c = form.controls;
    return FixGalaxies(
        form.fs, form.templates,
        ConversionSettings{form.installation.editionLetter, form.installation.diagnosticMode},
        form.search.galaxyList, ConversionControls{c.Label4, c.Label8, c.Text2, form.busy});
}

// Moves Dir1 to a folder the player asked for; a folder that cannot be listed is reported
// with this message and Dir1 stays where it was.
bool MoveDir1(Form1& form, const std::string& folder, const std::string& message) {
    try {
        form.controls.Dir1.SetPath(folder);
    } catch (const RuntimeError&) {
        form.host.ShowMessage(message);
        return false;
    }
    return true;
}

void PickEdition(Form1& form, Edition edition) {
    if (form.busy.Running()) {
        return;
    }
    SelectEdition(form.Installation(), ButtonRule(edition));
}

}  // namespace

void Command1_Click(Form1& form) {
    if (form.busy.Running()) {
        return;
    }
    // Without an edition the search folders are not set; walking them would find nothing
    // the player meant.
    if (form.installation.EditionPending()) {
        form.host.ShowMessage(kChooseEditionFirst);
        return;
    }
    if (Search(form)) {
        form.controls.Command1.SetEnabled(false);
        form.controls.Command2.SetEnabled(true);
    }
}

void Command2_Click(Form1& form) {
    if (Convert(form)) {
        form.controls.Command1.SetEnabled(true);
        form.controls.Command2.SetEnabled(false);
    }
}

void Command3_Click(Form1& form) {
    form.host.Terminate(static_cast<unsigned>(ExitStatus::Normal));
}

void Command4_Click(Form1& form) {
    const std::string& folder = form.installation.pathlist[1];
    MoveDir1(form, folder, "The folder \"" + folder + "\" does not exist.");
}

void Command5_Click(Form1& form) {
    const std::string& folder = form.installation.pathlist[0];
    MoveDir1(form, folder, "The folder \"" + folder + "\" does not exist.");
}

void Command6_Click(Form1& form) {
    PickEdition(form, Edition::BaseOrConcord);
}

void Command7_Click(Form1& form) {
    PickEdition(form, Edition::Sundering);
}

void Dir1_Change(Form1& form) {
    form.controls.File1.SetPath(form.controls.Dir1.Path());
}

std::string DriveRootOf(std::string_view entry) {
    return std::string(entry.substr(0, 2)) + "\\";
}

bool Drive1_Change(Form1& form, std::string_view entry) {
    const std::string root = DriveRootOf(entry);
    return MoveDir1(form, root, "The drive " + root.substr(0, 2) + " is not ready.");
}

bool OpenFolder(Form1& form, const std::string& path) {
    return MoveDir1(form, path, "The folder \"" + path + "\" cannot be opened.");
}

bool ClickButton(Form1& form, int id) {
    using Handler = void (*)(Form1&);
    static constexpr std::array<Handler, 7> kHandlers{
        Command1_Click, Command2_Click, Command3_Click, Command4_Click,
        Command5_Click, Command6_Click, Command7_Click,
    };
    const int n = id - control_id::kCommandBase;
    const Button* button = CommandModel(form.controls, n);
    if (button == nullptr || !button->Enabled()) {
        return false;
    }
    kHandlers[static_cast<size_t>(n - 1)](form);
    return true;
}

ExitStatus SilentRun(Form1& form, std::optional<ConversionResult>* kept) {
    if (form.installation.EditionPending()) {
        return ExitStatus::NoEditionChosen;
    }
    Search(form);
    std::optional<ConversionResult> converted = Convert(form);
    const auto& result = kept != nullptr ? (*kept = std::move(converted)) : converted;
    const bool searchedAll = form.search.notSearched.empty();
    return result && result->Complete() && searchedAll ? ExitStatus::Normal
                                                       : ExitStatus::MapsNotConverted;
}

}  // namespace galemend
