#include "ui/Form1.h"

#include "startup/FormLoad.h"

namespace galemend {

Form1::Form1(SystemProbe& systemProbe, FileSystem& fileSystem)
    : probe(systemProbe),
      fs(fileSystem),
      controls(fileSystem),
      log(fileSystem),
      pendingEvents(systemProbe) {
    controls.Dir1.OnChange([this] { Dir1_Change(*this); });
}

void Form_Load(Form1& form) {
    galemend::Form_Load(form.Installation(), [&form] { return SilentRun(form); });
}

void Dir1_Change(Form1& form) {
    form.controls.File1.SetPath(form.controls.Dir1.Path());
}

void Command3_Click(Form1& form) {
    form.probe.Terminate(static_cast<unsigned>(ExitStatus::Normal));
}

}  // namespace galemend
