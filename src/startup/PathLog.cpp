#include "startup/PathLog.h"

#include "platform/AppPath.h"

namespace galemend {

void ShowPathsAndLogThem(const InstallationContext& c) {
    const auto& pathlist = c.installation.pathlist;
    c.controls.Command4.SetToolTip(pathlist[1]);
    c.controls.Command5.SetToolTip(pathlist[0]);

    if (!c.log.IsOpen()) {
        return;
    }
    const std::string appPath = App_Path(c.probe);
    c.log.Line({"pathlist(1)", pathlist[1]});
    c.log.Line({"pathlist(0)", pathlist[0]});
    c.log.Line({"home ", c.installation.homeFolder});
    c.log.Line({"App_Path()", appPath});
    c.log.Line({});
    c.log.Line({"Dir(pathlist(1))", FirstFile(c.fs, pathlist[1])});
    c.log.Line({"Dir(pathlist(0))", FirstFile(c.fs, pathlist[0])});
    c.log.Line({"Dir(App_Path())", FirstFile(c.fs, appPath)});
}

}  // namespace galemend
