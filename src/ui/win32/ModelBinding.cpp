#include "ui/win32/ModelBinding.h"

#include "ui/win32/ControlIds.h"
#include "ui/win32/ControlModels.h"
#include "ui/win32/ControlViews.h"
#include "ui/win32/FormDesign.h"

namespace galemend {

namespace {

constexpr int kButtons = 7;
constexpr int kLabels = 19;

bool SizesToText(int id) {
    const ControlDesign* design = FindDesign(id);
    return design != nullptr && design->sizesToText;
}

void ShowCommand(Form1Controls& controls, WindowViews& views, int n) {
    const int id = control_id::Command(n);
    ShowButton(views.children.Get(id), *CommandModel(controls, n), views.tips);
}

void ShowLabelNumber(Form1Controls& controls, WindowViews& views, int n) {
    const int id = control_id::Label(n);
    ShowLabel(views.children.Get(id), *LabelModel(controls, n), SizesToText(id), views.tips);
}

// Calls show(views) after each change of the model while the views live.
template <typename Model, typename Show>
void Observe(Model& model, const std::shared_ptr<WindowViews>& views, Show show) {
    model.OnChange([weak = std::weak_ptr<WindowViews>(views), show] {
        if (const auto alive = weak.lock()) {
            show(*alive);
        }
    });
}

}  // namespace

void ShowAllModels(Form1Controls& controls, WindowViews& views) {
    ::SetWindowTextA(views.main, controls.Caption.Caption().c_str());
    for (int n = 1; n <= kButtons; ++n) {
        ShowCommand(controls, views, n);
    }
    for (int n = 1; n <= kLabels; ++n) {
        ShowLabelNumber(controls, views, n);
    }
    ShowTextBox(views.children.Get(control_id::kText1), controls.Text1);
    ShowTextBox(views.children.Get(control_id::kText2), controls.Text2);
    ShowFileList(views.children.Get(control_id::kFile1), controls.File1);
    views.dir1.Show(MakeFolderRows(controls.Dir1));
}

void BindModels(Form1Controls& controls, const std::shared_ptr<WindowViews>& views) {
    Form1Controls* c = &controls;
    Observe(controls.Caption, views,
            [c](WindowViews& v) { ::SetWindowTextA(v.main, c->Caption.Caption().c_str()); });
    for (int n = 1; n <= kButtons; ++n) {
        Observe(*CommandModel(controls, n), views,
                [c, n](WindowViews& v) { ShowCommand(*c, v, n); });
    }
    for (int n = 1; n <= kLabels; ++n) {
        Observe(*LabelModel(controls, n), views,
                [c, n](WindowViews& v) { ShowLabelNumber(*c, v, n); });
    }
    Observe(controls.Text1, views,
            [c](WindowViews& v) { ShowTextBox(v.children.Get(control_id::kText1), c->Text1); });
    Observe(controls.Text2, views,
            [c](WindowViews& v) { ShowTextBox(v.children.Get(control_id::kText2), c->Text2); });
    Observe(controls.File1, views,
            [c](WindowViews& v) { ShowFileList(v.children.Get(control_id::kFile1), c->File1); });
    Observe(controls.Dir1, views, [c](WindowViews& v) { v.dir1.Show(MakeFolderRows(c->Dir1)); });
}

}  // namespace galemend
