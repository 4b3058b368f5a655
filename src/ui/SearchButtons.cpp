#include "conversion/FixGalaxies.h"
#include "discovery/FindGalaxies.h"
#include "ui/Form1.h"

namespace galemend {

namespace {

bool Search(Form1& form) {
    Form1Controls& c = form.controls;
    return FindGalaxies(form.installation.pathlist, form.search,
                        SearchControls{c.Dir1, c.File1, c.Text1, c.Label6, c.Label8,
                                       form.pendingEvents, form.busy});
}

std::optional<ConversionResult> Convert(Form1& form) {
    Form1Controls& c = form.controls;
    return FixGalaxies(
        form.fs, form.templates,
        ConversionSettings{form.installation.editionLetter, form.installation.diagnosticMode},
        form.search.galaxyList, ConversionControls{c.Label4, c.Label8, c.Text2, form.busy});
}

}  // namespace

void Command1_Click(Form1& form) {
    if (form.busy.Running()) {
        return;
    }
    // Without an edition the search folders are not set; walking them would find nothing
    // the player meant.
    if (form.installation.EditionPending()) {
        form.probe.ShowMessage(kChooseEditionFirst);
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

ExitStatus SilentRun(Form1& form) {
    if (form.installation.EditionPending()) {
        return ExitStatus::NoEditionChosen;
    }
    Search(form);
    const auto result = Convert(form);
    return result && result->Complete() ? ExitStatus::Normal : ExitStatus::MapsNotConverted;
}

}  // namespace galemend
